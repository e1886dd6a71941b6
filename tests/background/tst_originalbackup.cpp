#include "background/originalbackup.h"
#include "common/fakegame.h"
#include "io/wholefile.h"

#include <QTest>

#include <optional>

// Every file and folder below `root`, folders ending in '/'.
static QMap<QString, QByteArray> tree(const QString &root)
{
    QMap<QString, QByteArray> entries = Snapshot(root);
    for (QDirIterator it(root, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories); it.hasNext();)
        entries[it.next() + '/'] = "<folder>";
    return entries;
}

class TstOriginalBackup : public QObject
{
    Q_OBJECT
    std::optional<FakeGame> g;
    QString r() const { return g->resource(); }

    // Writes `paths` in one set with the backup, as a make or an install does.
    bool change(const QStringList &paths, QString *error)
    {
        WholeFileSet files;
        for (const QString &path : paths)
            files.add(r() + '/' + path, "made");
        if (!AddToOriginalBackup(&files, r(), error))
            return false;
        const bool committed = files.commit();
        *error = files.errorString();
        return committed;
    }
    bool firstChange(QString *error)
    {
        return change({"background/a.tga", "background/new.tga", "BackgroundLayout.txt", "BackgroundLoadingLayout.txt"},
                      error);
    }

private slots:
    // The game's own layout files, written by hand on Windows ('\' and CR alone), naming a.tga, b.tga (never written)
    // and a tile that is missing; other.tga named by none.
    void init()
    {
        g.emplace();
        for (const char *name : {"BackgroundLayout.txt", "BackgroundLoadingLayout.txt"})
            QVERIFY(WriteBytes(
                r() + '/' + name,
                "resolution 640 480\r\rresource\\background\\a.tga scaled 0 0\r"
                "Resource\\Background\\b.tga scaled 256 0\rresource\\background\\missing.tga scaled 512 0\r"));
        for (const char *tile : {"a", "b", "other"})
            QVERIFY(WriteBytes(r() + "/background/" + tile + ".tga", QByteArray("tile ") + tile));
        QVERIFY(QFile::setPermissions(r() + "/background/b.tga", QFile::ReadOwner));
    }

    // Changed twice: the game's files are kept once, the first time they are replaced; then it comes back as it was.
    void restoresTheGameAsItWas()
    {
        const auto before = tree(g->install());
        QString error;
        QVERIFY2(firstChange(&error), qPrintable(error));
        QVERIFY2(
            change({"background/new.tga", "background/other.tga", "HD_BackgroundLayout.txt", "BackgroundLayout.txt"},
                   &error),
            qPrintable(error));
        QCOMPARE(
            ReadBytes(OriginalBackupFolder(r()) + "/manifest.txt"),
            "kept 141 e0854ce2112c6fea937a278e0f02281c6972502c9224a574525e98e788de2b0e BackgroundLayout.txt\n"
            "kept 6 b98bea4040986b7fc0012462592212e30c162ba342536c64e766dc92909c4940 background/a.tga\n"
            "kept 6 4dd7700d6446eb0c13d0883eb3917338abb3d6dcf45699820b3765600d3966d9 background/b.tga\n"
            "kept 141 e0854ce2112c6fea937a278e0f02281c6972502c9224a574525e98e788de2b0e BackgroundLoadingLayout.txt\n"
            "kept 10 0ef09fa081d9d657dbc5100cfeecebe97153a5c390287138da70691babb5090d background/other.tga\n"
            "added background/new.tga\nabsent HD_BackgroundLayout.txt\nabsent HD_BackgroundLoadingLayout.txt\nlines "
            "8\n");
        QVERIFY(HasOriginalBackup(r()));
        QVERIFY2(RestoreOriginalBackup(r(), &error), qPrintable(error));
        QCOMPARE(tree(g->install()), before);
        // A layout file of the game that does not read stops the first change.
        QVERIFY(WriteBytes(r() + "/HD_BackgroundLayout.txt", "resolution 1 1\r\"a.tga fit 0 0")
                && !firstChange(&error));
        QCOMPARE(error, "Cannot read " + r() + "/HD_BackgroundLayout.txt: line 2 leaves a quote open");
        QVERIFY(!HasOriginalBackup(r()));
    }

    // A backup not as it was kept is never restored; a damaged manifest stops every change.
    void damagedBackupChangesNothing_data()
    {
        columns<QString, QByteArray, QByteArray, QString>("file", "from", "to", "reason");
        const auto row = [](const char *tag, const char *file, const QByteArray &from, const QByteArray &to,
                            const QString &reason) { QTest::newRow(tag) << file << from << to << reason; };
        const QString manifest = "<b>/manifest.txt", b = "<b>/background/b.tga is not the file that was kept";
        row("manifest emptied", "manifest.txt", {}, "", manifest + " is cut short");
        row("count changed", "manifest.txt", "lines 7", "lines 8",
            manifest + " holds 7 lines, not the 8 its last line counts");
        row("unknown line", "manifest.txt", "lines 7", "kept it all\nlines 8",
            "line 8 of " + manifest + " is not understood");
        row("path climbing out", "manifest.txt", "added background/", "added ../",
            "line 5 of " + manifest + " is not understood");
        row("size changed", "manifest.txt", "kept 6 4d", "kept 7 4d", b);
        row("tile replaced", "background/b.tga", {}, "tile c", b);
    }
    void damagedBackupChangesNothing()
    {
        QFETCH(QString, file); QFETCH(QByteArray, from); QFETCH(QByteArray, to); QFETCH(QString, reason);
        QString error;
        QVERIFY2(firstChange(&error), qPrintable(error));
        const QString backup = OriginalBackupFolder(r()), path = backup + '/' + file;
        QVERIFY(WriteBytes(path, from.isEmpty() ? to : ReadBytes(path).replace(from, to)));
        const QString damaged = "The backup of the original background is damaged: " + reason.replace("<b>", backup);
        const auto before = tree(g->install());
        QVERIFY(!RestoreOriginalBackup(r(), &error));
        QCOMPARE(error, damaged + "; nothing was restored");
        QCOMPARE(tree(g->install()), before);
        WholeFileSet files;
        QVERIFY(files.add(r() + "/background/c.tga", "made"));
        const bool stops = reason.contains("manifest");
        QCOMPARE(AddToOriginalBackup(&files, r(), &error), !stops);
        if (stops)
            QCOMPARE(error, damaged + "; repair or remove the folder " + backup + " before changing the background");
    }

};

QTEST_GUILESS_MAIN(TstOriginalBackup)
#include "tst_originalbackup.moc"
