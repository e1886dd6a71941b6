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

    void otherTexts_data()
    {
        QTest::addColumn<int>("resolution"); QTest::addColumn<int>("lines");
        QTest::addColumn<QByteArray>("first"); QTest::addColumn<QByteArray>("last");
        // Each row's name is its first line after "resolution".
        QTest::newRow("   800   600") << 1 << 16 << QByteArray("800_1_a_loading.tga      scaled      0   0")
                                      << QByteArray("800_3_d_loading.tga      scaled      768   512");
        QTest::newRow("   1280   1024") << 3 << 25 << QByteArray("1280_1_a_loading.tga      scaled      0   0")
                                        << QByteArray("1280_4_e_loading.tga      scaled      1024   768");
    }

    void otherTexts()
    {
        QFETCH(int, resolution); QFETCH(int, lines); QFETCH(QByteArray, first); QFETCH(QByteArray, last);
        const QByteArray text = LayoutFileText(resolution);
        QVERIFY(text.count("\r\n") == lines && text.count('\n') == lines);
        QVERIFY(text.startsWith("resolution" + QByteArray(QTest::currentDataTag()) + "\r\n\r\nresource/background/"
                                + first + "\r\n"));
        QVERIFY(text.endsWith("\r\nresource/background/" + last + "\r\n"));
    }

    // A 3000x2000 picture made in Wide HD: 2400x1600 in ten columns and seven rows of tiles,
    // the last column 96 wide, the last row 64 high.
    void wideHdTexts_data()
    {
        QTest::addColumn<QByteArray>("keyword"); QTest::addColumn<int>("length");
        // 26 for the resolution line, 14 for the empty lines, 70 tile lines of 58 bytes plus
        // the keyword's and 238 + 220 digits of their corners.
        QTest::newRow("fit") << QByteArray("fit") << 4558;
        QTest::newRow("scaled") << QByteArray("scaled") << 4768;
    }

    void wideHdTexts()
    {
        QFETCH(QByteArray, keyword); QFETCH(int, length);
        const LayoutPlan plan = PlanBackground(WideHdResolution, QSize(2400, 1600), false);
        QVERIFY(plan.HdPair);
        const QByteArray text = plan.textOf(keyword == "fit" ? "HD_BackgroundLayout.txt" : "BackgroundLayout.txt");
        QVERIFY(text.startsWith("resolution   2400   1600\r\n\r\nresource/background/hd_1_a_loading.tga      "
                                + keyword + "      0   0\r\n"));
        QVERIFY(text.endsWith("\r\nresource/background/hd_7_j_loading.tga      " + keyword + "      2304   1536\r\n"));
        QVERIFY(text.count("\r\n") == 78 && text.count('\n') == 78);
        QCOMPARE(text.size(), length);
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
};

QTEST_GUILESS_MAIN(TstLayoutFiles)
#include "tst_layoutfiles.moc"
