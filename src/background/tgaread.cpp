#include "background/tgaread.h"

#include "io/messages.h"
#include "io/tr.h"
#include "io/wholefile.h"

#include <QFile>

#include <algorithm>

namespace {

constexpr int HeaderSize = 18;
constexpr int MaxEdge = 4096;
// The most bytes a picture within MaxEdge can take: an image ID of 255 bytes, then every
// pixel in a packet of its own. Anything after the pixels (a TGA 2.0 footer) is not needed.
constexpr qint64 MostBytesRead = HeaderSize + 255 + qint64(MaxEdge) * MaxEdge * (1 + 4);

bool refuse(QString *reason, const QString &text)
{
    *reason = text;
    return false;
}

QString endsEarly()
{
    return Quiltra::tr("its data ends early");
}

} // namespace

// Every length is checked against `bytes` before it is read.
bool DecodeTgaPicture(const QByteArray &bytes, QImage *picture, QString *reason, int largestSide)
{
    largestSide = std::min(largestSide, MaxEdge);
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype size = bytes.size();
    if (size < HeaderSize)
        return refuse(reason, endsEarly());
    const int type = data[2];
    if (type != 2 && type != 10)
        return refuse(reason, Quiltra::tr("it is not a true-colour TGA picture"));
    if (data[1] != 0 || std::any_of(data + 3, data + 8, [](uchar b) { return b != 0; }))
        return refuse(reason, Quiltra::tr("it has a colour map"));
    const int bits = data[16];
    if (bits != 24 && bits != 32)
        return refuse(reason, Quiltra::tr("it has %1 bits a pixel, not 24 or 32").arg(bits));
    const int w = data[12] | data[13] << 8;
    const int h = data[14] | data[15] << 8;
    if (w == 0 || h == 0)
        return refuse(reason, Quiltra::tr("it holds no pixels"));
    if (w > largestSide || h > largestSide)
        return refuse(reason, Quiltra::tr("it is %1x%2 pixels, not within %3x%4").arg(w).arg(h).arg(largestSide).arg(largestSide));

    const int descriptor = data[17];
    const int depth = bits / 8;
    const qsizetype count = qsizetype(w) * h;
    qsizetype at = HeaderSize + data[0];   // past the image ID
    if (type == 2 && size - at < count * depth)
        return refuse(reason, endsEarly());
    const bool composed = depth == 4 && (descriptor & 0x0f) != 0;
    const bool topFirst = descriptor & 0x20;
    const bool rightFirst = descriptor & 0x10;
    QImage image(w, h, QImage::Format_RGB32);
    if (image.isNull())
        return refuse(reason, Quiltra::tr("there is not enough memory for it"));

    auto colour = [&](const uchar *p) {
        if (!composed)
            return qRgb(p[2], p[1], p[0]);
        const int a = p[3];
        return qRgb((p[2] * a + 127) / 255, (p[1] * a + 127) / 255, (p[0] * a + 127) / 255);
    };
    qsizetype done = 0;
    auto put = [&](QRgb c) {
        const int row = int(done / w), column = int(done % w);
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(topFirst ? row : h - 1 - row));
        line[rightFirst ? w - 1 - column : column] = c;
        ++done;
    };

    if (type == 2) {
        for (; done < count; at += depth)
            put(colour(data + at));
    } else {
        // Packets may run on from one row to the next, never past the last pixel.
        while (done < count) {
            if (at >= size)
                return refuse(reason, endsEarly());
            const int packet = data[at++];
            const qsizetype n = (packet & 0x7f) + 1;
            const bool run = packet & 0x80;
            if (n > count - done)
                return refuse(reason, Quiltra::tr("a packet of its pixels runs past the end of the picture"));
            if (size - at < (run ? 1 : n) * depth)
                return refuse(reason, endsEarly());
            if (run) {
                const QRgb c = colour(data + at);
                at += depth;
                for (qsizetype i = 0; i < n; ++i)
                    put(c);
            } else {
                for (qsizetype i = 0; i < n; ++i, at += depth)
                    put(colour(data + at));
            }
        }
    }
    *picture = image;
    return true;
}

bool CheckTgaTile(const QByteArray &bytes, QString *reason)
{
    if (bytes.size() > MaxTileFileBytes)
        return refuse(reason, Quiltra::tr("it is larger than %1 KB").arg(MaxTileFileBytes / 1024));
    QImage picture;
    return DecodeTgaPicture(bytes, &picture, reason, MaxTileSide);
}

bool ReadTgaPicture(const QString &fileName, QImage *picture, QString *errorString)
{
    QByteArray bytes;
    if (!ReadRegularFile(fileName, MostBytesRead, &bytes, errorString))
        return false;
    QString reason;
    if (!DecodeTgaPicture(bytes, picture, &reason)) {
        *errorString = CannotReadMessage(fileName, reason);
        return false;
    }
    return true;
}
