#pragma once

#include <QByteArray>
#include <QFile>
#include <QImage>

// Reads the one TGA kind the writer makes (type 2, 24 bits, bottom row first)
// without sharing any of its code; a null image when the file is anything else.
inline QImage ReadTga(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray b = file.readAll();
    auto u8 = [&](int at) { return quint8(b.at(at)); };
    if (b.size() < 18)
        return {};
    const int w = u8(12) | u8(13) << 8, h = u8(14) | u8(15) << 8;
    const QByteArray zeroFields = b.left(2) + b.mid(3, 9) + b.mid(17, 1);
    if (zeroFields.count('\0') != zeroFields.size() || u8(2) != 2 || u8(16) != 24
        || b.size() != 18 + 3 * w * h)
        return {};
    QImage image(w, h, QImage::Format_RGB32);
    for (int i = 0; i < w * h; ++i) {
        const int at = 18 + 3 * i;
        image.setPixel(i % w, h - 1 - i / w, qRgb(u8(at + 2), u8(at + 1), u8(at)));
    }
    return image;
}
