#include "common/fulldisk.h"
#include "common/testfiles.h"
#include "io/faultseam.h"
#include "io/wholefile.h"

#include <QRegularExpression>
#include <QTest>

#include <sys/wait.h>

// The files of the walks' set, before or after it: c.tga removed, a.tga replaced, made/e.tga
// new in a folder the set makes. A look-alike of a temporary file no set made outlives it all.
static QMap<QString, QByteArray> tree(bool changed)
{
    if (changed)
        return {{"./a.tga", "new a"}, {"./made/e.tga", "new e"}, {"./x.quiltra-new-abcdef", "x"}};
    return {{"./a.tga", "old a"}, {"./c.tga", "old c"}, {"./x.quiltra-new-abcdef", "x"}};
}

// Commits the set in the current folder; the error, or empty.
static QString commitTheSet()
{
    WholeFileSet set;
    return set.remove("c.tga") && set.add("a.tga", "new a") && set.add("made/e.tga", "new e") && set.commit()
        ? ""
        : set.errorString();
}

// Each test works in a fresh current folder.
class TestWholeFile : public QObject {
    Q_OBJECT
    FreshFolder m_folder;

private slots:
    void init() { QVERIFY(m_folder.enter()); }
    void cleanup() { SetFault({}); }

    // A real file system with two pages left: the check says so before the first byte, and a
    // write anyway fails with the disk's own reason, the old file kept, nothing left beside it.
    void fullDisk()
    {
        FullDisk disk;
        MOUNT_FULL_DISK(disk, 3072);
        const QString name = disk.path() + "/a";
        const QByteArray old(1 << 20, 'o');
        QVERIFY(WriteWholeFile(name, old, nullptr) && disk.fill(8192));
        QCOMPARE(CheckBeforeWriting({{name, 1 << 20}}),
                 "There is not enough free space in " + disk.path() + ": 2059 KB are needed, 8 KB are free");
        QString error;
        QVERIFY(!WriteWholeFile(name, QByteArray(1 << 20, 'n'), &error) && ReadBytes(name) == old);
        QCOMPARE(error, "Cannot write " + name + ": No space left on device");
    }

    // A file's other name keeps the old content, and a symbolic link is replaced, not written
    // through. A single file is written into a folder that is there, never one made for it. A
    // set of one removal removes.
    void replacesTheName()
    {
        QVERIFY(WriteBytes("a", "old") && ::link("a", "hard") == 0 && QFile::link("a", "soft"));
        QVERIFY(WriteWholeFile("hard", "new", nullptr) && WriteWholeFile("soft", "new", nullptr));
        QCOMPARE(ReadBytes("a") + ReadBytes("hard") + ReadBytes("soft"), "oldnewnew");
        QString error;
        QVERIFY(!WriteWholeFile("no/b", "", &error));
        QCOMPARE(error, "Cannot write no/b: its folder does not exist");
        WholeFileSet set;
        QVERIFY(set.remove("a") && set.commit() && !QFile::exists("a"));
    }

    // What is refused before the first byte is written, the name shown with its control
    // characters spelt out. A set dropped uncommitted changes nothing and leaves nothing, not
    // even the folders it made.
    void refused_data()
    {
        columns<QString, QString>("name", "reason");
        const QString control = "its name holds a control character";
        // A name of 255 bytes, in folders to make.
        QTest::newRow("fine") << "new/sub/" + QString(255, 'x') << "";
        QTest::newRow("256 bytes") << QString(256, 'x')
                                   << "its name is longer than the 255 bytes a file name may have here";
        QTest::newRow("control") << "a\x01" "b" << control;
        QTest::newRow("line break") << "new\nline/b" << control;
        QTest::newRow("read-only") << "a" << "the file is read-only";
        QTest::newRow("a folder") << "folder" << "a folder or other non-file has that name";
        QTest::newRow("a file for a folder") << "a/b" << "%1/a is not a folder";
    }
    void refused()
    {
        QFETCH(QString, name); QFETCH(QString, reason);
        QVERIFY(WriteBytes("a", "") && QFile::setPermissions("a", QFile::ReadOwner) && QDir().mkdir("folder"));
        const QString shown = QString(name).replace('\x01', "\\x01").replace('\n', "\\n");
        QCOMPARE(CheckBeforeWriting({{"c", 1000}, {name, 100}}),
                 reason.isEmpty() ? "" : "Cannot write " + shown + ": " + reason.replace("%1", QDir::currentPath()));
        WholeFileSet().add(name, "new");
        QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 (QStringList{"a", "folder"}));
    }

    // Each rename, write and flush of the set failing in turn, as a failing disk fails it, and the
    // process killed before each rename, then recovered as at the next start: the set is all old,
    // or all new once its last rename was done, with nothing left beside it; a failure names its
    // file. One step past the last nothing fires, which pins how many steps there are. Each row
    // is named by its fault.
    void walk_data()
    {
        columns<QString>("failing");
        const QString journal = ".*/quiltra-journal-\\w{6}.txt";
        const QStringList renamed{journal, "c.tga", "a.tga", "made/e.tga", ""},
            written{"a.tga", "made/e.tga", journal, ""};
        for (const QString point : {"rename", "stop-rename", "write", "fsync"}) {
            const QStringList steps = point.endsWith("rename") ? renamed : written;
            for (int n = 1; n <= steps.size(); ++n)
                QTest::addRow("%s:%d", qPrintable(point), n) << steps[n - 1];
        }
        // Killed before the last rename, which is then done as if just before the kill.
        QTest::newRow("stop-rename:4 done") << "done";
    }
    void walk()
    {
        QFETCH(QString, failing);
        const QString fault = QString(QTest::currentDataTag()).section(' ', 0, 0);
        for (const auto &[name, bytes] : tree(false).asKeyValueRange())
            QVERIFY(WriteBytes(name, bytes));
        QString error;
        if (fault.startsWith("stop")) {
            if (fork() == 0) {
                SetFault(fault);
                _exit(commitTheSet().isEmpty() ? 0 : 1);
            }
            int status = 0;
            wait(&status);
            QCOMPARE(WEXITSTATUS(status), failing.isEmpty() ? 0 : 137);
            QVERIFY(failing != "done"
                    || QFile::rename("made/" + QDir("made").entryList({"e.tga.*"}).value(0), "made/e.tga"));
            QCOMPARE(RecoverInterruptedSets({".", "made"}, &error),
                     failing.isEmpty()
                         ? QStringList()
                         : QStringList{
                             "An interrupted change in " + QDir::currentPath()
                             + (failing == "done" ? " was completed" : " was undone; its files are as they were")});
            failing.remove("done");
        } else {
            QVERIFY(SetFault(fault));
            error = commitTheSet();
            const QRegularExpression said("^Cannot write " + failing + ": Input/output error$");
            QVERIFY2(said.match(error).hasMatch() == !failing.isEmpty(), qPrintable(error));
        }
        QCOMPARE(Snapshot("."), tree(failing.isEmpty()));
        QCOMPARE(QFileInfo::exists("made"), failing.isEmpty());
    }

    // Only a regular file is read, up to its cap; anything else is refused without being opened,
    // so neither a pipe nor a device can hold the reader (a pipe for each of its callers in
    // tst_allornothing). Each row is named by the file it reads.
    void readRegularFile_data()
    {
        columns<QString>("reason");
        QTest::newRow("at-cap") << "";
        QTest::newRow("over-cap") << "it is larger than 2 KB";
        QTest::newRow("missing") << "No such file or directory";
    }
    void readRegularFile()
    {
        QFETCH(QString, reason);
        const QString name = QTest::currentDataTag();
        QVERIFY(WriteBytes("at-cap", QByteArray(2048, 'r')) && WriteBytes("over-cap", QByteArray(2049, 'r')));
        QByteArray bytes;
        QString error;
        QCOMPARE(ReadRegularFile(name, 2048, &bytes, &error), reason.isEmpty());
        QCOMPARE(error, reason.isEmpty() ? "" : "Cannot read " + name + ": " + reason);
        QCOMPARE(bytes.size(), reason.isEmpty() ? 2048 : 0);
    }

    // A write cut short gives the device's own reason, or a plain one, never "Unknown error".
    void shortWrites()
    {
        LimitedDevice full(100, "disk full"), mute(100, {});
        QString said, plain;
        QVERIFY(!WriteAllTo(&full, QByteArray(200, 'x'), &said) && !WriteAllTo(&mute, QByteArray(200, 'x'), &plain));
        QCOMPARE(said + '/' + plain, "disk full/the file could not be written completely");
    }
};

QTEST_GUILESS_MAIN(TestWholeFile)
#include "tst_wholefile.moc"
