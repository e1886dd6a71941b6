#include "savetga.h"
#include "tgareader.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A red "F" on blue with four distinct corners: swapped channels, mirrored or
// flipped rows all change some pixel. 10 wide, so rows are not 4-byte multiples.
QImage fPattern()
{
    QImage image(10, 7, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 200));
    for (int y = 1; y < 6; ++y)
        image.setPixel(2, y, qRgb(220, 0, 0));
    for (int x = 3; x < 7; ++x)
        image.setPixel(x, 1, qRgb(220, 0, 0));
    for (int x = 3; x < 5; ++x)
        image.setPixel(x, 3, qRgb(220, 0, 0));
    image.setPixel(0, 0, qRgb(1, 2, 3));
    image.setPixel(9, 0, qRgb(40, 50, 60));
    image.setPixel(0, 6, qRgb(70, 80, 90));
    image.setPixel(9, 6, qRgb(255, 255, 0));
    return image;
}

// Takes `limit` bytes, then fails the way a full disk would.
class FailingDevice : public QIODevice
{
public:
    explicit FailingDevice(qint64 limit) : m_limit(limit) { open(WriteOnly | Unbuffered); }
    qint64 taken = 0;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 len) override
    {
        const qint64 n = qMin(len, m_limit - taken);
        setErrorString("simulated full disk");
        taken += n;
        return n > 0 ? n : -1;
    }

private:
    qint64 m_limit;
};

} // namespace

class TstSaveTga : public QObject
{
    Q_OBJECT
private slots:
    void sizes_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qint64>("fileSize");
        QTest::newRow("256x256") << QSize(256, 256) << qint64(196626);
        QTest::newRow("128x224") << QSize(128, 224) << qint64(86034);
        QTest::newRow("32x88") << QSize(32, 88) << qint64(8466);
        QTest::newRow("10 wide, 30 bytes a row") << QSize(10, 3) << qint64(18 + 90);
    }

    void sizes()
    {
        QFETCH(QSize, size);
        QFETCH(qint64, fileSize);
        QTemporaryDir dir;
        const QString name = dir.filePath("tile.tga");
        QImage image(size, QImage::Format_RGB32);
        image.fill(qRgb(9, 8, 7));
        SaveTGA tga;
        QVERIFY2(tga.SaveTGAinFile(name, image), qPrintable(tga.errorString()));
        QCOMPARE(QFileInfo(name).size(), fileSize);
        QCOMPARE(ReadTga(name), image);
    }

    void header()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("h.tga");
        SaveTGA tga;
        QVERIFY2(tga.SaveTGAinFile(name, QImage(128, 224, QImage::Format_RGB32)), qPrintable(tga.errorString()));
        QFile file(name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(18).toHex(' '), QByteArray("00 00 02 00 00 00 00 00 00 00 00 00 80 00 e0 00 18 00"));
    }

    void pixelOrder_data()
    {
        QTest::addColumn<QImage>("surface");
        const QImage f = fPattern();
        QTest::newRow("RGB32") << f;
        for (QImage::Format format : {QImage::Format_RGB888, QImage::Format_BGR888, QImage::Format_Indexed8,
                                      QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB16})
            QTest::newRow(qPrintable(QString("format %1").arg(format))) << f.convertToFormat(format);
    }

    void pixelOrder()
    {
        QFETCH(QImage, surface);
        QTemporaryDir dir;
        const QString name = dir.filePath("f.tga");
        SaveTGA tga;
        QVERIFY2(tga.SaveTGAinFile(name, surface), qPrintable(tga.errorString()));
        QFile file(name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const QImage expected = surface.convertToFormat(QImage::Format_RGB32);
        const int W = 10, H = 7;
        auto bgrAt = [&](int at) { return bytes.mid(at, 3).toHex(); };
        auto bgrOf = [&](QRgb p) { return QByteArray::number(qBlue(p) << 16 | qGreen(p) << 8 | qRed(p), 16).rightJustified(6, '0'); };
        QCOMPARE(bgrAt(18), bgrOf(expected.pixel(0, H - 1)));
        QCOMPARE(bgrAt(18 + 3 * W * (H - 1)), bgrOf(expected.pixel(0, 0)));
        QCOMPARE(ReadTga(name), expected);
    }

    void replacesLongerFile()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("t.tga");
        SaveTGA tga;
        QVERIFY(tga.SaveTGAinFile(name, QImage(256, 256, QImage::Format_RGB32)));
        QVERIFY2(tga.SaveTGAinFile(name, fPattern()), qPrintable(tga.errorString()));
        QCOMPARE(QFileInfo(name).size(), qint64(18 + 3 * 10 * 7));
        QCOMPARE(ReadTga(name), fPattern());
    }

    void missingFolder()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("gone/t.tga");
        SaveTGA tga;
        QVERIFY(!tga.SaveTGAinFile(name, fPattern()));
        QVERIFY2(tga.errorString().contains(QDir::toNativeSeparators(name)), qPrintable(tga.errorString()));
        QVERIFY(!QFileInfo::exists(name));
    }

    void targetIsDirectory()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("t.tga");
        QVERIFY(QDir(dir.path()).mkpath("t.tga/kept"));
        SaveTGA tga;
        QVERIFY(!tga.SaveTGAinFile(name, fPattern()));
        QVERIFY2(tga.errorString().contains(QDir::toNativeSeparators(name)), qPrintable(tga.errorString()));
        QVERIFY(QFileInfo(name + "/kept").isDir());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"t.tga"});
    }

    void failingDevice()
    {
        FailingDevice device(100);
        SaveTGA tga;
        QVERIFY(!tga.SaveTGAinFile(&device, QImage(64, 64, QImage::Format_RGB32)));
        QVERIFY2(tga.errorString().contains("simulated full disk"), qPrintable(tga.errorString()));
        FailingDevice roomy(1 << 20);
        QVERIFY2(tga.SaveTGAinFile(&roomy, fPattern()), qPrintable(tga.errorString()));
        QCOMPARE(roomy.taken, qint64(18 + 3 * 10 * 7));
        QVERIFY(tga.errorString().isEmpty());
    }

    void refusesBadSizes()
    {
        QTemporaryDir dir;
        SaveTGA tga;
        for (const QImage &image : {QImage(), QImage(32768, 1, QImage::Format_RGB32)}) {
            QVERIFY(!tga.SaveTGAinFile(dir.filePath("bad.tga"), image));
            QVERIFY(!tga.errorString().isEmpty());
            QVERIFY(!QFileInfo::exists(dir.filePath("bad.tga")));
        }
    }
};

QTEST_GUILESS_MAIN(TstSaveTga)
#include "tst_savetga.moc"
