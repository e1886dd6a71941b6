#include "background/tgaread.h"
#include "common/testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// Every pixel and every channel differ, so a flipped or mirrored picture or swapped channels show.
static const QList<QRgb> Top{0x112233, 0x445566, 0x778899};
static const QList<QRgb> Bottom{0xaabbcc, 0xddeeff, 0x102030};

class TstTgaRead : public QObject
{
    Q_OBJECT
private slots:
    // Decoded top row first whatever the order stored; refused, naming the file and the reason.
    void reads_data()
    {
        QTest::addColumn<QByteArray>("bytes"); QTest::addColumn<QImage>("expected"); QTest::addColumn<QString>("reason");
        const QImage standard = PictureOf(3, Top + Bottom);
        QTest::newRow("type 2, 24 bits, bottom row first") << TgaHeader(2, 3, 2, 24) + TgaPixels(Bottom) + TgaPixels(Top) << standard << "";
        QTest::newRow("type 2, 24 bits, right to left")
            << TgaHeader(2, 3, 2, 24, 0x30) + TgaPixels({0x778899, 0x445566, 0x112233, 0x102030, 0xddeeff, 0xaabbcc}) << standard << "";
        QTest::newRow("type 2, 32 bits, half transparent over black, image ID and footer skipped")
            << TgaHeader(2, 1, 1, 32, 0x08, "junk!") + TgaPixels({0x40ff80}, 32, 0x80) + QByteArray(8, 0) + "TRUEVISION-XFILE." + '\0'
            << PictureOf(1, {0x208040}) << "";
        QTest::newRow("type 10, 32 bits, a run on into the next row, bottom row first")
            << TgaHeader(10, 3, 2, 32, 0x08) + '\x83' + TgaPixels({0x112233}, 32) + '\x01' + TgaPixels({0x445566, 0x778899}, 32)
            << PictureOf(3, {0x112233, 0x445566, 0x778899, 0x112233, 0x112233, 0x112233}) << "";
        QTest::newRow("type 10, 24 bits, a run of 128")
            << TgaHeader(10, 129, 1, 24) + '\xff' + TgaPixels({0x445566}) + '\x00' + TgaPixels({0x112233})
            << PictureOf(129, QList<QRgb>(128, 0x445566) << 0x112233) << "";
        const QByteArray pixels = TgaPixels(Top + Bottom);
        const QString early = "its data ends early", pastTheEnd = "a packet of its pixels runs past the end of the picture";
        QTest::newRow("header cut short") << TgaHeader(2, 3, 2, 24).left(17) << QImage() << early;
        QTest::newRow("grey") << TgaHeader(3, 3, 2, 24) + pixels << QImage() << "it is not a true-colour TGA picture";
        QTest::newRow("colour map type set") << TgaHeader(2, 3, 2, 24).replace(1, 1, "\x01") + pixels << QImage() << "it has a colour map";
        QTest::newRow("16 bits") << TgaHeader(2, 3, 2, 16) + pixels << QImage() << "it has 16 bits a pixel, not 24 or 32";
        QTest::newRow("no width") << TgaHeader(2, 0, 2, 24) << QImage() << "it holds no pixels";
        QTest::newRow("4097 wide") << TgaHeader(2, 4097, 1, 24) << QImage() << "it is 4097x1 pixels, not within 4096x4096";
        QTest::newRow("pixels a byte short") << TgaHeader(2, 3, 2, 24) + pixels.chopped(1) << QImage() << early;
        QTest::newRow("run past the last pixel") << TgaHeader(10, 3, 2, 24) + '\x86' + TgaPixels(Top).left(3) << QImage() << pastTheEnd;
        QTest::newRow("run without its pixel") << TgaHeader(10, 3, 2, 32, 8) + '\x85' + pixels.left(3) << QImage() << early;
    }

    void reads()
    {
        QFETCH(QByteArray, bytes); QFETCH(QImage, expected); QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString name = dir.filePath("t.tga");
        QVERIFY(WriteBytes(name, bytes));
        QImage read;
        QString error;
        QCOMPARE(ReadTgaPicture(name, &read, &error), reason.isEmpty());
        QCOMPARE(error, reason.isEmpty() ? QString() : "Cannot read " + QDir::toNativeSeparators(name) + ": " + reason);
        QCOMPARE(read, expected);   // Format_RGB32 too
    }
};

QTEST_GUILESS_MAIN(TstTgaRead)
#include "tst_tgaread.moc"
