#include "background/layoutfiles.h"
#include "common/testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

const QString Relative = R"(cstrike\resource\background)";

class TstLayoutFiles : public QObject
{
    Q_OBJECT
private slots:
    void text640()
    {
        const QByteArray expected =
            "resolution   640   480\r\n\r\n"
            "resource/background/640_1_a_loading.tga      scaled      0   0\r\n"
            "resource/background/640_1_b_loading.tga      scaled      256   0\r\n"
            "resource/background/640_1_c_loading.tga      scaled      512   0\r\n\r\n"
            "resource/background/640_2_a_loading.tga      scaled      0   256\r\n"
            "resource/background/640_2_b_loading.tga      scaled      256   256\r\n"
            "resource/background/640_2_c_loading.tga      scaled      512   256\r\n";
        QCOMPARE(LayoutFileText(0), expected);
    }

    // A 3000x2000 picture made in Wide HD: 2400x1600 in ten columns and seven rows of tiles, the last column 96 wide, the
    // last row 64 high: 26 bytes for the resolution line, 14 for the empty lines, 70 tile lines of 58 bytes plus the
    // keyword's and 238 + 220 digits of their corners.
    void wideHdTexts()
    {
        const LayoutPlan plan = PlanBackground(WideHdResolution, QSize(2400, 1600), false);
        QVERIFY(plan.HdPair);
        for (const auto &[keyword, length] : {std::pair<QByteArray, int>{"fit", 4558}, {"scaled", 4768}}) {
            const QByteArray text = plan.textOf(keyword == "fit" ? "HD_BackgroundLayout.txt" : "BackgroundLayout.txt");
            QVERIFY(text.startsWith("resolution   2400   1600\r\n\r\nresource/background/hd_1_a_loading.tga      " + keyword
                                    + "      0   0\r\n"));
            QVERIFY(text.endsWith("\r\nresource/background/hd_7_j_loading.tga      " + keyword + "      2304   1536\r\n"));
            QVERIFY(text.count("\r\n") == 78 && text.count('\n') == 78);
            QCOMPARE(text.size(), length);
        }
    }

    void writeFiles()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("cstrike"));
        QCOMPARE(WriteLayoutFiles(0, dir.filePath("hl.exe"), Relative), LayoutStatus::ResourceFolderMissing);
        QVERIFY(QDir(dir.filePath("cstrike")).isEmpty());
        QVERIFY(QDir(dir.path()).mkpath("cstrike/resource/background"));
        for (int resolution : {3, 0})   // the longer 1280x1024 files first, to be replaced whole
            QCOMPARE(WriteLayoutFiles(resolution, dir.filePath("hl.exe"), Relative), LayoutStatus::Written);
        for (const char *name : {"BackgroundLayout.txt", "BackgroundLoadingLayout.txt"})
            QCOMPARE(ReadBytes(dir.filePath("cstrike/resource/") + name), LayoutFileText(0));
    }

    // The one reader, a row per branch: what it reads ("WxH", then "path x y" a tile), or why it refuses.
    void parses_data()
    {
        QTest::addColumn<QByteArray>("text"); QTest::addColumn<QString>("read");
        const QString ab = "4x2; bg/a.tga 0 0; bg/b.tga 2 0";
        QTest::newRow("CR LF, tabs") << QByteArray("resolution\t4\t2\r\n\r\nbg/a.tga\tscaled\t0\t0\r\nbg/b.tga  scaled 2 0\r\n") << ab;
        QTest::newRow("LF, comments") << QByteArray("// mine\n\nresolution 4 2\nbg/a.tga fit 0 0\nbg/b.tga fit 2 0 // b\n") << ab;
        QTest::newRow("CR, backslashes") << QByteArray("resolution 4 2\rbg\\a.tga scaled 0 0\rbg\\b.tga scaled 2 0") << ab;
        QTest::newRow("quoted, any case") << QByteArray("Resolution 4 2\n\"my a.tga\" SCALED 0 0") << "4x2; my a.tga 0 0";
        QTest::newRow("tile first") << QByteArray("a.tga fit 0 0\nresolution 4 2") << "line 1 places a tile before the resolution is named";
        QTest::newRow("junk") << QByteArray("\x89PNG\r\n\x1a\n") << "line 1 is neither its resolution nor a tile with its place";
        QTest::newRow("climbing out") << QByteArray("resolution 4 2\n..\\a.tga fit 0 0") << "line 2 names a file outside the game's folder";
        QTest::newRow("twice") << QByteArray("resolution 4 2\nresolution 4 2") << "line 2 names the resolution a second time";
        QTest::newRow("3840x2401") << QByteArray("resolution 3840 2401") << "its resolution 3840x2401 is not within 3840x2400";
        QTest::newRow("quote open") << QByteArray("resolution 4 2\n\"a.tga fit 0 0") << "line 2 leaves a quote open";
        QTest::newRow("empty") << QByteArray("\r\n") << "it names no resolution";
    }

    void parses()
    {
        QFETCH(QByteArray, text); QFETCH(QString, read);
        QSize size;
        QList<PlacedTile> tiles;
        QString reason;
        QStringList got{ParseLayout(text, &size, &tiles, &reason) ? QString("%1x%2").arg(size.width()).arg(size.height()) : reason};
        for (const PlacedTile &tile : tiles)
            got << QString("%1 %2 %3").arg(tile.Path).arg(tile.At.x()).arg(tile.At.y());
        QCOMPARE(got.join("; "), read);
    }

    // Background tiles by name, each once, the folders in any case; others reported. Written, a blank is quoted.
    void backgroundTiles()
    {
        const QList<PlacedTile> tiles{{"Resource/BACKGROUND/a b.tga", {0, 0}}, {"resource/background/a b.tga", {2, 0}},
                                      {"resource/a.tga", {0, 1}}, {"resource/background/sub/c.tga", {2, 1}}};
        QStringList elsewhere;
        QCOMPARE(BackgroundTileNames(tiles, &elsewhere), QStringList{"a b.tga"});
        QCOMPARE(elsewhere, (QStringList{"resource/a.tga", "resource/background/sub/c.tga"}));
        QCOMPARE(LayoutText(QSize(4, 2), tiles.mid(0, 3), "fit"),
                 "resolution   4   2\r\n\r\n\"Resource/BACKGROUND/a b.tga\"      fit      0   0\r\n"
                 "\"resource/background/a b.tga\"      fit      2   0\r\n\r\nresource/a.tga      fit      0   1\r\n");
    }
};

QTEST_GUILESS_MAIN(TstLayoutFiles)
#include "tst_layoutfiles.moc"
