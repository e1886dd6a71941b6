#include "common/fulldisk.h"
#include "common/testfiles.h"
#include "common/zipreader.h"
#include "zip/zipbackground.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

static const QString Relative = R"(cstrike\resource\background)";
static const QStringList Tiles640{"640_1_a_loading.tga", "640_1_b_loading.tga", "640_1_c_loading.tga",
                                  "640_2_a_loading.tga", "640_2_b_loading.tga", "640_2_c_loading.tga"};

// What the fake game holds under each name: an HD layout file "hd layout", another "layout", a tile its own name.
static QByteArray contentOf(const QString &name)
{
    return name.endsWith(".tga") ? name.toLatin1() : QByteArray(name.startsWith("HD_") ? "hd layout" : "layout");
}

// A fake game below `root`: cstrike/resource with `files`, tiles in its background folder.
static bool makeTree(const QString &root, const QStringList &files)
{
    const QString resource = root + "/cstrike/resource/";
    bool ok = QDir().mkpath(resource + "background");
    for (const QString &file : files)
        ok = ok && WriteBytes(resource + (file.endsWith(".tga") ? "background/" : "") + file, contentOf(file));
    return ok;
}

class TestZipBackground : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> tmp;
    QString resource(const QString &name) const { return tmp->filePath("cstrike/resource/" + name); }

private slots:
    void init() { tmp = std::make_unique<QTemporaryDir>(); }

    // The classic pair, the HD pair, then the tiles row by row, each as on disk.
    void packsLayoutFilesThenTilesInGridOrder()
    {
        const QStringList entries{"BackgroundLayout.txt", "BackgroundLoadingLayout.txt", "HD_BackgroundLayout.txt",
                                  "HD_BackgroundLoadingLayout.txt", "hd_1_a_loading.tga", "hd_1_b_loading.tga", "hd_1_c_loading.tga",
                                  "hd_2_a_loading.tga", "hd_2_b_loading.tga", "hd_2_c_loading.tga"};
        QVERIFY(makeTree(tmp->path(), entries));
        const QString zip = tmp->filePath("bg.zip");
        const ZipBackgroundResult result
            = ZipBackground(tmp->filePath("hl.exe"), Relative, PlanBackground(WideHdResolution, QSize(600, 300), false), zip);
        QVERIFY2(result.ok, qPrintable(result.errorString));
        QCOMPARE(result.entries, entries);
        ReadArchive read;
        QString error;
        QVERIFY2(ReadZip(ReadBytes(zip), read, error), qPrintable(error));
        QCOMPARE(read.entries.size(), entries.size());
        for (int i = 0; i < entries.size(); ++i)
            QVERIFY2(read.entries[i].name == entries[i] && read.entries[i].contents == contentOf(entries[i]), qPrintable(entries[i]));
    }

    // Nothing is written, and an old archive stays, when the background is not whole.
    void incompleteBackgroundWritesNothing_data()
    {
        QTest::addColumn<QString>("change"); QTest::addColumn<QString>("named");
        QTest::newRow("missing tile") << "remove" << "background/hd_2_c_loading.tga";
        QTest::newRow("HD layout files differ") << "differ" << "HD_BackgroundLoadingLayout.txt";
    }

    void incompleteBackgroundWritesNothing()
    {
        QFETCH(QString, change); QFETCH(QString, named);
        const LayoutPlan made = PlanBackground(WideHdResolution, QSize(600, 300), false);
        QStringList files = made.layoutNames();
        for (const TileSpec &tile : made.Tiles)
            files << tile.FileName;
        QVERIFY(makeTree(tmp->path(), files));
        QVERIFY(change == "remove" ? QFile::remove(resource(named)) : WriteBytes(resource(named), "other layout"));
        QVERIFY(WriteBytes(tmp->filePath("old.zip"), "previous archive"));
        for (const QString &archive : {tmp->filePath("fresh.zip"), tmp->filePath("old.zip")}) {
            const ZipBackgroundResult result = ZipBackground(tmp->filePath("hl.exe"), Relative, made, archive);
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
        QVERIFY(makeTree(disk.path(), QStringList{"BackgroundLayout.txt", "BackgroundLoadingLayout.txt"} + Tiles640));
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
