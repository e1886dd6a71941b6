#include "common/fulldisk.h"
#include "common/testfiles.h"
#include "common/zipreader.h"
#include "zip/zipbackground.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// A fake game tree below `root`: cstrike/resource with both layout files (the same text)
// and cstrike/resource/background with the given tiles, each holding its own name.
static bool makeTree(const QString &root, const QStringList &tiles)
{
    const QString resource = root + "/cstrike/resource/";
    bool ok = QDir().mkpath(resource + "background") && WriteBytes(resource + "BackgroundLayout.txt", "layout")
              && WriteBytes(resource + "BackgroundLoadingLayout.txt", "layout");
    for (const QString &tile : tiles)
        ok = ok && WriteBytes(resource + "background/" + tile, tile.toLatin1());
    return ok;
}

static const QString Relative = R"(cstrike\resource\background)";

class TestZipBackground : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> tmp;
    QString resource(const QString &name) const { return tmp->filePath("cstrike/resource/" + name); }

private slots:
    void init() { tmp = std::make_unique<QTemporaryDir>(); }

    void packsLayoutFilesThenTilesInGridOrder_data()
    {
        QTest::addColumn<int>("resolution"); QTest::addColumn<QStringList>("entries");
        QTest::newRow("640x480") << 0 << QStringList{
            "BackgroundLayout.txt", "BackgroundLoadingLayout.txt",
            "640_1_a_loading.tga", "640_1_b_loading.tga", "640_1_c_loading.tga",
            "640_2_a_loading.tga", "640_2_b_loading.tga", "640_2_c_loading.tga"};
        QTest::newRow("1280x1024") << 3 << QStringList{
            "BackgroundLayout.txt", "BackgroundLoadingLayout.txt",
            "1280_1_a_loading.tga", "1280_1_b_loading.tga", "1280_1_c_loading.tga", "1280_1_d_loading.tga",
            "1280_1_e_loading.tga", "1280_2_a_loading.tga", "1280_2_b_loading.tga", "1280_2_c_loading.tga",
            "1280_2_d_loading.tga", "1280_2_e_loading.tga", "1280_3_a_loading.tga", "1280_3_b_loading.tga",
            "1280_3_c_loading.tga", "1280_3_d_loading.tga", "1280_3_e_loading.tga", "1280_4_a_loading.tga",
            "1280_4_b_loading.tga", "1280_4_c_loading.tga", "1280_4_d_loading.tga", "1280_4_e_loading.tga"};
    }

    void packsLayoutFilesThenTilesInGridOrder()
    {
        QFETCH(int, resolution);
        QFETCH(QStringList, entries);
        QVERIFY(makeTree(tmp->path(), entries.mid(2)));
        const ZipBackgroundResult result =
            ZipBackground(tmp->filePath("hl.exe"), Relative, resolution, tmp->filePath("bg.zip"));
        QVERIFY2(result.ok, qPrintable(result.errorString));
        QCOMPARE(result.entries, entries);
        ReadArchive read;
        QString error;
        QVERIFY2(ReadZip(ReadBytes(tmp->filePath("bg.zip")), read, error), qPrintable(error));
        QCOMPARE(read.entries.size(), entries.size());
        for (int i = 0; i < entries.size(); ++i)   // each tile holds its own name
            QVERIFY2(read.entries[i].name == entries[i]
                         && read.entries[i].contents == (i < 2 ? QByteArray("layout") : entries[i].toLatin1()),
                     qPrintable(entries[i]));
    }

    // The four layout files of a Wide HD make, then its tiles.
    void packsAWideHdMake()
    {
        const LayoutPlan made = PlanBackground(WideHdResolution, QSize(600, 300), false);
        QStringList tiles;
        for (const TileSpec &tile : made.Tiles)
            tiles << tile.FileName;
        QVERIFY(makeTree(tmp->path(), tiles));
        for (const char *name : {"HD_BackgroundLayout.txt", "HD_BackgroundLoadingLayout.txt"})
            QVERIFY(WriteBytes(resource(name), "hd layout"));
        const ZipBackgroundResult result = ZipBackground(tmp->filePath("hl.exe"), Relative, made, tmp->filePath("hd.zip"));
        QVERIFY2(result.ok, qPrintable(result.errorString));
        QCOMPARE(result.entries, (QStringList{"BackgroundLayout.txt", "BackgroundLoadingLayout.txt",
                                              "HD_BackgroundLayout.txt", "HD_BackgroundLoadingLayout.txt",
                                              "hd_1_a_loading.tga", "hd_1_b_loading.tga", "hd_1_c_loading.tga",
                                              "hd_2_a_loading.tga", "hd_2_b_loading.tga", "hd_2_c_loading.tga"}));
        ReadArchive read;
        QString error;
        QVERIFY2(ReadZip(ReadBytes(tmp->filePath("hd.zip")), read, error), qPrintable(error));
        QCOMPARE(read.entries.size(), 10);
        QCOMPARE(read.entries[2].contents, "hd layout");
        QVERIFY(WriteBytes(resource("HD_BackgroundLoadingLayout.txt"), "another"));
        QVERIFY(!ZipBackground(tmp->filePath("hl.exe"), Relative, made, tmp->filePath("hd.zip")).ok);
    }

    // Nothing is written, and an old archive stays, when the background is not whole.
    void incompleteBackgroundWritesNothing_data()
    {
        QTest::addColumn<QString>("change"); QTest::addColumn<QString>("named");
        QTest::newRow("missing tile") << "remove" << "background/640_2_c_loading.tga";
        QTest::newRow("layout files differ") << "differ" << "BackgroundLoadingLayout.txt";
    }

    void incompleteBackgroundWritesNothing()
    {
        QFETCH(QString, change);
        QFETCH(QString, named);
        QVERIFY(makeTree(tmp->path(), {"640_1_a_loading.tga", "640_1_b_loading.tga", "640_1_c_loading.tga",
                                       "640_2_a_loading.tga", "640_2_b_loading.tga", "640_2_c_loading.tga"}));
        QVERIFY(change == "remove" ? QFile::remove(resource(named)) : WriteBytes(resource(named), "other layout"));
        QVERIFY(WriteBytes(tmp->filePath("old.zip"), "previous archive"));
        for (const QString &archive : {tmp->filePath("fresh.zip"), tmp->filePath("old.zip")}) {
            const ZipBackgroundResult result = ZipBackground(tmp->filePath("hl.exe"), Relative, 0, archive);
            QVERIFY(!result.ok && result.entries.isEmpty());
            QVERIFY2(result.errorString.contains(QDir::toNativeSeparators(resource(named))), qPrintable(result.errorString));
        }
        QVERIFY(!QFile::exists(tmp->filePath("fresh.zip")));
        QCOMPARE(ReadBytes(tmp->filePath("old.zip")), "previous archive");
    }

    void fullDiskKeepsTheOldArchive()
    {
        FullDisk disk;
        MOUNT_FULL_DISK(disk, 1024);
        QVERIFY(makeTree(disk.path(), {"640_1_a_loading.tga", "640_1_b_loading.tga", "640_1_c_loading.tga",
                                       "640_2_a_loading.tga", "640_2_b_loading.tga", "640_2_c_loading.tga"}));
        const QString archive = disk.path() + "/bg.zip";
        QVERIFY(WriteBytes(archive, "previous archive"));
        QVERIFY(disk.fill());
        const ZipBackgroundResult result = ZipBackground(disk.path() + "/hl.exe", Relative, 0, archive);
        QVERIFY(!result.ok);
        QCOMPARE(result.errorString, "Cannot write " + QDir::toNativeSeparators(archive) + ": No space left on device");
        QCOMPARE(ReadBytes(archive), "previous archive");
    }
};

QTEST_GUILESS_MAIN(TestZipBackground)
#include "tst_zipbackground.moc"
