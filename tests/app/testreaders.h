#pragma once

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QStringList>

// Readers written from the file formats, sharing nothing with the program's writers.

// An uncompressed 24-bit TGA (type 2), rows bottom-up unless the descriptor says top-down;
// a null image for anything else.
inline QImage ReadTga24(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray b = file.readAll();
    const auto u8 = [&b](qsizetype at) { return int(quint8(b.at(at))); };
    if (b.size() < 18 || u8(2) != 2 || u8(16) != 24)
        return {};
    const int w = u8(12) | u8(13) << 8;
    const int h = u8(14) | u8(15) << 8;
    const qsizetype pixels = 18 + u8(0);
    if (b.size() < pixels + qsizetype(3) * w * h)
        return {};
    const bool topDown = u8(17) & 0x20;
    QImage image(w, h, QImage::Format_RGB32);
    for (int i = 0; i < w * h; ++i) {
        const qsizetype at = pixels + qsizetype(3) * i;
        const int y = topDown ? i / w : h - 1 - i / w;
        image.setPixel(i % w, y, qRgb(u8(at + 2), u8(at + 1), u8(at)));
    }
    return image;
}

// The entry names of a ZIP archive's central directory, in order; empty when none is found.
inline QStringList ZipEntryNames(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray b = file.readAll();
    const auto le = [&b](qsizetype at, int bytes) {
        quint32 v = 0;
        for (int i = bytes - 1; i >= 0; --i)
            v = v << 8 | quint8(b.at(at + i));
        return v;
    };
    const qsizetype end = b.lastIndexOf(QByteArray("PK\x05\x06", 4));
    if (end < 0 || end + 22 > b.size())
        return {};
    QStringList names;
    qsizetype at = le(end + 16, 4);
    for (quint32 n = le(end + 10, 2); n > 0 && at + 46 <= b.size(); --n) {
        if (le(at, 4) != 0x02014b50)
            return {};
        const quint32 nameLength = le(at + 28, 2);
        names.append(QString::fromUtf8(b.mid(at + 46, nameLength)));
        at += 46 + nameLength + le(at + 30, 2) + le(at + 32, 2);
    }
    return names;
}
