#include "background/composebackground.h"
#include "background/savetga.h"
#include "common/testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TstComposeBackground : public QObject
{
    Q_OBJECT
private slots:
    // Run-length encoded, 32-bit, top-row-first and Windows-separated tiles, tabs, LF ends and
    // a comment; black where no tile lies.
    void composesOtherTiles()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("cstrike/resource/background"));
        QVERIFY(WriteBytes(dir.filePath("cstrike/resource/HD_BackgroundLayout.txt"),
                           "resolution\t4\t3\n// the game's own\n\nresource/background/rle.tga\tfit\t0\t0\n"
                           "resource\\background\\plain.tga\tscaled\t2\t2\n"));
        // 2x2, top row first: a run of two, then two raw pixels, blue-green-red-alpha.
        QVERIFY(WriteBytes(dir.filePath("cstrike/resource/background/rle.tga"),
                           TgaHeader(10, 2, 2, 32, 0x28) + QByteArray::fromHex("81 332211ff  01 665544ff 998877ff")));
        QVERIFY(WriteBytes(dir.filePath("cstrike/resource/background/plain.tga"),
                           TgaHeader(2, 2, 1, 24) + QByteArray::fromHex("ccbbaa ffeedd")));
        QImage composed;
        QString error;
        QVERIFY2(ComposeBackground(dir.filePath("cstrike/resource"), true, &composed, &error), qPrintable(error));
        const QList<QRgb> expected{0x112233, 0x112233, 0, 0, 0x445566, 0x778899, 0, 0, 0, 0, 0xaabbcc, 0xddeeff};
        QCOMPARE(composed.size(), QSize(4, 3));
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(composed.pixel(i % 4, i / 4), 0xff000000u | expected[i]);
    }

    void refuses_data()
    {
        QTest::addColumn<QByteArray>("layout"); QTest::addColumn<QString>("file"); QTest::addColumn<QString>("reason");
        const QString layout = "cstrike/resource/BackgroundLayout.txt";
        const QByteArray start = "resolution   640   480\r\n\r\nresource/background/a.tga      scaled      0   0\r\n";
        QTest::newRow("no layout file") << QByteArray() << layout << "No such file or directory";
        QTest::newRow("a tile not a TGA") << start + "resource/background/bad.tga scaled 256 0\r\n"
                                          << "cstrike/resource/background/bad.tga" << "its data ends early";
        const QString outside = "line 4 names a file outside the game's folder";
        QTest::newRow("climbing out with backslashes") << start + "resource\\..\\..\\outside.tga scaled 0 0\r\n" << layout << outside;
        QTest::newRow("drive letter") << start + "C:outside.tga scaled 0 0\r\n" << layout << outside;
        QTest::newRow("no resolution") << QByteArray("resource/background/a.tga scaled 0 0\r\n") << layout << "it names no resolution";
        QTest::newRow("resolution 3840x2401") << QByteArray("resolution 3840 2401\r\n") << layout
                                              << "its resolution 3840x2401 is not within 3840x2400";
        const QString notUnderstood = "line 4 is neither its resolution nor a tile with its place";
        QTest::newRow("a tile line cut short") << start + "resource/background/a.tga scaled 0\r\n" << layout << notUnderstood;
    }

    void refuses()
    {
        QFETCH(QByteArray, layout); QFETCH(QString, file); QFETCH(QString, reason);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("cstrike/resource/background"));
        QImage tile(256, 256, QImage::Format_RGB32);
        tile.fill(Qt::gray);
        // Readable tiles, one of them where a path climbing out of the game's folder would reach.
        QVERIFY(SaveTGA().SaveTGAinFile(dir.filePath("cstrike/resource/background/a.tga"), tile));
        QVERIFY(SaveTGA().SaveTGAinFile(dir.filePath("outside.tga"), tile));
        QVERIFY(WriteBytes(dir.filePath("cstrike/resource/background/bad.tga"), "not a picture"));
        if (!layout.isNull())
            QVERIFY(WriteBytes(dir.filePath("cstrike/resource/BackgroundLayout.txt"), layout));
        QImage composed;
        QString error;
        QVERIFY(!ComposeBackground(dir.filePath("cstrike/resource"), false, &composed, &error));
        QCOMPARE(error, "Cannot read " + QDir::toNativeSeparators(dir.filePath(file)) + ": " + reason);
        QVERIFY(composed.isNull());
    }
};

QTEST_GUILESS_MAIN(TstComposeBackground)
#include "tst_composebackground.moc"
