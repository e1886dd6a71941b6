#include "background/decodepicture.h"
#include "common/testfiles.h"

#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <turbojpeg.h>

namespace {

// Its top-left quarter red, the rest blue, so a picture turned, flipped or mirrored on its way in shows.
QImage quarters(const QSize &size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QPainter(&picture).fillRect(QRect(QPoint(), size / 2), Qt::red);
    return picture;
}

QByteArray jpegOf(const QImage &picture)
{
    QBuffer buffer;
    picture.save(&buffer, "jpeg");
    return buffer.data();
}

// The header of a 24-bit BMP, from the format: bottom row first, or top row first when `h` is negative.
QByteArray bmpHeader(qint32 w, qint32 h)
{
    QByteArray bytes(54, 0);
    bytes[0] = 'B', bytes[1] = 'M';
    for (const auto &[at, value] : {std::pair{10, 54}, {14, 40}, {18, w}, {22, h}, {26, 1}, {28, 24}})
        qToLittleEndian<qint32>(value, bytes.data() + at);
    return bytes;
}

// A photo stored as `stored`, its EXIF orientation `turn` (8: turned three quarters clockwise, as Qt takes it mirrored,
// flipped and turned a quarter).
QByteArray turnedJpeg(const QImage &stored, char turn)
{
    const QByteArray jpeg = jpegOf(stored);
    return jpeg.left(2) + QByteArray::fromHex("ffe10022")
        + QByteArray("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0", 24) + turn + QByteArray(7, 0)
        + jpeg.mid(2);
}

} // namespace

class TstDecodePicture : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    // What the need asks, by default fitting in 3840x1600 and stretching to 1280x1024, each side rounded up.
    void decodedSize_data()
    {
        columns<QSize, QSize, QSize>("original", "needed", "least");
        QTest::newRow("rounded up") << QSize(8000, 6000) << QSize() << QSize(2134, 1600);
        QTest::newRow("wide") << QSize(9001, 3000) << QSize() << QSize(3840, 1280);
        QTest::newRow("panorama") << QSize(30000, 2000) << QSize() << QSize(15360, 1024);
        QTest::newRow("tall strip") << QSize(2000, 30000) << QSize() << QSize(1280, 19200);
        QTest::newRow("for 640x480") << QSize(12000, 8000) << QSize(640, 480) << QSize(720, 480);
        QTest::newRow("smaller than the need") << QSize(1000, 800) << QSize(1280, 1024) << QSize(1000, 800);
    }
    void decodedSize()
    {
        QFETCH(QSize, original); QFETCH(QSize, needed); QFETCH(QSize, least);
        QCOMPARE(DecodedSize(original, needed), least);
    }

    // Reduced as far as the need allows (a JPEG by eighths), upright, RGB32; Qt's allocation limit as it was.
    void decodes_data()
    {
        columns<QSize, QSize, QSize>("shown", "needed", "decoded");
        // Decoded whole, past Qt's own allocation limit, then reduced.
        QTest::newRow("BMP of 183 MB") << QSize(8000, 6000) << QSize(640, 480) << QSize(640, 480);
        QTest::newRow("at a quarter") << QSize(4000, 3000) << QSize(640, 480) << QSize(1000, 750);
        QTest::newRow("turned by its EXIF") << QSize(801, 1201) << QSize(200, 300) << QSize(201, 301);
    }
    void decodes()
    {
        QFETCH(QSize, shown); QFETCH(QSize, needed); QFETCH(QSize, decoded);
        const QString tag = QTest::currentDataTag(), file = m_dir.filePath(tag);
        // A BMP black, its pixels a hole in the file.
        const bool bmp = tag.startsWith("BMP");
        QVERIFY(WriteBytes(file,
                           bmp ? bmpHeader(shown.width(), shown.height())
                               : tag.startsWith("turned")
                               ? turnedJpeg(quarters(shown).transformed(QTransform().rotate(90)), 8)
                               : jpegOf(quarters(shown))));
        QVERIFY(!bmp || QFile::resize(file, 54 + 3 * shown.width() * shown.height()));
        const int limit = QImageReader::allocationLimit();
        QImage picture;
        QString error;
        QVERIFY2(DecodePicture(file, picture, &error, needed), qPrintable(error));
        QCOMPARE(picture.size(), decoded);
        QCOMPARE(picture.format(), QImage::Format_RGB32);
        QCOMPARE(QImageReader::allocationLimit(), limit);
        // Either side of the red quarter's corner; a BMP all black.
        const int x = decoded.width() / 2 - 4, y = decoded.height() / 2 - 4;
        for (const QPoint at : {QPoint(x, y), QPoint(x + 7, y), QPoint(x, y + 7), QPoint(x + 7, y + 7)}) {
            const QRgb pixel = picture.pixel(at);
            const bool red = at == QPoint(x, y);
            QVERIFY2(bmp ? pixel == 0xff000000
                         : (qRed(pixel) > 200) == red && (qBlue(pixel) > 200) == !red && qGreen(pixel) < 40,
                     qPrintable(QString::number(pixel, 16)));
        }
    }

    // CMYK inks as Adobe's programs store them, inverted, each dimmed by the black.
    void cmyk()
    {
        QByteArray inks = QByteArray::fromHex("f28038c8").repeated(256);
        unsigned char *jpeg = nullptr;
        unsigned long size = 0;
        const tjhandle encoder = tjInitCompress();
        QVERIFY(tjCompress2(encoder, reinterpret_cast<uchar *>(inks.data()), 16, 0, 16, TJPF_CMYK, &jpeg, &size,
                            TJSAMP_444, 100, 0)
                == 0);
        QVERIFY(WriteBytes(m_dir.filePath("cmyk"), QByteArray(reinterpret_cast<char *>(jpeg), size)));
        tjFree(jpeg);
        tjDestroy(encoder);
        QImage picture;
        QString error;
        QVERIFY2(DecodePicture(m_dir.filePath("cmyk"), picture, &error), qPrintable(error));
        // 242, 128, 56 times 200 / 255, give or take what YCCK loses.
        const QRgb p = picture.pixel(9, 9);
        QVERIFY2(qAbs(qRed(p) - 189) < 2 && qAbs(qGreen(p) - 100) < 2 && qAbs(qBlue(p) - 43) < 2,
                 qPrintable(QString::number(p, 16)));
    }

    // Refused, the picture as it was, with the reason; the file named as it is, "%1" and all.
    void refuses_data()
    {
        columns<QByteArray, QString>("bytes", "reason");
        const QString large = "it is too large (%1 pixels; at most 100 megapixels)",
                      damaged = "the file is damaged or incomplete";
        QByteArray huge = jpegOf(quarters({16, 16}));
        // Its frame header declares 65000 x 65000.
        qToBigEndian<quint32>(0xfde8fde8, huge.data() + huge.indexOf("\xff\xc0") + 5);
        QTest::newRow("JPEG %2 %1") << huge << large.arg("65000 x 65000");
        QTest::newRow("BMP over Qt's limit")
            << bmpHeader(60000, 60000) + QByteArray(99, 0) << large.arg("60000 x 60000");
        QTest::newRow("BMP top row first")
            << bmpHeader(20000, -20000) + QByteArray(99, 0) << large.arg("20000 x 20000");
        QTest::newRow("BMP a row over") << bmpHeader(10000, 10001) + QByteArray(99, 0) << large.arg("10000 x 10001");
        const QByteArray jpeg = jpegOf(quarters({600, 400}));
        const qsizetype scan = jpeg.indexOf("\xff\xda") + 200;
        QTest::newRow("JPEG cut in its header") << jpeg.left(20) << damaged;
        QTest::newRow("JPEG cut in its scan") << jpeg.left(scan) << damaged;
        QTest::newRow("BMP a byte short") << bmpHeader(2, 2) + QByteArray(15, 0) << damaged;
        QTest::newRow("not a picture") << QByteArray("text") << "Unsupported image format";
    }
    void refuses()
    {
        QFETCH(QByteArray, bytes); QFETCH(QString, reason);
        const QString file = m_dir.filePath(QTest::currentDataTag());
        QVERIFY(WriteBytes(file, bytes));
        QImage picture = quarters({4, 4});
        QString error;
        QVERIFY(!DecodePicture(file, picture, &error));
        QCOMPARE(error, "Cannot load the picture " + file + ": " + reason);
        QCOMPARE(picture, quarters({4, 4}));
    }
};

QTEST_GUILESS_MAIN(TstDecodePicture)
#include "tst_decodepicture.moc"
