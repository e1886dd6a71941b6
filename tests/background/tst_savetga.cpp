#include "background/savetga.h"
#include "common/testfiles.h"
#include "common/tgareader.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

// A red "F" on blue with two distinct corners: swapped channels, mirrored or
// flipped rows all change some pixel. 10 wide, so rows are not 4-byte multiples.
static QImage fPattern()
{
    QImage image(10, 7, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 200));
    for (const QRect &stroke : {QRect(2, 1, 1, 5), QRect(3, 1, 4, 1), QRect(3, 3, 2, 1)})
        QPainter(&image).fillRect(stroke, QColor(220, 0, 0));
    image.setPixel(0, 6, qRgb(70, 80, 90));
    image.setPixel(9, 0, qRgb(40, 50, 60));
    return image;
}

class TstSaveTga : public QObject
{
    Q_OBJECT
private slots:
    void writes_data()
    {
        QTest::addColumn<QImage>("surface"); QTest::addColumn<int>("fileSize"); QTest::addColumn<QByteArray>("header");
        QTest::newRow("128x224") << fPattern().scaled(128, 224) << 86034
                                 << QByteArray::fromHex("00 00 02 00 00 00 00 00 00 00 00 00 80 00 E0 00 18 00");
        QTest::newRow("10 wide, 30 bytes a row") << fPattern() << 18 + 7 * 30 << QByteArray();
    }

    void writes()
    {
        QFETCH(QImage, surface); QFETCH(int, fileSize); QFETCH(QByteArray, header);
        QTemporaryDir dir;
        const QString name = dir.filePath("t.tga");
        SaveTGA tga;
        QVERIFY(tga.SaveTGAinFile(name, fPattern().scaled(300, 300)));   // a longer file to replace
        QVERIFY2(tga.SaveTGAinFile(name, surface), qPrintable(tga.errorString()));
        const QByteArray bytes = ReadBytes(name);
        QCOMPARE(bytes.size(), fileSize);
        QVERIFY(bytes.startsWith(header));
        // The bottom-left corner (70, 80, 90) comes first and the top-right one (40, 50, 60) last, blue first.
        QCOMPARE(bytes.mid(18, 3).toHex() + bytes.right(3).toHex(), "5a50463c3228");
        QCOMPARE(ReadTga(name), surface.convertToFormat(QImage::Format_RGB32));
    }

    void failures()
    {
        // A tile marked read-only is kept as it is, even for an administrator.
        QTemporaryDir dir;
        const QString kept = dir.filePath("kept.tga");
        SaveTGA tga;
        QVERIFY(tga.SaveTGAinFile(kept, fPattern()) && QFile::setPermissions(kept, QFile::ReadOwner));
        QVERIFY(!tga.SaveTGAinFile(kept, fPattern().mirrored()));
        QCOMPARE(tga.errorString(), "Cannot write " + QDir::toNativeSeparators(kept) + ": the file is read-only");
        QCOMPARE(ReadTga(kept), fPattern().convertToFormat(QImage::Format_RGB32));
        LimitedDevice device(100, "simulated full disk");
        QVERIFY(!tga.SaveTGAinFile(&device, fPattern()));
        QVERIFY2(tga.errorString().contains("simulated full disk"), qPrintable(tga.errorString()));
    }
};

QTEST_GUILESS_MAIN(TstSaveTga)
#include "tst_savetga.moc"
