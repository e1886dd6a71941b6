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
    for (const QRect &stroke : {QRect(2, 1, 1, 5), QRect(3, 1, 4, 1), QRect(3, 3, 2, 1)})
        for (int i = 0; i < stroke.width() * stroke.height(); ++i)
            image.setPixel(stroke.x() + i % stroke.width(), stroke.y() + i / stroke.width(), qRgb(220, 0, 0));
    image.setPixel(0, 0, qRgb(1, 2, 3));
    image.setPixel(9, 0, qRgb(40, 50, 60));
    image.setPixel(0, 6, qRgb(70, 80, 90));
    image.setPixel(9, 6, qRgb(255, 255, 0));
    return image;
}

QByteArray contentOf(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Takes `limit` bytes, then fails the way a full disk would.
class FailingDevice : public QIODevice
{
public:
    explicit FailingDevice(qint64 limit) : limit(limit) { open(WriteOnly | Unbuffered); }
    qint64 limit, taken = 0;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 len) override
    {
        const qint64 n = qMin(len, limit - taken);
        setErrorString("simulated full disk");
        taken += n;
        return n > 0 ? n : -1;
    }
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
        if (size == QSize(128, 224))
            QCOMPARE(contentOf(name).left(18).toHex(' '), "00 00 02 00 00 00 00 00 00 00 00 00 80 00 e0 00 18 00");
    }

    void pixelOrder_data()
    {
        QTest::addColumn<QImage>("surface");
        for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_RGB888, QImage::Format_BGR888,
                                      QImage::Format_Indexed8, QImage::Format_ARGB32_Premultiplied})
            QTest::newRow(qPrintable(QString("format %1").arg(format))) << fPattern().convertToFormat(format);
    }

    void pixelOrder()
    {
        QFETCH(QImage, surface);
        QTemporaryDir dir;
        const QString name = dir.filePath("f.tga");
        SaveTGA tga;
        QVERIFY2(tga.SaveTGAinFile(name, surface), qPrintable(tga.errorString()));
        const QByteArray bytes = contentOf(name);
        QCOMPARE(bytes.mid(18, 3).toHex(), "5a5046");               // bottom-left (70, 80, 90) first
        QCOMPARE(bytes.mid(18 + 3 * 10 * 6, 3).toHex(), "030201");  // top-left (1, 2, 3) starts the last row
        QCOMPARE(ReadTga(name), fPattern());
    }

    void replacesLongerFile()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("t.tga");
        SaveTGA tga;
        QVERIFY(tga.SaveTGAinFile(name, QImage(256, 256, QImage::Format_RGB32)));
        QVERIFY2(tga.SaveTGAinFile(name, fPattern()), qPrintable(tga.errorString()));
        QCOMPARE(QFileInfo(name).size(), qint64(18 + 3 * 10 * 7));
    }

    void unwritableTarget_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("existingFolder");
        QTest::newRow("missing folder") << "gone/t.tga" << "";
        QTest::newRow("target is a folder") << "t.tga" << "t.tga/kept";
    }

    void unwritableTarget()
    {
        QFETCH(QString, target);
        QFETCH(QString, existingFolder);
        QTemporaryDir dir;
        if (!existingFolder.isEmpty())
            QVERIFY(QDir(dir.path()).mkpath(existingFolder));
        const QString name = dir.filePath(target);
        SaveTGA tga;
        QVERIFY(!tga.SaveTGAinFile(name, fPattern()));
        QVERIFY2(tga.errorString().contains(QDir::toNativeSeparators(name)), qPrintable(tga.errorString()));
        QCOMPARE(QFileInfo(name).isDir(), !existingFolder.isEmpty());
        const QStringList left = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QCOMPARE(left, existingFolder.isEmpty() ? QStringList() : QStringList{"t.tga"});
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
