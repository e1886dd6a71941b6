#include "common/fulldisk.h"
#include "common/testfiles.h"
#include "io/faultseam.h"
#include "io/wholefile.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

static QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

// The set the fault and stop walks commit in `root`: a.tga, b.tga and d.txt replaced, c.tga
// removed, made/e.tga new in a folder the set makes. A look-alike of a temporary file that no
// set made must outlive every failure and recovery.
static QMap<QString, QByteArray> oldTree(const QString &root)
{
    return {{root + "/a.tga", "old a"}, {root + "/b.tga", "old b"}, {root + "/c.tga", "old c"},
            {root + "/d.txt", "old d"}, {root + "/x.tga.quiltra-new-abcdef", "not the set's"}};
}

static QMap<QString, QByteArray> newTree(const QString &root)
{
    return {{root + "/a.tga", "new a!"}, {root + "/b.tga", "new b!"}, {root + "/d.txt", "new d!"},
            {root + "/made/e.tga", "new e!"}, {root + "/x.tga.quiltra-new-abcdef", "not the set's"}};
}

static bool commitTheSet(const QString &root, QString *error = nullptr)
{
    WholeFileSet set;
    const bool ok = set.add(root + "/a.tga", "new a!") && set.add(root + "/b.tga", "new b!") && set.remove(root + "/c.tga")
                    && set.add(root + "/d.txt", "new d!") && set.add(root + "/made/e.tga", "new e!") && set.commit();
    if (error)
        *error = set.errorString();
    return ok;
}

static bool plant(const QMap<QString, QByteArray> &tree)
{
    for (auto it = tree.cbegin(); it != tree.cend(); ++it) {
        if (!QDir().mkpath(QFileInfo(it.key()).path()) || !WriteBytes(it.key(), it.value()))
            return false;
    }
    return true;
}

static const char CommitInChild[] = "QUILTRA_TEST_COMMIT_IN";

class TestWholeFile : public QObject {
    Q_OBJECT
public:
    // The hidden child mode of the stop walk: one commit, ended by the QUILTRA_FAULT it is given.
    static void initMain()
    {
        if (qEnvironmentVariableIsSet(CommitInChild))
            std::exit(commitTheSet(qEnvironmentVariable(CommitInChild)) ? 0 : 1);
    }

private slots:
    void cleanup() { SetFault({}); }

    // A real file system full before the first byte, past the first 16 KB, or with pages to spare:
    // the write fails with the disk's own reason and the old file stays.
    void fullDiskKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("size"); QTest::addColumn<int>("leaveFree");
        QTest::newRow("tiny") << 100 << 0;
        QTest::newRow("just over 16 KB") << 16 * 1024 + 1 << 0;
        QTest::newRow("large, two pages free") << 1024 * 1024 << 8192;
    }

    void fullDiskKeepsTheOldFile()
    {
        QFETCH(int, size); QFETCH(int, leaveFree);
        FullDisk disk;
        MOUNT_FULL_DISK(disk, 3072);
        const QString name = disk.path() + "/BackgroundLayout.txt";
        const QByteArray old(size, 'o');
        QVERIFY(WriteWholeFile(name, old, nullptr));
        QVERIFY(disk.fill(leaveFree));

        QString error;
        QVERIFY(!WriteWholeFile(name, QByteArray(size, 'n'), &error));
        QCOMPARE(error, "Cannot write " + QDir::toNativeSeparators(name) + ": No space left on device");
        QVERIFY(ReadBytes(name) == old);
        QCOMPARE(entriesOf(disk.path()), (QStringList{".filler", "BackgroundLayout.txt"}));
    }

    // A replacement, not an in-place write: the old content stays with the file's other
    // names, and a symbolic link is replaced, not written through.
    void replacesTheNameNotTheFile_data()
    {
        QTest::addColumn<bool>("symbolic");
        QTest::newRow("hard link") << false;
        QTest::newRow("symbolic link") << true;
    }

    void replacesTheNameNotTheFile()
    {
        QFETCH(bool, symbolic);
        QTemporaryDir dir;
        const QString name = dir.filePath("config.dat"), other = dir.filePath("other");
        QVERIFY(WriteBytes(other, "old"));
        const QByteArray from = QFile::encodeName(other), to = QFile::encodeName(name);
        QCOMPARE(symbolic ? ::symlink(from.constData(), to.constData()) : ::link(from.constData(), to.constData()), 0);
        QVERIFY(WriteWholeFile(name, "new", nullptr));
        QCOMPARE(ReadBytes(name), "new");
        QCOMPARE(ReadBytes(other), "old");
        QVERIFY(!QFileInfo(name).isSymLink());
        QCOMPARE(entriesOf(dir.path()), (QStringList{"config.dat", "other"}));
    }

    // The third file kept from being replaced: nothing of the set replaced, the reason given.
    void setReplacesNothingUntilAllAreWritten_data()
    {
        QTest::addColumn<QString>("spoiler"); QTest::addColumn<QString>("reason");
        QTest::newRow("read-only") << "read-only" << "the file is read-only";
        QTest::newRow("a folder") << "folder" << "a folder or other non-file has that name";
        QTest::newRow("not committed") << "" << "";
    }

    void setReplacesNothingUntilAllAreWritten()
    {
        QFETCH(QString, spoiler); QFETCH(QString, reason);
        QTemporaryDir dir;
        QStringList names{dir.filePath("1.tga"), dir.filePath("2.tga"), dir.filePath("3.txt")};
        for (const QString &name : names)
            QVERIFY(WriteWholeFile(name, "old", nullptr));
        QVERIFY(spoiler != "read-only" || QFile::setPermissions(names[2], QFile::ReadOwner));
        QVERIFY(spoiler != "folder" || (QFile::remove(names[2]) && QDir().mkdir(names[2])));
        const QString error = "Cannot write " + QDir::toNativeSeparators(names[2]) + ": " + reason;
        {
            WholeFileSet set;
            QVERIFY(set.add(names[0], "new") && set.add(names[1], "new"));
            QCOMPARE(set.add(names[2], "new"), spoiler.isEmpty());
            if (!spoiler.isEmpty()) {
                QVERIFY(!set.commit());
                QCOMPARE(set.errorString(), error);
                QCOMPARE(FirstUnreplaceable(names), error);
            }
            QCOMPARE(ReadBytes(names[0]), "old");   // written aside, not in place
        }   // dropped unfinished
        QCOMPARE(ReadBytes(names[0]) + ReadBytes(names[1]), "oldold");
        QCOMPARE(entriesOf(dir.path()), (QStringList{"1.tga", "2.tga", "3.txt"}));
    }

    // Each step of the set failing in turn, as a failing disk fails it: the commit fails naming
    // the file, and the tree is as it was, with nothing left beside it. One step past the last,
    // no fault fires, which pins how many steps there are.
    void faultWalk_data()
    {
        QTest::addColumn<QString>("fault"); QTest::addColumn<QString>("failing");
        const QStringList renamed{"journal", "a.tga", "b.tga", "c.tga", "d.txt", "made/e.tga", ""};
        const QStringList written{"a.tga", "b.tga", "d.txt", "made/e.tga", "journal", ""};
        for (int n = 1; n <= renamed.size(); ++n)
            QTest::addRow("rename:%d", n) << QString("rename:%1").arg(n) << renamed[n - 1];
        for (const QString point : {"write", "fsync"}) {
            for (int n = 1; n <= written.size(); ++n)
                QTest::addRow("%s:%d", qPrintable(point), n) << QString("%1:%2").arg(point).arg(n) << written[n - 1];
        }
    }

    void faultWalk()
    {
        QFETCH(QString, fault); QFETCH(QString, failing);
        QTemporaryDir dir;
        const QString root = dir.path();
        QVERIFY(plant(oldTree(root)));
        QVERIFY(SetFault(fault));
        QString error;
        QCOMPARE(commitTheSet(root, &error), failing.isEmpty());
        const QString named = failing == "journal" ? "quiltra-journal-[a-z0-9]{6}\\.txt" : QRegularExpression::escape(failing);
        QVERIFY2(failing.isEmpty() || QRegularExpression("^Cannot write " + QRegularExpression::escape(root) + "/" + named
                                                         + ": Input/output error$").match(error).hasMatch(), qPrintable(error));
        QCOMPARE(Snapshot(root), failing.isEmpty() ? newTree(root) : oldTree(root));
        QCOMPARE(QFileInfo::exists(root + "/made"), failing.isEmpty());
    }

    // The process killed just before each rename of the commit, then recovered as at the next
    // start: the tree is all old or, when the last step was done, all new, with nothing left.
    void stopWalk_data()
    {
        QTest::addColumn<int>("n"); QTest::addColumn<bool>("lastDone"); QTest::addColumn<QString>("outcome");
        for (int n = 1; n <= 6; ++n)
            QTest::addRow("stop-rename:%d", n) << n << false << "was undone; its files are as they were";
        QTest::newRow("killed after the last rename") << 6 << true << "was completed";
        QTest::newRow("stop-rename:7, not stopped") << 7 << false << "";
    }

    void stopWalk()
    {
        QFETCH(int, n); QFETCH(bool, lastDone); QFETCH(QString, outcome);
        QTemporaryDir dir;
        const QString root = dir.path();
        QVERIFY(plant(oldTree(root)));
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(CommitInChild, root);
        environment.insert("QUILTRA_FAULT", QString("stop-rename:%1").arg(n));
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath());
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitCode(), outcome.isEmpty() ? 0 : 137);
        if (lastDone) {   // the new file's rename, done just before the kill
            const QStringList temporary = QDir(root + "/made").entryList({"e.tga.quiltra-new-*"});
            QCOMPARE(temporary.size(), 1);
            QVERIFY(QFile::rename(root + "/made/" + temporary[0], root + "/made/e.tga"));
        }
        QString error;
        const QStringList said = RecoverInterruptedSets({root, root + "/made"}, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(said, outcome.isEmpty() ? QStringList() : QStringList{"An interrupted change in " + root + " " + outcome});
        QCOMPARE(Snapshot(root), outcome == "was undone; its files are as they were" ? oldTree(root) : newTree(root));
        QCOMPARE(QFileInfo::exists(root + "/made"), outcome != "was undone; its files are as they were");
    }

    // What can be told before the first byte is written, each with its message.
    void checkBeforeWriting_data()
    {
        QTest::addColumn<QString>("setup"); QTest::addColumn<QString>("name"); QTest::addColumn<QString>("reason");
        QTest::newRow("all fine, a folder to make") << "" << "new/sub/b.txt" << "";
        QTest::newRow("name over the limit") << "" << QString(256, 'x') + ".tga"
            << ": its name is longer than the 255 bytes a file name may have here";
        QTest::newRow("a control character") << "" << "a\x01" "b.tga" << ": its name holds a control character";
        QTest::newRow("a line break") << "" << "new\nline/b.tga" << ": its name holds a control character";
        QTest::newRow("read-only") << "read-only" << "a.tga" << ": the file is read-only";
        QTest::newRow("a folder in the way") << "" << "folder" << ": a folder or other non-file has that name";
        QTest::newRow("a file in the way of its folder") << "" << "a.tga/b.tga" << ": %1/a.tga is not a folder";
        QTest::newRow("not enough space") << "full" << "a.tga"
            << "There is not enough free space in %1: 1026 KB are needed, 0 KB are free";
    }

    void checkBeforeWriting()
    {
        QFETCH(QString, setup); QFETCH(QString, name); QFETCH(QString, reason);
        QTemporaryDir dir;
        FullDisk disk;
        if (setup == "full")
            MOUNT_FULL_DISK(disk, 1024);
        const QString root = setup == "full" ? disk.path() : dir.path();
        QVERIFY(WriteBytes(root + "/a.tga", "old") && QDir(root).mkdir("folder"));
        QVERIFY(setup != "read-only" || QFile::setPermissions(root + "/a.tga", QFile::ReadOwner));
        QVERIFY(setup != "full" || disk.fill(0));
        QString shownName = root + "/" + name;
        shownName.replace('\x01', "\\x01").replace('\n', "\\n");
        QString expected = reason.contains("%1") ? reason.arg(root) : reason;
        if (expected.startsWith(':'))
            expected.prepend("Cannot write " + shownName);
        QCOMPARE(CheckBeforeWriting({{root + "/c.tga", 1000}, {root + "/" + name, 100}}), expected);
    }

    // Only a regular file is read, up to its cap; anything else is refused without being opened,
    // so neither a pipe nor a device can hold the reader.
    void readRegularFile_data()
    {
        QTest::addColumn<QString>("name"); QTest::addColumn<QString>("reason");
        const QString notOrdinary = "it is not an ordinary file (a folder, a device or a pipe)";
        QTest::newRow("regular, at the cap") << "regular" << "";
        QTest::newRow("a link to it") << "link" << "";
        QTest::newRow("over the cap") << "large" << "it is larger than 2 KB";
        QTest::newRow("a FIFO") << "fifo" << notOrdinary;
        QTest::newRow("/dev/zero") << "/dev/zero" << notOrdinary;
        QTest::newRow("a folder") << "folder" << notOrdinary;
        QTest::newRow("missing") << "missing" << "No such file or directory";
    }

    void readRegularFile()
    {
        QFETCH(QString, name); QFETCH(QString, reason);
        QTemporaryDir dir;
        const QByteArray content(2048, 'r');
        QVERIFY(WriteBytes(dir.filePath("regular"), content) && WriteBytes(dir.filePath("large"), content + 'x'));
        QVERIFY(QFile::link(dir.filePath("regular"), dir.filePath("link")) && QDir(dir.path()).mkdir("folder"));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0600), 0);
        const QString path = name.startsWith('/') ? name : dir.filePath(name);
        QByteArray bytes = "untouched";
        QString error;
        QCOMPARE(ReadRegularFile(path, 2048, &bytes, &error), reason.isEmpty());
        QCOMPARE(error, reason.isEmpty() ? "" : "Cannot read " + path + ": " + reason);
        QCOMPARE(bytes, reason.isEmpty() ? content : QByteArray("untouched"));
    }

    // A short write is followed up: the reason is the device's own or a plain one, never "Unknown error".
    void shortWrites_data()
    {
        QTest::addColumn<int>("room"); QTest::addColumn<QString>("deviceReason");
        QTest::addColumn<QString>("reason");
        QTest::newRow("full after 100 bytes") << 100 << "No space left on device" << "No space left on device";
        QTest::newRow("stops without a word") << 100 << "" << "the file could not be written completely";
        QTest::newRow("room for all") << 1000 << "" << "";
    }

    void shortWrites()
    {
        QFETCH(int, room); QFETCH(QString, deviceReason); QFETCH(QString, reason);
        LimitedDevice device(room, deviceReason);
        QString said;
        QCOMPARE(WriteAllTo(&device, QByteArray(1000, 'x'), &said), reason.isEmpty());
        QCOMPARE(said, reason);
        QCOMPARE(device.data().size(), qMin(room, 1000));
    }
};

QTEST_GUILESS_MAIN(TestWholeFile)
#include "tst_wholefile.moc"
