#include "background/composebackground.h"
#include "common/testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TstComposeBackground : public QObject
{
    Q_OBJECT
private slots:
    // A tile in the background folder named with '\' and the folders in another letter case, one elsewhere in the game's
    // folder, each painted at its corner; black where no tile lies.
    void composesTheShownPair()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("cstrike/resource/background"));
        QVERIFY(WriteBytes(dir.filePath("cstrike/resource/HD_BackgroundLayout.txt"),
                           "resolution\t3\t2\n\nResource\\Background\\a.tga\tfit\t0\t0\ngfx/b.tga\tscaled\t1\t1\n"));
        QVERIFY(WriteBytes(dir.filePath("cstrike/resource/background/a.tga"), TgaHeader(2, 2, 1, 24) + TgaPixels({0x112233, 0x445566})));
        QVERIFY(QDir(dir.path()).mkpath("cstrike/gfx"));
        QVERIFY(WriteBytes(dir.filePath("cstrike/gfx/b.tga"), TgaHeader(2, 1, 1, 24) + TgaPixels({0x778899})));
        QImage composed;
        QString error;
        QVERIFY2(ComposeBackground(dir.filePath("cstrike/resource"), true, &composed, &error), qPrintable(error));
        QCOMPARE(composed, PictureOf(3, {0x112233, 0x445566, 0, 0, 0x778899, 0}));
    }

    // The layout file or a tile that cannot be read is named with the reason, and nothing is composed.
    void refuses()
    {
        QTemporaryDir dir;
        const QString resource = dir.filePath("cstrike/resource");
        QVERIFY(QDir().mkpath(resource + "/background") && WriteBytes(resource + "/background/bad.tga", "not a picture"));
        QImage composed;
        QString error;
        QVERIFY(!ComposeBackground(resource, false, &composed, &error));
        QCOMPARE(error, "Cannot read " + QDir::toNativeSeparators(resource + "/BackgroundLayout.txt") + ": No such file or directory");
        QVERIFY(WriteBytes(resource + "/BackgroundLayout.txt", "resolution 2 1\nresource/background/bad.tga scaled 1 0\n"));
        QVERIFY(!ComposeBackground(resource, false, &composed, &error));
        QCOMPARE(error, "Cannot read " + QDir::toNativeSeparators(resource + "/background/bad.tga") + ": its data ends early");
        QVERIFY(composed.isNull());
    }
};

QTEST_GUILESS_MAIN(TstComposeBackground)
#include "tst_composebackground.moc"
