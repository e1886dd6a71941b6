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

} // namespace

QSize DecodedSize(const QSize &original)
{
    const qint64 width = original.width();
    const qint64 height = original.height();
    if (width <= 0 || height <= 0)
        return original;
    // Fitting reaches the box's sides first on the relatively longer side of the picture.
    const bool fitsByWidth = width * FitSize.height() >= height * FitSize.width();
    const qint64 needWidth = qMax(qMin<qint64>(width, StretchSize.width()),
                                  fitsByWidth ? qMin<qint64>(width, FitSize.width()) : 0);
    const qint64 needHeight = qMax(qMin<qint64>(height, StretchSize.height()),
                                   fitsByWidth ? 0 : qMin<qint64>(height, FitSize.height()));
    // One factor for both sides keeps the shape: the side that needs the larger share sets it,
    // and the other rounds up so it loses nothing either.
    if (needWidth * height >= needHeight * width)
        return QSize(int(needWidth), int((height * needWidth + width - 1) / width));
    return QSize(int((width * needHeight + height - 1) / height), int(needHeight));
}

QSize JpegDecodedSize(const QSize &original)
{
    const QSize least = DecodedSize(original);
    if (least == original)
        return original;
    // libjpeg decodes at whole eighths of the size, the smallest eighth that covers the asked
    // size. Asked for exactly that eighth, Qt keeps it; asked for anything else, it holds the
    // eighth and a smooth-scaled copy at once, too much for a long panorama.
    const qint64 width = original.width();
    const qint64 height = original.height();
    qint64 eighths = 1;
    while (eighths < 8 && (width * eighths < 8 * qint64(least.width())
                           || height * eighths < 8 * qint64(least.height())))
        ++eighths;
    if ((width * eighths) % 8 == 0 && (height * eighths) % 8 == 0)
        return QSize(int(width * eighths / 8), int(height * eighths / 8));
    return least;
}

bool DecodePicture(const QString &fileName, QImage &picture, QString *errorString)
{
    const QString name = QDir::toNativeSeparators(fileName);
    const auto refuse = [errorString](const QString &message) {
        if (errorString)
            *errorString = message;
        return false;
    };
    const auto cannotLoad = [&](const QString &reason) {
        return refuse(Tr("Cannot load the picture %1: %2").arg(name, reason));
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
        return refuse(Tr("Cannot load the picture %1: it is too large (%2 x %3 pixels; at most %4 megapixels)")
                          .arg(name, QString::number(declared.width()), QString::number(declared.height()),
                               QString::number(MaxPicturePixels / 1'000'000)));
    }
    // The formats loaded here decode to at most four bytes a pixel.
    const AllocationAllowance allowance(stored.isValid() ? qint64(stored.width()) * stored.height() * 4 : 0);

    const bool reducedWhileDecoding = stored.isValid() && reader.supportsOption(QImageIOHandler::ScaledSize);
    if (reducedWhileDecoding) {
        const QSize size = format == "jpeg" ? JpegDecodedSize(shown) : DecodedSize(shown);
        if (size != shown)
            reader.setScaledSize(turned ? size.transposed() : size);
    }
    QImage decoded = reader.read();
    if (jpegDamage.caught() || (format == "jpeg" && file.readAtEnd()) || (format == "bmp" && file.shortRead())) {
        return refuse(Tr("Cannot load the picture %1: the file is damaged or incomplete")
                          .arg(name));
    }
    if (decoded.isNull())
        return cannotLoad(reader.errorString());

    if (!reducedWhileDecoding) {
        // Converted first, in place where Qt can: smooth scaling takes only RGB32 or premultiplied
        // pixels and would otherwise make a full-size copy of its own.
        decoded = std::move(decoded).convertToFormat(QImage::Format_RGB32);
        const QSize size = DecodedSize(decoded.size());
        if (size != decoded.size())
            decoded = decoded.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    picture = std::move(decoded).convertToFormat(QImage::Format_RGB32);
    return true;
}
