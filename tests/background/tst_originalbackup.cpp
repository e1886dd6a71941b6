#include "background/originalbackup.h"
#include "common/testfiles.h"
#include "io/wholefile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

// The game's own layout, written by hand on Windows: '\' and CR alone; one tile it names is missing.
const QByteArray StockLayout = "resolution   640   480\r\r"
                               "resource\\background\\800_1_a_loading.tga      scaled      0   0\r"
                               "Resource\\Background\\stock.tga      scaled      256   0\r"
                               "resource\\background\\missing.tga      scaled      512   0\r";

// Two changes, as a make or an install writes them: stock files replaced, new ones added.
const QStringList FirstChange{"background/800_1_a_loading.tga", "background/unnamed.tga", "background/new_1.tga",
                              "BackgroundLayout.txt", "BackgroundLoadingLayout.txt"};
const QStringList SecondChange{"background/new_1.tga", "background/new_2.tga", "background/other.tga",
                               "HD_BackgroundLayout.txt", "BackgroundLayout.txt"};

// What the first change keeps: the layout files, the tiles they name that exist, what it replaces.
const QByteArray FirstBackup =
    "kept 199 247cb75d1d27477bb78e029cb5e8d0845540553c8299366fbedd7f899c77bfce BackgroundLayout.txt\n"
    "kept 12 1a1a349e714bfe6dcc419986f271fee2cddc5095fcaa52b2e44b50f65775e1f8 background/800_1_a_loading.tga\n"
    "kept 12 53bbd919198faac1f3397c1fc1b6d3498ca187e9aa4de0083056722a0f925ce8 background/stock.tga\n"
    "kept 199 247cb75d1d27477bb78e029cb5e8d0845540553c8299366fbedd7f899c77bfce BackgroundLoadingLayout.txt\n"
    "kept 21 d1d1b5a2336ebef23a6005f984434097431d4bdb5a1a4dd9ad2e55cb7fca98e4 background/unnamed.tga\n";

// Every file and folder below `root`, folders ending in '/'.
QMap<QString, QByteArray> tree(const QString &root)
{
    QMap<QString, QByteArray> entries = Snapshot(root);
    for (QDirIterator it(root, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
        entries[it.next() + '/'] = "<folder>";
    return entries;
}

// Writes `paths` below `resource` in one set with the backup, as the commands do.
bool change(const QString &resource, const QStringList &paths, QString *error)
{
    WholeFileSet files;
    for (const QString &path : paths)
        files.add(resource + '/' + path, "made " + path.toUtf8());
    if (!AddToOriginalBackup(&files, resource, error))
        return false;
    const bool committed = files.commit();
    *error = files.errorString();
    return committed;
}

} // namespace

class TestOriginalBackup : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> tmp;
    QString resource() const { return tmp->filePath("cstrike/resource"); }

private slots:
    // A game with its own background, and files of it no layout names.
    void init()
    {
        tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(tmp->path()).mkpath("cstrike/resource/background"));
        for (const char *name : {"BackgroundLayout.txt", "BackgroundLoadingLayout.txt"})
            QVERIFY(WriteBytes(resource() + "/" + name, StockLayout));
        QVERIFY(WriteBytes(resource() + "/background/800_1_a_loading.tga", "stock tile a"));
        QVERIFY(WriteBytes(resource() + "/background/stock.tga", "stock tile b"));
        QVERIFY(QFile::setPermissions(resource() + "/background/stock.tga", QFile::ReadOwner));   // never changed
        QVERIFY(WriteBytes(resource() + "/background/unnamed.tga", "not named by a layout"));
        QVERIFY(WriteBytes(resource() + "/background/other.tga", "other stock tile"));
        QVERIFY(WriteBytes(tmp->filePath("cstrike/liblist.gam"), "game \"Counter-Strike\""));
    }

    // Changed twice, in the game's folder or in an addon folder the first change makes, the
    // game's folders come back exactly as they were.
    void restoreLeavesTheGameAsItWas_data()
    {
        QTest::addColumn<QString>("folder"); QTest::addColumn<QByteArray>("manifest");
        QTest::newRow("the game's own folder") << "cstrike/resource" << FirstBackup +
            "kept 16 d2c257a09be2666551ae73d1eebf715859689afb9ecbb346ee4304318ba37f93 background/other.tga\n"
            "added background/new_1.tga\nadded background/new_2.tga\n"
            "absent HD_BackgroundLayout.txt\nabsent HD_BackgroundLoadingLayout.txt\nlines 10\n";
        QTest::newRow("a new addon folder") << "cstrike_addon/resource" << QByteArray(
            "added background/800_1_a_loading.tga\nadded background/unnamed.tga\nadded background/new_1.tga\n"
            "added background/new_2.tga\nadded background/other.tga\n"
            "absent BackgroundLayout.txt\nabsent BackgroundLoadingLayout.txt\n"
            "absent HD_BackgroundLayout.txt\nabsent HD_BackgroundLoadingLayout.txt\n"
            "folder ..\nfolder .\nfolder background\nlines 12\n");
    }

    void restoreLeavesTheGameAsItWas()
    {
        QFETCH(QString, folder); QFETCH(QByteArray, manifest);
        const QString resource = tmp->filePath(folder);
        const auto before = tree(tmp->path());
        QVERIFY(!HasOriginalBackup(resource));
        QString error;
        QVERIFY2(change(resource, FirstChange, &error), qPrintable(error));
        QVERIFY2(change(resource, SecondChange, &error), qPrintable(error));
        QCOMPARE(ReadBytes(OriginalBackupFolder(resource) + "/manifest.txt"), manifest);
        QVERIFY(HasOriginalBackup(resource));

        QVERIFY2(RestoreOriginalBackup(resource, &error), qPrintable(error));
        QCOMPARE(tree(tmp->path()), before);
        QVERIFY(!HasOriginalBackup(resource));
    }

    // A backup not as it was kept is never restored, and a damaged list stops every change.
    void damagedBackupChangesNothing_data()
    {
        QTest::addColumn<QString>("file"); QTest::addColumn<QByteArray>("from"); QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("reason"); QTest::addColumn<bool>("stopsChanges");
        const QString manifest = "<backup>/manifest.txt";
        QTest::newRow("list deleted") << "manifest.txt" << QByteArray() << QByteArray() << manifest + " is missing" << true;
        QTest::newRow("list emptied") << "manifest.txt" << QByteArray() << QByteArray("") << manifest + " is cut short" << true;
        QTest::newRow("last line cut") << "manifest.txt" << QByteArray("lines 8\n") << QByteArray("")
                                       << manifest + " is cut short" << true;
        QTest::newRow("count changed") << "manifest.txt" << QByteArray("lines 8") << QByteArray("lines 9")
                                       << manifest + " holds 8 lines, not the 9 its last line counts" << true;
        QTest::newRow("unknown line") << "manifest.txt" << QByteArray("lines 8") << QByteArray("kept it all\nlines 9")
                                      << "line 9 of " + manifest + " is not understood" << true;
        QTest::newRow("path climbing out") << "manifest.txt" << QByteArray("added background/") << QByteArray("added ../")
                                           << "line 6 of " + manifest + " is not understood" << true;
        const QString stock = "<backup>/background/stock.tga is not the file that was kept";
        QTest::newRow("size changed") << "manifest.txt" << QByteArray("kept 12 53") << QByteArray("kept 13 53") << stock << false;
        QTest::newRow("hash changed") << "manifest.txt" << QByteArray(" 53bb") << QByteArray(" 53bc") << stock << false;
        QTest::newRow("tile replaced by junk") << "background/stock.tga" << QByteArray() << QByteArray("junk of 12 b")
                                               << stock << false;
        QTest::newRow("tile deleted") << "background/stock.tga" << QByteArray() << QByteArray()
                                      << "<backup>/background/stock.tga is missing" << false;
    }

    void damagedBackupChangesNothing()
    {
        QFETCH(QString, file); QFETCH(QByteArray, from); QFETCH(QByteArray, to); QFETCH(QString, reason);
        QFETCH(bool, stopsChanges);
        QString error;
        QVERIFY2(change(resource(), FirstChange, &error), qPrintable(error));
        const QString backup = OriginalBackupFolder(resource());
        QCOMPARE(ReadBytes(backup + "/manifest.txt"), FirstBackup + "added background/new_1.tga\n"
                 "absent HD_BackgroundLayout.txt\nabsent HD_BackgroundLoadingLayout.txt\nlines 8\n");
        const QByteArray kept = ReadBytes(backup + '/' + file);
        const QByteArray damaged = from.isEmpty() ? to : QByteArray(kept).replace(from, to);
        QVERIFY(damaged != kept);
        QVERIFY(to.isNull() ? QFile::remove(backup + '/' + file) : WriteBytes(backup + '/' + file, damaged));
        reason.replace("<backup>", backup);

        const auto before = tree(tmp->path());
        QVERIFY(!RestoreOriginalBackup(resource(), &error));
        QCOMPARE(error, "The backup of the original background is damaged: " + reason + "; nothing was restored");
        QCOMPARE(tree(tmp->path()), before);

        WholeFileSet files;
        QVERIFY(files.add(resource() + "/background/new_3.tga", "made"));
        QCOMPARE(AddToOriginalBackup(&files, resource(), &error), !stopsChanges);
        if (stopsChanges) {
            QCOMPARE(error, "The backup of the original background is damaged: " + reason + "; repair or remove the folder "
                                + backup + " before changing the background");
            QCOMPARE(files.targets(), QStringList{resource() + "/background/new_3.tga"});
        }
    }

    // A layout file of the game that does not read, or a file to keep that is a pipe, stops the
    // first change at once, naming it and the reason, and adds nothing to it.
    void unreadableGameFileStopsTheChange_data()
    {
        QTest::addColumn<QString>("file"); QTest::addColumn<QByteArray>("bytes"); QTest::addColumn<QString>("reason");
        QTest::newRow("layout file open quote") << "HD_BackgroundLayout.txt"
            << QByteArray("resolution 640 480\r\"resource\\background\\a.tga scaled 0 0") << "line 2 leaves a quote open";
        QTest::newRow("named tile a pipe") << "background/stock.tga" << QByteArray()
            << "it is not an ordinary file (a folder, a device or a pipe)";
    }

    void unreadableGameFileStopsTheChange()
    {
        QFETCH(QString, file); QFETCH(QByteArray, bytes); QFETCH(QString, reason);
        const QString path = resource() + '/' + file;
        QVERIFY(bytes.isNull() ? QFile::remove(path) && ::mkfifo(qPrintable(path), 0600) == 0 : WriteBytes(path, bytes));
        const auto before = tree(tmp->path());
        {
            WholeFileSet files;
            QVERIFY(files.add(resource() + "/background/new_1.tga", "made"));
            QString error;
            QVERIFY(!AddToOriginalBackup(&files, resource(), &error));
            QCOMPARE(error, "Cannot read " + path + ": " + reason);
            QCOMPARE(files.targets(), QStringList{resource() + "/background/new_1.tga"});
        }
        QCOMPARE(tree(tmp->path()), before);
    }
};

QTEST_GUILESS_MAIN(TestOriginalBackup)
#include "tst_originalbackup.moc"
