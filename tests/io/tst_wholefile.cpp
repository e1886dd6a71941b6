#include "common/fulldisk.h"
#include "common/testfiles.h"
#include "io/wholefile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

static QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

class TestWholeFile : public QObject {
    Q_OBJECT
private slots:
    // Qt buffers up to 16 KB, commits after a failed flush, and sets no error on a partial write.
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

    // A replacement, not an in-place write, leaves the old content to the file's other names.
    void replacesByRename()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("config.dat");
        QVERIFY(WriteWholeFile(name, "old", nullptr));
        QCOMPARE(::link(QFile::encodeName(name).constData(), QFile::encodeName(dir.filePath("link")).constData()), 0);
        QVERIFY(WriteWholeFile(name, "new", nullptr));
        QCOMPARE(ReadBytes(name), "new");
        QCOMPARE(ReadBytes(dir.filePath("link")), "old");
    }

    // The third file kept from being replaced, alone or in a set: nothing of the set replaced, the reason given.
    void setReplacesNothingUntilAllAreWritten_data()
    {
        QTest::addColumn<QString>("spoiler"); QTest::addColumn<QString>("reason");
        QTest::newRow("read-only") << "read-only" << "the file is read-only";
        QTest::newRow("a folder") << "folder" << "a folder or other non-file has that name";
        QTest::newRow("no folder") << "gone" << "its folder does not exist";
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
        if (spoiler == "gone")
            names[2] = dir.filePath("gone/3.txt");
        const QString error = "Cannot write " + QDir::toNativeSeparators(names[2]) + ": " + reason;
        QString said;
        QVERIFY2(spoiler.isEmpty() || (!WriteWholeFile(names[2], "new", &said) && said == error), qPrintable(said));
        {
            WholeFileSet set;
            QVERIFY(set.add(names[0], "new") && set.add(names[1], "new"));
            QCOMPARE(set.add(names[2], "new"), spoiler.isEmpty());
            QCOMPARE(ReadBytes(names[0]), "old");   // written, not yet in place
            if (!spoiler.isEmpty()) {
                QVERIFY(!set.commit());
                QCOMPARE(set.errorString(), error);
                QCOMPARE(FirstUnreplaceable(names), error);
            }
        }   // dropped unfinished
        QCOMPARE(ReadBytes(names[0]) + ReadBytes(names[1]), "oldold");
        QCOMPARE(entriesOf(dir.path()), (QStringList{"1.tga", "2.tga", "3.txt"}));
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
