#include "background/decodepicture.h"

#include "io/tr.h"
#include "io/wholefile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QMutex>
#include <QSysInfo>
#include <QTransform>
#include <QtEndian>

#include <turbojpeg.h>

#include <cerrno>
#include <limits>
#include <memory>

namespace {

const QSize StretchSize(1280, 1024);   // the largest background, stretched whatever the shape
const QSize FitSize(3840, 1600);       // the largest box the picture is fitted in, keeping its shape

// A file that notes when Qt's BMP reader wanted more than the file holds: it asks for each row
// exactly and, given less, keeps what it has.
class WatchedFile : public QIODevice
{
public:
    explicit WatchedFile(const QString &fileName) : m_file(fileName) {}

    bool openReadOnly()
    {
        if (!m_file.open(QIODevice::ReadOnly)) {
            setErrorString(m_file.errorString());
            return false;
        }
        // Unbuffered, so each read arrives here as the decoder asked for it; the file below buffers.
        return QIODevice::open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return false; }
    qint64 size() const override { return m_file.size(); }
    bool seek(qint64 pos) override { return m_file.seek(pos) && QIODevice::seek(pos); }

    bool shortRead() const { return m_shortRead; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 got = m_file.read(data, maxSize);
        m_shortRead = m_shortRead || got < maxSize;
        return got;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QFile m_file;
    bool m_shortRead = false;
};

// Qt refuses to allocate more than its limit (128 MB by default) for any one image, against
// headers that lie; a picture whose size has been checked may have what it needs, for this read.
// The limit is the process's, so these reads take turns: another would restore it under this one.
class AllocationAllowance
{
public:
    explicit AllocationAllowance(qint64 bytes) : m_turn(&readsInTurn()), m_previous(QImageReader::allocationLimit())
    {
        const qint64 megabytes = (bytes + (1 << 20) - 1) >> 20;
        if (m_previous != 0 && megabytes > m_previous)
            QImageReader::setAllocationLimit(int(megabytes));
    }
    ~AllocationAllowance() { QImageReader::setAllocationLimit(m_previous); }
    AllocationAllowance(const AllocationAllowance &) = delete;
    AllocationAllowance &operator=(const AllocationAllowance &) = delete;

private:
    static QMutex &readsInTurn()
    {
        static QMutex mutex;
        return mutex;
    }

    const QMutexLocker<QMutex> m_turn;
    const int m_previous;
};

// Qt's BMP reader turns down a header of more than 16384x16384 pixels without giving its size;
// the size it declares is still the reason to tell.
QSize declaredBmpSize(const QString &fileName)
{
    QFile file(fileName);
    const QByteArray header = file.open(QIODevice::ReadOnly) ? file.read(26) : QByteArray();
    if (header.size() < 26)
        return {};
    const char *bytes = header.constData();
    const quint32 infoSize = qFromLittleEndian<quint32>(bytes + 14);
    if (infoSize == 12)
        return QSize(qFromLittleEndian<quint16>(bytes + 18), qFromLittleEndian<quint16>(bytes + 20));
    const qint32 width = qFromLittleEndian<qint32>(bytes + 18);
    const qint32 height = qFromLittleEndian<qint32>(bytes + 22);   // negative when stored top down
    if (infoSize < 40 || height == std::numeric_limits<qint32>::min())
        return {};
    return QSize(width, qAbs(height));
}

bool covers(const QSize &size, const QSize &least)
{
    return size.width() >= least.width() && size.height() >= least.height();
}

qint64 pixels(const QSize &size)
{
    return qint64(size.width()) * size.height();
}

// Why a picture was not loaded; DecodePicture words it.
struct Refusal
{
    enum Kind { None, Unreadable, TooLarge, Damaged };
    Kind kind = None;
    QString reason;   // Unreadable: what the system or the decoder said
    QSize declared;   // TooLarge: the size its header declares, as shown
};

Refusal unreadable(const QString &reason)
{
    return {Refusal::Unreadable, reason, {}};
}

struct TurboJpegDestroyer
{
    void operator()(void *decoder) const { tjDestroy(decoder); }
};
using TurboJpegDecoder = std::unique_ptr<void, TurboJpegDestroyer>;

// TurboJPEG tells a warning (data wrong or ending early: the picture would come grey or smeared
// where it is) from an error by its code; only the error's own words are worth passing on.
Refusal turboJpegRefusal(void *decoder)
{
    if (tjGetErrorCode(decoder) == TJERR_WARNING)
        return {Refusal::Damaged, {}, {}};
    return unreadable(QString::fromLocal8Bit(tjGetErrorStr2(decoder)));
}

// The smallest size TurboJPEG decodes a JPEG of `stored` size at (whole eighths of it, each side
// rounded up) that still covers `least`.
QSize smallestCoveringScale(const QSize &stored, const QSize &least)
{
    int count = 0;
    const tjscalingfactor *factors = tjGetScalingFactors(&count);
    QSize smallest = stored;
    for (int i = 0; factors && i < count; ++i) {
        const tjscalingfactor factor = factors[i];
        if (factor.num > factor.denom)
            continue;
        const QSize size(TJSCALED(stored.width(), factor), TJSCALED(stored.height(), factor));
        if (covers(size, least) && pixels(size) < pixels(smallest))
            smallest = size;
    }
    return smallest;
}

// The photo's own turn, which TurboJPEG leaves to us: Qt's reader finds it in the header alone.
QImageIOHandler::Transformations jpegTransformation(const QByteArray &jpeg)
{
    QBuffer buffer;
    buffer.setData(jpeg);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader(&buffer, "jpeg").transformation();
}

// Turned as Qt's reader turns a picture by its transformation: mirrored and flipped, then turned
// a quarter clockwise.
QImage turned(QImage picture, QImageIOHandler::Transformations transformation)
{
    const bool mirror = transformation.testFlag(QImageIOHandler::TransformationMirror);
    const bool flip = transformation.testFlag(QImageIOHandler::TransformationFlip);
    if (mirror || flip)
        picture = std::move(picture).mirrored(mirror, flip);
    if (transformation.testFlag(QImageIOHandler::TransformationRotate90))
        picture = picture.transformed(QTransform().rotate(90));
    return picture;
}

// Decodes a JPEG held in memory at the smallest eighth that covers what is needed, straight into
// the RGB32 picture: no larger copy is ever held, and the file is let go before the picture turns.
// Any warning stops the decoder, so data that is wrong, ends early or arrives out of progression
// refuses the file instead of giving a picture grey or smeared where it was.
Refusal decodeJpeg(QByteArray jpeg, const QSize &needed, QImage &picture)
{
    const TurboJpegDecoder decoder(tjInitDecompress());
    if (!decoder)
        return unreadable(QString::fromLocal8Bit(tjGetErrorStr2(nullptr)));
    const auto *data = reinterpret_cast<const unsigned char *>(jpeg.constData());
    const auto size = static_cast<unsigned long>(jpeg.size());
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    if (tjDecompressHeader3(decoder.get(), data, size, &width, &height, &subsampling, &colorspace) != 0)
        return turboJpegRefusal(decoder.get());
    // Tables alone, the data ending before any frame, pass as a header that declares no size.
    if (width < 1 || height < 1)
        return {Refusal::Damaged, {}, {}};

    // The limits hold for the picture as shown, after its turn; it is decoded as stored.
    const QImageIOHandler::Transformations transformation = jpegTransformation(jpeg);
    const bool sideways = transformation.testFlag(QImageIOHandler::TransformationRotate90);
    const QSize stored(width, height);
    const QSize shown = sideways ? stored.transposed() : stored;
    if (pixels(shown) > MaxPicturePixels)
        return {Refusal::TooLarge, {}, shown};
    const QSize least = DecodedSize(shown, needed);
    const QSize scaled = smallestCoveringScale(stored, sideways ? least.transposed() : least);

    QImage decoded(scaled, QImage::Format_RGB32);
    if (decoded.isNull())
        return unreadable(qt_error_string(ENOMEM));
    // libjpeg turns no CMYK into RGB; its four bytes a pixel are converted below, in place.
    const bool cmyk = colorspace == TJCS_CMYK || colorspace == TJCS_YCCK;
    // RGB32 pixels are 0xffRRGGBB words: blue first in memory on little-endian machines.
    const int rgb32 = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? TJPF_BGRX : TJPF_XRGB;
    // Past 500 scans a progressive JPEG is refused: real ones have about ten, and each scan costs
    // a pass over every coefficient.
    const int flags = TJFLAG_STOPONWARNING | TJFLAG_ACCURATEDCT | TJFLAG_LIMITSCANS;
    if (tjDecompress2(decoder.get(), data, size, decoded.bits(), scaled.width(), int(decoded.bytesPerLine()),
                      scaled.height(), cmyk ? TJPF_CMYK : rgb32, flags) != 0)
        return turboJpegRefusal(decoder.get());
    jpeg.clear();
    if (cmyk) {
        // Stored inverted, as Adobe's programs write CMYK JPEGs (and as Qt's own reader takes them):
        // each ink byte is already the light left, to be dimmed by the black's.
        for (int y = 0; y < decoded.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(decoded.scanLine(y));
            for (int x = 0; x < decoded.width(); ++x) {
                const auto *ink = reinterpret_cast<const uchar *>(line + x);
                const int k = ink[3];
                line[x] = qRgb(ink[0] * k / 255, ink[1] * k / 255, ink[2] * k / 255);
            }
        }
    }
    picture = turned(std::move(decoded), transformation);
    return {};
}

// Decodes any other picture Qt reads: reduced while decoding where its reader can, else decoded
// whole and smooth-scaled.
Refusal decodeWithQt(const QString &fileName, const QSize &needed, QImage &picture)
{
    WatchedFile file(fileName);
    if (!file.openReadOnly())
        return unreadable(file.errorString());
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    const QByteArray format = reader.format();

    // The stored size is before the picture's own turn, which is applied after scaling: the
    // limits hold for the picture as shown.
    const bool sideways = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    const QSize stored = reader.size();
    const QSize shown = sideways ? stored.transposed() : stored;
    const QSize declared = stored.isValid() || format != "bmp" ? shown : declaredBmpSize(fileName);
    if (declared.isValid() && pixels(declared) > MaxPicturePixels)
        return {Refusal::TooLarge, {}, declared};
    // The formats loaded here decode to at most four bytes a pixel.
    const AllocationAllowance allowance(stored.isValid() ? pixels(stored) * 4 : 0);

    const bool reducedWhileDecoding = stored.isValid() && reader.supportsOption(QImageIOHandler::ScaledSize);
    if (reducedWhileDecoding) {
        const QSize size = DecodedSize(shown, needed);
        if (size != shown)
            reader.setScaledSize(sideways ? size.transposed() : size);
    }
    QImage decoded = reader.read();
    if (format == "bmp" && file.shortRead())
        return {Refusal::Damaged, {}, {}};
    if (decoded.isNull())
        return unreadable(reader.errorString());

    if (!reducedWhileDecoding) {
        // Converted first, in place where Qt can: smooth scaling takes only RGB32 or premultiplied
        // pixels and would otherwise make a full-size copy of its own.
        decoded = std::move(decoded).convertToFormat(QImage::Format_RGB32);
        const QSize size = DecodedSize(decoded.size(), needed);
        if (size != decoded.size())
            decoded = decoded.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    picture = std::move(decoded).convertToFormat(QImage::Format_RGB32);
    return {};
}

} // namespace

QSize DecodedSize(const QSize &original, const QSize &needed)
{
    const qint64 width = original.width();
    const qint64 height = original.height();
    if (width <= 0 || height <= 0)
        return original;
    qint64 needWidth = qMin<qint64>(width, qMax(needed.width(), 0));
    qint64 needHeight = qMin<qint64>(height, qMax(needed.height(), 0));
    if (needed.isEmpty()) {
        // Fitting reaches the box's sides first on the relatively longer side of the picture.
        const bool fitsByWidth = width * FitSize.height() >= height * FitSize.width();
        needWidth = qMax(qMin<qint64>(width, StretchSize.width()),
                         fitsByWidth ? qMin<qint64>(width, FitSize.width()) : 0);
        needHeight = qMax(qMin<qint64>(height, StretchSize.height()),
                          fitsByWidth ? 0 : qMin<qint64>(height, FitSize.height()));
    }
    // One factor for both sides keeps the shape: the side that needs the larger share sets it,
    // and the other rounds up so it loses nothing either.
    if (needWidth * height >= needHeight * width)
        return QSize(int(needWidth), int((height * needWidth + width - 1) / width));
    return QSize(int((width * needHeight + height - 1) / height), int(needHeight));
}

bool DecodePicture(const QString &fileName, QImage &picture, QString *errorString, const QSize &needed)
{
    QImage decoded;
    Refusal refusal;
    QFile file(fileName);
    // A pipe or a device would be read without end; a folder is no picture.
    if (const QString notAFile = NotARegularFile(fileName); !notAFile.isEmpty()) {
        refusal = unreadable(notAFile);
    } else if (!file.open(QIODevice::ReadOnly)) {
        refusal = unreadable(file.errorString());
    } else if (file.peek(2) == "\xff\xd8") {
        // TurboJPEG reads only from memory: the whole file is held while it decodes.
        QByteArray jpeg = file.readAll();
        refusal = file.error() == QFileDevice::NoError ? decodeJpeg(std::move(jpeg), needed, decoded)
                                                       : unreadable(file.errorString());
    } else {
        file.close();
        refusal = decodeWithQt(fileName, needed, decoded);
    }

    const QString name = QDir::toNativeSeparators(fileName);
    QString message;
    switch (refusal.kind) {
    case Refusal::None:
        picture = std::move(decoded);
        return true;
    case Refusal::Unreadable:
        message = Quiltra::tr("Cannot load the picture %1: %2").arg(name, refusal.reason);
        break;
    case Refusal::TooLarge:
        message = Quiltra::tr("Cannot load the picture %1: it is too large (%2 x %3 pixels; at most %4 megapixels)")
                      .arg(name, QString::number(refusal.declared.width()), QString::number(refusal.declared.height()),
                           QString::number(MaxPicturePixels / 1'000'000));
        break;
    case Refusal::Damaged:
        message = Quiltra::tr("Cannot load the picture %1: the file is damaged or incomplete").arg(name);
        break;
    }
    if (errorString)
        *errorString = message;
    return false;
}
