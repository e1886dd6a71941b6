#include "background/decodepicture.h"
#include "common/warnings.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

// The test picture: its top-left quarter red, the rest blue, so a picture turned, flipped or
// mirrored on its way in shows.
bool redAt(const QSize &size, int x, int y)
{
    return x < size.width() / 2 && y < size.height() / 2;
}

QImage quarterPicture(const QSize &size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    for (int y = 0; y < size.height() / 2; ++y)
        std::fill_n(reinterpret_cast<QRgb *>(picture.scanLine(y)), size.width() / 2, qRgb(255, 0, 0));
    return picture;
}

QByteArray littleEndian32(qint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// The header of a bottom-up 24-bit BMP (top-down when `height` is negative), from the format.
QByteArray bmpHeader(qint32 width, qint32 height)
{
    const qint64 rowBytes = (qint64(width) * 3 + 3) / 4 * 4;
    const qint64 fileSize = 54 + rowBytes * qAbs(qint64(height));
    return "BM" + littleEndian32(qint32(qMin<qint64>(fileSize, 0x7fffffff))) + littleEndian32(0)
        + littleEndian32(54) + littleEndian32(40) + littleEndian32(width) + littleEndian32(height)
        + QByteArray::fromHex("01001800") + littleEndian32(0) + littleEndian32(0)
        + littleEndian32(2835) + littleEndian32(2835) + littleEndian32(0) + littleEndian32(0);
}

// The quarter picture as a BMP, written row by row so that a large one costs no memory.
bool writeQuarterBmp(QIODevice &device, const QSize &size)
{
    if (device.write(bmpHeader(size.width(), size.height())) != 54)
        return false;
    QByteArray row((size.width() * 3 + 3) / 4 * 4, '\0');
    for (int y = size.height() - 1; y >= 0; --y) {
        for (int x = 0; x < size.width(); ++x) {
            const bool red = redAt(size, x, y);
            row[3 * x] = red ? '\0' : '\xff';       // blue, green, red
            row[3 * x + 2] = red ? '\xff' : '\0';
        }
        if (device.write(row) != row.size())
            return false;
    }
    return true;
}

QByteArray quarterBmp(const QSize &size)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    return writeQuarterBmp(buffer, size) ? buffer.data() : QByteArray();
}

QByteArray jpegOf(const QImage &picture, bool progressive = false)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    return writer.write(picture) ? buffer.data() : QByteArray();
}

// The JPEG's entropy-coded data: from behind its start-of-scan header to its end marker.
qsizetype scanStart(const QByteArray &jpeg)
{
    const qsizetype sos = jpeg.indexOf("\xff\xda");
    return sos < 0 ? -1 : sos + 2 + qFromBigEndian<quint16>(jpeg.constData() + sos + 2);
}

// A photo stored as `stored`, with an EXIF orientation that shows it upright: 6 "turn 90 degrees
// clockwise", 5 "mirror across the top-left to bottom-right diagonal".
QByteArray turnedJpegOf(const QImage &stored, char orientation)
{
    const QByteArray jpeg = jpegOf(stored);
    const QByteArray exif = QByteArray::fromHex("ffe10022") + QByteArray("Exif\0\0", 6)
        + QByteArray::fromHex("49492a0008000000" "0100" "1201030001000000") + orientation
        + QByteArray::fromHex("000000" "00000000");
    return jpeg.left(2) + exif + jpeg.mid(2);
}

// A tiny JPEG whose frame header declares `size`: the pixels behind it are never there.
QByteArray jpegDeclaring(const QSize &size)
{
    QByteArray jpeg = jpegOf(quarterPicture(QSize(16, 16)));
    const qsizetype sof = jpeg.indexOf("\xff\xc0");
    qToBigEndian<quint16>(size.height(), jpeg.data() + sof + 5);
    qToBigEndian<quint16>(size.width(), jpeg.data() + sof + 7);
    return jpeg;
}

QByteArray withScanBytes(QByteArray jpeg, const QByteArray &bytes)
{
    const qsizetype start = scanStart(jpeg);
    return jpeg.replace((start + jpeg.size()) / 2, bytes.size(), bytes);
}

// A progressive JPEG whose first refinement of AC coefficients claims a second refinement
// (successive approximation 2 -> 1, where 1 -> 0 comes next): a scan out of sequence.
QByteArray progressiveJpegOutOfSequence(const QImage &picture)
{
    QByteArray jpeg = jpegOf(picture, true);
    for (qsizetype sos = jpeg.indexOf("\xff\xda"); sos >= 0; sos = jpeg.indexOf("\xff\xda", sos + 2)) {
        const qsizetype approximation = sos + 1 + qFromBigEndian<quint16>(jpeg.constData() + sos + 2);
        const char spectralStart = jpeg[approximation - 2];
        if (spectralStart != 0 && jpeg[approximation] == '\x10') {
            jpeg[approximation] = '\x21';
            return jpeg;
        }
    }
    return {};
}

// A CMYK JPEG of one colour, its inks as given, put together from flat grey JPEGs (the same
// tables at the same quality): a frame of four components, then each grey scan as one of them.
// Four components and no Adobe marker: libjpeg takes them as CMYK.
QByteArray cmykJpegOf(const QList<int> &inks)
{
    QByteArray jpeg, scans;
    for (int ink = 0; ink < 4; ++ink) {
        QImage grey(QSize(16, 16), QImage::Format_Grayscale8);
        grey.fill(QColor(inks[ink], inks[ink], inks[ink]));
        const QByteArray one = jpegOf(grey);
        const qsizetype sof = one.indexOf("\xff\xc0"), sos = one.indexOf("\xff\xda");
        if (ink == 0) {
            jpeg = one.left(sof) + QByteArray::fromHex("ffc00014") + one.mid(sof + 4, 5) + '\x04';
            scans = one.mid(sof + 13, sos - sof - 13);   // the Huffman tables
        }
        jpeg += char(ink + 1) + QByteArray::fromHex("1100");
        scans += one.mid(sos, 5) + char(ink + 1) + one.mid(sos + 6, one.size() - sos - 8);
    }
    return jpeg + scans + "\xff\xd9";
}

QByteArray garbage()
{
    QRandomGenerator random(7);
    QByteArray bytes(32, '\0');
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

const QSize SmallSize(600, 400);

} // namespace

// Loading BMP and JPEG pictures: how far they are reduced, what is refused, and why.
class TestDecodePicture : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return {};
        return file.fileName();
    }
    static QString cannotLoad(const QString &file, const QString &reason)
    {
        return "Cannot load the picture " + QDir::toNativeSeparators(file) + ": " + reason;
    }

private slots:
    void init() { FailOnUndeclaredWarnings(); }

    // The least size keeps what the need asks (by default what fitting in 3840x1600 and stretching
    // to 1280x1024 ask), each side rounded up.
    void decodedSizesKeepWhatTheNeedAsks_data()
    {
        QTest::addColumn<QSize>("original"); QTest::addColumn<QSize>("needed"); QTest::addColumn<QSize>("least");
        const QSize everyUse;
        QTest::newRow("photo: the fit's height") << QSize(6000, 4000) << everyUse << QSize(2400, 1600);
        QTest::newRow("100 MP square") << QSize(10000, 10000) << everyUse << QSize(1600, 1600);
        QTest::newRow("rounded up") << QSize(8000, 6000) << everyUse << QSize(2134, 1600);
        QTest::newRow("odd sides") << QSize(4001, 2001) << everyUse << QSize(3200, 1600);
        QTest::newRow("barely larger") << QSize(4000, 1700) << everyUse << QSize(3765, 1600);
        QTest::newRow("just over the fit's box") << QSize(3841, 1601) << everyUse << QSize(3839, 1600);
        QTest::newRow("wide: the fit's width") << QSize(9000, 3000) << everyUse << QSize(3840, 1280);
        QTest::newRow("panorama: the stretch's height") << QSize(30000, 2000) << everyUse << QSize(15360, 1024);
        QTest::newRow("panorama off the pixel") << QSize(30001, 2001) << everyUse << QSize(15353, 1024);
        QTest::newRow("tall strip: the stretch's width") << QSize(2000, 30000) << everyUse << QSize(1280, 19200);
        QTest::newRow("thin strip kept") << QSize(5200, 100) << everyUse << QSize(5200, 100);
        QTest::newRow("the fit's box kept") << QSize(3840, 1600) << everyUse << QSize(3840, 1600);
        QTest::newRow("small kept") << QSize(1000, 800) << everyUse << QSize(1000, 800);
        const QSize largest(1280, 1024);
        QTest::newRow("photo for 1280x1024") << QSize(6000, 4000) << largest << QSize(1536, 1024);
        QTest::newRow("odd photo for 1280x1024") << QSize(6001, 4001) << largest << QSize(1536, 1024);
        QTest::newRow("96 MP for 640x480") << QSize(12000, 8000) << QSize(640, 480) << QSize(720, 480);
        QTest::newRow("square for a wide need") << QSize(4000, 4000) << QSize(640, 480) << QSize(640, 640);
        QTest::newRow("smaller than the need kept") << QSize(1000, 800) << largest << QSize(1000, 800);
    }
    void decodedSizesKeepWhatTheNeedAsks()
    {
        QFETCH(QSize, original); QFETCH(QSize, needed); QFETCH(QSize, least);
        QCOMPARE(DecodedSize(original, needed), least);
    }

    void picturesLoadReducedAndTheRightWayRound_data()
    {
        QTest::addColumn<QString>("name"); QTest::addColumn<QSize>("shown");
        QTest::addColumn<QSize>("needed"); QTest::addColumn<QSize>("decoded");
        // 183 MB decoded whole: over Qt's own allocation limit.
        QTest::newRow("large BMP: whole, then reduced") << "large.bmp" << QSize(8000, 6000) << QSize() << QSize(2134, 1600);
        QTest::newRow("BMP reduced to the need") << "need.bmp" << QSize(1600, 1200) << QSize(640, 480) << QSize(640, 480);
        QTest::newRow("small BMP kept") << "small.bmp" << SmallSize << QSize() << SmallSize;
        QTest::newRow("small JPEG kept") << "small.jpg" << SmallSize << QSize() << SmallSize;
        QTest::newRow("wide JPEG at seven eighths") << "wide.jpg" << QSize(6000, 1200) << QSize() << QSize(5250, 1050);
        QTest::newRow("JPEG off the eighth at seven eighths") << "odd.jpg" << QSize(4001, 2001) << QSize() << QSize(3501, 1751);
        QTest::newRow("JPEG for 640x480 at a quarter") << "need.jpg" << QSize(4000, 3000) << QSize(640, 480) << QSize(1000, 750);
        QTest::newRow("JPEG turned by its EXIF, off the eighth at a quarter")
            << "turned.jpg" << QSize(801, 1201) << QSize(200, 300) << QSize(201, 301);
        QTest::newRow("JPEG transposed by its EXIF") << "transposed.jpg" << QSize(400, 600) << QSize() << QSize(400, 600);
    }
    void picturesLoadReducedAndTheRightWayRound()
    {
        QFETCH(QString, name); QFETCH(QSize, shown); QFETCH(QSize, needed); QFETCH(QSize, decoded);
        QString file = m_dir.filePath(name);
        if (name.endsWith(".bmp")) {
            QFile bmp(file);
            QVERIFY(bmp.open(QIODevice::WriteOnly) && writeQuarterBmp(bmp, shown));
        } else {
            const QImage upright = quarterPicture(shown);
            file = write(name, name == "turned.jpg"       ? turnedJpegOf(upright.transformed(QTransform().rotate(-90)), 6)
                               : name == "transposed.jpg" ? turnedJpegOf(quarterPicture(shown.transposed()), 5)
                                                          : jpegOf(upright));
            QVERIFY(!file.isEmpty());
        }
        const int limit = QImageReader::allocationLimit();

        QImage picture;
        QString error;
        QVERIFY2(DecodePicture(file, picture, &error, needed), qPrintable(error));
        QCOMPARE(picture.size(), decoded);
        QCOMPARE(picture.format(), QImage::Format_RGB32);
        // Either side of the red quarter's corner, so a picture turned, flipped or cut short shows.
        const int left = decoded.width() / 2 - 4, top = decoded.height() / 2 - 4;
        for (const QPoint at : {QPoint(left, top), QPoint(left + 7, top), QPoint(left, top + 7), QPoint(left + 7, top + 7)}) {
            const QRgb pixel = picture.pixel(at);
            const bool red = at == QPoint(left, top);
            QVERIFY2((qRed(pixel) > 200) == red && (qBlue(pixel) > 200) == !red && qGreen(pixel) < 40,
                     qPrintable(QString("%1 at (%2, %3)").arg(pixel, 8, 16).arg(at.x()).arg(at.y())));
        }
        QCOMPARE(QImageReader::allocationLimit(), limit);
    }

    // Grey and CMYK JPEGs come as RGB32 too; CMYK inks as Adobe's programs store them, inverted.
    void jpegColourModelsComeAsRgb32_data()
    {
        QTest::addColumn<QByteArray>("jpeg"); QTest::addColumn<QRgb>("colour");
        QImage grey(QSize(16, 16), QImage::Format_Grayscale8);
        grey.fill(QColor(200, 200, 200));
        QTest::newRow("grey") << jpegOf(grey) << qRgb(200, 200, 200);
        QTest::newRow("CMYK: each ink dimmed by the black") << cmykJpegOf({242, 128, 56, 200}) << qRgb(189, 100, 43);
    }
    void jpegColourModelsComeAsRgb32()
    {
        QFETCH(QByteArray, jpeg); QFETCH(QRgb, colour);
        QImage picture;
        QString error;
        QVERIFY2(DecodePicture(write("model.jpg", jpeg), picture, &error), qPrintable(error));
        QCOMPARE(picture.format(), QImage::Format_RGB32);
        QCOMPARE(picture.size(), QSize(16, 16));
        QCOMPARE(QString::number(picture.pixel(9, 9), 16), QString::number(colour, 16));
    }

    void refusedPicturesLeaveTheOldOneAndSayWhy_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");   // null: no file
        QTest::addColumn<QString>("reason");

        // Refused by the size their headers declare, before any pixel is decoded.
        const auto tooLarge = [](const char *size) {
            return QString("it is too large (%1 pixels; at most 100 megapixels)").arg(size);
        };
        QTest::newRow("JPEG header of 65000 x 65000, %2 and %1 in its name")
            << "100%2 %1.jpg" << jpegDeclaring(QSize(65000, 65000)) << tooLarge("65000 x 65000");
        QTest::newRow("BMP header of 60000 x 60000") << "bomb.bmp" << bmpHeader(60000, 60000) + QByteArray(100, '\0')
                                                    << tooLarge("60000 x 60000");
        QTest::newRow("top-down BMP header") << "down.bmp" << bmpHeader(20000, -20000) + QByteArray(100, '\0')
                                             << tooLarge("20000 x 20000");
        QTest::newRow("BMP header one row over") << "over.bmp" << bmpHeader(10000, 10001) + QByteArray(100, '\0')
                                                 << tooLarge("10000 x 10001");

        const QString damaged = "the file is damaged or incomplete";
        const QByteArray jpeg = jpegOf(quarterPicture(SmallSize));
        const QByteArray bmp = quarterBmp(SmallSize);
        QTest::newRow("JPEG cut in its header") << "a.jpg" << jpeg.left(20) << damaged;
        QTest::newRow("JPEG cut before its scan") << "a.jpg" << jpeg.left(scanStart(jpeg)) << damaged;
        QTest::newRow("JPEG cut in its scan") << "a.jpg" << jpeg.left((scanStart(jpeg) + jpeg.size()) / 2) << damaged;
        QTest::newRow("JPEG without its end marker") << "a.jpg" << jpeg.chopped(2) << damaged;
        QTest::newRow("JPEG with garbage in its scan") << "a.jpg" << withScanBytes(jpeg, garbage()) << damaged;
        QTest::newRow("progressive JPEG with a scan out of sequence")
            << "a.jpg" << progressiveJpegOutOfSequence(quarterPicture(SmallSize)) << damaged;
        QTest::newRow("BMP cut in its header") << "a.bmp" << bmp.left(20) << damaged;
        QTest::newRow("BMP without its last byte") << "a.bmp" << bmp.chopped(1) << damaged;
        // Within the limit, so decoded: past Qt's own allocation limit, then found short.
        QTest::newRow("BMP header of 100 MP, little data")
            << "a.bmp" << bmpHeader(10000, 10000) + QByteArray(1000, '\0') << damaged;

        QByteArray twelveBits = jpeg;   // whole, but of samples libjpeg is not built for
        twelveBits[jpeg.indexOf("\xff\xc0") + 4] = 12;
        QTest::newRow("JPEG of 12-bit samples") << "a.jpg" << twelveBits << "Unsupported JPEG data precision 12";
        QTest::newRow("missing") << "missing.jpg" << QByteArray() << "No such file or directory";
        QTest::newRow("not a picture") << "text.jpg" << QByteArray("a line of text\n") << "Unsupported image format";
    }
    void refusedPicturesLeaveTheOldOneAndSayWhy()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const QString file = bytes.isNull() ? m_dir.filePath(name) : write(name, bytes);
        QVERIFY(!file.isEmpty());
        QImage picture = quarterPicture(QSize(4, 4));
        const QImage old = picture;
        QString error;
        QVERIFY(!DecodePicture(file, picture, &error));
        QCOMPARE(error, cannotLoad(file, reason));
        QCOMPARE(picture, old);
    }
};

QTEST_GUILESS_MAIN(TestDecodePicture)
#include "tst_decodepicture.moc"
