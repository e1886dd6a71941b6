#include "background/decodepicture.h"

#include "io/tr.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLoggingCategory>
#include <QtEndian>

#include <atomic>
#include <limits>

namespace {

const QSize StretchSize(1280, 1024);   // the largest background, stretched whatever the shape
const QSize FitSize(3840, 1600);       // the largest box the picture is fitted in, keeping its shape

// A file that notes when its decoder wanted more than the file holds. Qt's BMP reader asks for
// each row exactly and, given less, keeps what it has; its JPEG reader reads ahead in blocks, so
// there only a read that finds nothing left shows the data stopped before its end marker (the
// reader then makes one up and fills the missing rows grey).
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
    bool readAtEnd() const { return m_readAtEnd; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 got = m_file.read(data, maxSize);
        m_shortRead = m_shortRead || got < maxSize;
        m_readAtEnd = m_readAtEnd || (got <= 0 && maxSize > 0);
        return got;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QFile m_file;
    bool m_shortRead = false;
    bool m_readAtEnd = false;
};

const char JpegCategory[] = "qt.gui.imageio.jpeg";
// Any thread that logs may read these while a picture is decoded.
std::atomic<QtMessageHandler> previousHandler = nullptr;
std::atomic<QLoggingCategory::CategoryFilter> previousFilter = nullptr;
thread_local bool *jpegDamageSeen = nullptr;

// libjpeg's words for data that is wrong. (Data that ends early it never reports through Qt,
// which makes up the end marker itself.) Its other warnings, and Qt's own about an odd EXIF
// orientation, leave the picture whole.
bool tellsOfDamage(const QString &message)
{
    return message.startsWith(u"Corrupt JPEG data") || message.startsWith(u"Inconsistent progression sequence");
}

void catchJpegDamage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (jpegDamageSeen && type == QtWarningMsg && context.category
        && qstrcmp(context.category, JpegCategory) == 0 && tellsOfDamage(message)) {
        *jpegDamageSeen = true;
        return;
    }
    if (const QtMessageHandler handler = previousHandler)
        handler(type, context, message);
}

// While installing, Qt runs the new filter before handing back the old one; the categories
// then keep what the old filter last gave them.
void keepJpegWarnings(QLoggingCategory *category)
{
    if (const QLoggingCategory::CategoryFilter filter = previousFilter)
        filter(category);
    if (qstrcmp(category->categoryName(), JpegCategory) == 0)
        category->setEnabled(QtWarningMsg, true);
}

// Qt's JPEG reader passes libjpeg's complaints on only as warnings of its own category, and still
// returns an image, grey or smeared where the data was missing or wrong. While it lives, this
// catches those warnings from its own thread, even where logging rules silence them, and hands
// every other message on to the handler that was there before.
class JpegDamageCatcher
{
public:
    JpegDamageCatcher()
    {
        jpegDamageSeen = &m_seen;
        previousHandler = qInstallMessageHandler(catchJpegDamage);
        previousFilter = QLoggingCategory::installFilter(keepJpegWarnings);
    }
    ~JpegDamageCatcher()
    {
        QLoggingCategory::installFilter(previousFilter);
        qInstallMessageHandler(previousHandler);
        previousFilter = nullptr;
        previousHandler = nullptr;
        jpegDamageSeen = nullptr;
    }
    JpegDamageCatcher(const JpegDamageCatcher &) = delete;
    JpegDamageCatcher &operator=(const JpegDamageCatcher &) = delete;

    bool caught() const { return m_seen; }

private:
    bool m_seen = false;
};

// Qt refuses to allocate more than its limit (128 MB by default) for any one image, against
// headers that lie; a picture whose size has been checked may have what it needs, for this read.
class AllocationAllowance
{
public:
    explicit AllocationAllowance(qint64 bytes) : m_previous(QImageReader::allocationLimit())
    {
        const qint64 megabytes = (bytes + (1 << 20) - 1) >> 20;
        if (m_previous != 0 && megabytes > m_previous)
            QImageReader::setAllocationLimit(int(megabytes));
    }
    ~AllocationAllowance() { QImageReader::setAllocationLimit(m_previous); }
    AllocationAllowance(const AllocationAllowance &) = delete;
    AllocationAllowance &operator=(const AllocationAllowance &) = delete;

private:
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

// libjpeg decodes at whole eighths of the size, each side rounded up.
QSize eighthsOf(const QSize &original, int eighths)
{
    return QSize(int((qint64(original.width()) * eighths + 7) / 8),
                 int((qint64(original.height()) * eighths + 7) / 8));
}

bool covers(const QSize &size, const QSize &least)
{
    return size.width() >= least.width() && size.height() >= least.height();
}

qint64 pixels(const QSize &size)
{
    return qint64(size.width()) * size.height();
}

// Asked for a size, Qt's reader decodes at the eighth of the picture that the size's share of it
// rounds up to, and smooth-scales a copy unless that eighth is the size asked, which it is only
// when both sides divide into it. Given a clip rect too, it takes a half, quarter or eighth instead,
// by whole division of the clip by the size; through a clip rect rounded up to whole reduced
// pixels (clipToHalvings), any picture comes whole at those.
bool handedOverWhole(const QSize &original, int eighths)
{
    return eighths == 1 || eighths == 2 || eighths == 4 || eighths == 8
        || (qint64(original.width()) * eighths % 8 == 0 && qint64(original.height()) * eighths % 8 == 0);
}

// The clip rect through which the reader hands over `size` as the half, quarter or eighth of
// `original` that it is; null when it is none of them.
QRect clipToHalvings(const QSize &original, const QSize &size)
{
    for (const int halvings : {2, 4, 8}) {
        if (size == eighthsOf(original, 8 / halvings))
            return QRect(QPoint(0, 0), size * halvings);
    }
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

QSize JpegDecodedSize(const QSize &original, const QSize &needed)
{
    const QSize least = DecodedSize(original, needed);
    if (least == original)
        return original;
    int covering = 1;
    while (covering < 8 && !covers(eighthsOf(original, covering), least))
        ++covering;
    int whole = covering;
    while (!handedOverWhole(original, whole))
        ++whole;
    // Asked for `least`, the reader holds the covering eighth and the copy scaled from it at once.
    const qint64 scaledPeak = pixels(eighthsOf(original, covering)) + pixels(least);
    return pixels(eighthsOf(original, whole)) <= scaledPeak ? eighthsOf(original, whole) : least;
}

bool DecodePicture(const QString &fileName, QImage &picture, QString *errorString, const QSize &needed)
{
    const QString name = QDir::toNativeSeparators(fileName);
    const auto refuse = [errorString](const QString &message) {
        if (errorString)
            *errorString = message;
        return false;
    };
    const auto cannotLoad = [&](const QString &reason) {
        return refuse(Quiltra::tr("Cannot load the picture %1: %2").arg(name, reason));
    };

    WatchedFile file(fileName);
    if (!file.openReadOnly())
        return cannotLoad(file.errorString());
    const JpegDamageCatcher jpegDamage;
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    const QByteArray format = reader.format();

    // The stored size is before the photo's own rotation, which is applied after scaling:
    // the limits hold for the picture as shown.
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    const QSize stored = reader.size();
    const QSize shown = turned ? stored.transposed() : stored;
    const QSize declared = stored.isValid() || format != "bmp" ? shown : declaredBmpSize(fileName);
    if (declared.isValid() && qint64(declared.width()) * declared.height() > MaxPicturePixels) {
        return refuse(Quiltra::tr("Cannot load the picture %1: it is too large (%2 x %3 pixels; at most %4 megapixels)")
                          .arg(name, QString::number(declared.width()), QString::number(declared.height()),
                               QString::number(MaxPicturePixels / 1'000'000)));
    }
    // The formats loaded here decode to at most four bytes a pixel.
    const AllocationAllowance allowance(stored.isValid() ? qint64(stored.width()) * stored.height() * 4 : 0);

    const bool reducedWhileDecoding = stored.isValid() && reader.supportsOption(QImageIOHandler::ScaledSize);
    if (reducedWhileDecoding) {
        const QSize size = format == "jpeg" ? JpegDecodedSize(shown, needed) : DecodedSize(shown, needed);
        const QSize storedSize = turned ? size.transposed() : size;
        if (size != shown) {
            reader.setScaledSize(storedSize);
            if (format == "jpeg")
                reader.setClipRect(clipToHalvings(stored, storedSize));
        }
    }
    QImage decoded = reader.read();
    if (jpegDamage.caught() || (format == "jpeg" && file.readAtEnd()) || (format == "bmp" && file.shortRead())) {
        return refuse(Quiltra::tr("Cannot load the picture %1: the file is damaged or incomplete")
                          .arg(name));
    }
    if (decoded.isNull())
        return cannotLoad(reader.errorString());

    if (!reducedWhileDecoding) {
        // Converted first, in place where Qt can: smooth scaling takes only RGB32 or premultiplied
        // pixels and would otherwise make a full-size copy of its own.
        decoded = std::move(decoded).convertToFormat(QImage::Format_RGB32);
        const QSize size = DecodedSize(decoded.size(), needed);
        if (size != decoded.size())
            decoded = decoded.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    picture = std::move(decoded).convertToFormat(QImage::Format_RGB32);
    return true;
}
