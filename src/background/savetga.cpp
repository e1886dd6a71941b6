#include "background/savetga.h"

#include "io/tr.h"
#include "io/wholefile.h"

#include <QFileDevice>
#include <QIODevice>

#include <algorithm>

namespace {

constexpr int HeaderSize = 18;
constexpr int MaxEdge = 32767;   // the header holds the size as signed 16-bit values

void putLittle16(char *at, int value)
{
    at[0] = char(value & 0xff);
    at[1] = char((value >> 8) & 0xff);
}

// "Cannot write <file>: <reason>" when the device is a file, else without a name.
QString deviceFailure(const QIODevice *device, const QString &reason)
{
    const auto *file = qobject_cast<const QFileDevice *>(device);
    if (file && !file->fileName().isEmpty())
        return CannotWriteMessage(file->fileName(), reason);
    return Quiltra::tr("Cannot write the TGA image: %1").arg(reason);
}

} // namespace

qint64 TgaFileSize(int width, int height)
{
    return HeaderSize + qint64(3) * width * height;
}

QByteArray SaveTGA::tgaBytes(const QImage &surface, QString *reason)
{
    const int W = surface.width();
    const int H = surface.height();
    if (surface.isNull() || W <= 0 || H <= 0) {
        *reason = Quiltra::tr("the picture is empty");
        return {};
    }
    if (W > MaxEdge || H > MaxEdge) {
        *reason = Quiltra::tr("the picture is %1x%2 pixels, but a TGA file holds at most %3 either way")
                      .arg(W).arg(H).arg(MaxEdge);
        return {};
    }

    // Any other format is brought to 32-bit RGB once; the colour channels are
    // then read straight from the scan lines.
    const bool direct = surface.format() == QImage::Format_RGB32
                        || surface.format() == QImage::Format_ARGB32;
    const QImage pixels = direct ? surface : surface.convertToFormat(QImage::Format_RGB32);

    QByteArray bytes(TgaFileSize(W, H), Qt::Uninitialized);
    char *out = bytes.data();
    std::fill(out, out + HeaderSize, char(0));
    out[2] = 2;                    // uncompressed true-colour
    putLittle16(out + 12, W);
    putLittle16(out + 14, H);
    out[16] = 24;                  // bits per pixel; descriptor 0 means bottom row first
    out += HeaderSize;

    for (int y = H - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        for (int x = 0; x < W; ++x) {
            const QRgb p = line[x];
            *out++ = char(qBlue(p));
            *out++ = char(qGreen(p));
            *out++ = char(qRed(p));
        }
    }
    return bytes;
}

bool SaveTGA::SaveTGAinFile(const QString &fileName, const QImage &surface)
{
    WholeFileSet file;
    if (!SaveTGAinFile(&file, fileName, surface))
        return false;
    if (!file.commit())
        m_errorString = file.errorString();
    return m_errorString.isEmpty();
}

bool SaveTGA::SaveTGAinFile(WholeFileSet *files, const QString &fileName, const QImage &surface)
{
    m_errorString.clear();
    QString reason;
    const QByteArray bytes = tgaBytes(surface, &reason);
    if (bytes.isEmpty()) {
        m_errorString = CannotWriteMessage(fileName, reason);
        return false;
    }
    if (!files->add(fileName, bytes)) {
        m_errorString = files->errorString();
        return false;
    }
    return true;
}

bool SaveTGA::SaveTGAinFile(QIODevice *device, const QImage &surface)
{
    m_errorString.clear();
    if (!device || !device->isWritable()) {
        m_errorString = deviceFailure(device, Quiltra::tr("the device is not open for writing"));
        return false;
    }
    QString reason;
    const QByteArray bytes = tgaBytes(surface, &reason);
    if (bytes.isEmpty()) {
        m_errorString = deviceFailure(device, reason);
        return false;
    }
    if (!WriteAllTo(device, bytes, &reason)) {
        m_errorString = deviceFailure(device, reason);
        return false;
    }
    return true;
}

QString SaveTGA::errorString() const
{
    return m_errorString;
}
