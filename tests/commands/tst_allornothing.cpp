#include "commands/commands.h"
#include "common/fakegame.h"
#include "games/settings.h"
#include "io/faultseam.h"

#include <QProcess>
#include <QTest>

#include <sys/stat.h>

// Make, install and restore are all or nothing, whatever fails and wherever the program is
// killed, and restore gives back the game exactly as it was before Quiltra's first change.
class TestAllOrNothing : public QObject {
    Q_OBJECT
    std::unique_ptr<FakeGame> g;

    GameFolders folders(bool addon = false, const QString &game = "cstrike") const
    {
        return ResolveGameFolders(0, g->exe(), game + "/resource/background", addon);
    }
    // Runs "make0", "make1" (640x480 or 800x600), "install" or "restore" on the game.
    CommandResult run(const QString &command, bool addon) const
    {
        const int resolution = command.back().digitValue();
        if (resolution >= 0)
            return Commands::Make(folders(addon), TestPicture(resolution ? QSize(800, 600) : QSize(640, 480)),
                                  resolution);
        return command == "install" ? Commands::Install(folders(addon), "shared.zip")
                                    : Commands::Restore(folders(addon));
    }

private slots:
    // The game's own background: its layout naming its tile the CR-only way, and a tile a make
    // overwrites. Beside it, in the current folder, an archive shared from another game's
    // 640x480 background.
    void init()
    {
        g = std::make_unique<FakeGame>();
        QVERIFY(QDir::setCurrent(g->at("")));
        const QString own = g->resource() + '/';
        QVERIFY(WriteBytes(own + "BackgroundLayout.txt", "resolution 1 1\rresource\\background\\own.tga scaled 0 0\r"));
        QVERIFY(WriteBytes(own + "background/own.tga", TgaHeader(2, 1, 1, 24) + "abc"));
        QVERIFY(WriteBytes(own + "background/640_1_a_loading.tga", "x"));
        QVERIFY(Commands::Make(folders(false, "dod"), TestPicture({640, 480}, 7), 0).ok());
        QVERIFY(Commands::Zip(folders(false, "dod"), "shared.zip").ok());
    }

    // The n-th rename, write or flush to disk fails, for every n, in a make, a make over it, an
    // install and a restore, in the game's own folder and in its addon folder: the game's files
    // stay byte for byte, nothing is left behind, and the addon folder is there only once a make
    // into it is done. The restore, done at last, gives back the game as it first was.
    void failureAtEveryStep_data()
    {
        columns<QString, bool>("fault", "addon");
        for (const char *fault : {"rename", "write", "fsync"}) {
            QTest::addRow("%s", fault) << fault << false;
            QTest::addRow("%s, addon", fault) << fault << true;
        }
    }
    void failureAtEveryStep()
    {
        QFETCH(QString, fault); QFETCH(bool, addon);
        const auto first = Snapshot(g->install());
        for (const QString command : {"make1", "make0", "install", "restore"}) {
            const auto old = Snapshot(".");
            int n = 1;
            for (;; ++n) {
                QVERIFY(SetFault(fault + ':' + QString::number(n)));
                const CommandResult result = run(command, addon);
                SetFault({});
                if (result.ok())
                    break;
                QVERIFY2(result.errorString.contains("Input/output error"), qPrintable(result.errorString));
                QCOMPARE(Snapshot("."), old);
                QCOMPARE(QFileInfo::exists(g->install() + "/cstrike_addon"), addon && command != "make1");
            }
            QVERIFY(n > 1);
        }
        QCOMPARE(Snapshot(g->install()), first);
        QVERIFY(!QFileInfo::exists(g->install() + "/cstrike_addon"));
    }

    // quiltra-cli ended at each of its renames in turn, as a kill ends it, in a make, a make over
    // it, an install and a restore, in the game's own folder and in its addon folder: the next
    // command on the game finds it as it was, with nothing left behind, and says so once. The
    // restore, done at last, gives back the game as it first was. An addon folder that is there
    // without its resource folder gets the first make's journal.
    void stopAtEveryRename_data()
    {
        columns<QString, int>("addon", "commands");
        QTest::newRow("own folder") << "" << 4;
        QTest::newRow("addon folder") << " --addon" << 4;
        QTest::newRow("addon folder there") << " --addon" << 1;
    }
    void stopAtEveryRename()
    {
        QFETCH(QString, addon); QFETCH(int, commands);
        QVERIFY(commands == 4 || QDir().mkpath(g->install() + "/cstrike_addon"));
        QVERIFY(TestPicture({640, 480}, 3).save("p.png"));
        // No config.dat of the user's; this process's own fault seam is set already.
        qputenv("HOME", g->at("home").toUtf8());
        QString said;
        const auto cli = [&](const QString &arguments, const QString &fault = {}) {
            qputenv("QUILTRA_FAULT", fault.toUtf8());
            QProcess process;
            process.start(QUILTRA_CLI,
                          (arguments + addon).split(' ') << "--game"
                                                         << "cstrike"
                                                         << "--game-dir" << g->install());
            process.waitForFinished(60000);
            said = process.readAllStandardError();
            return process.exitCode() == 0;
        };
        const auto first = Snapshot(g->install());
        for (const char *command :
             QList<const char *>{"make p.png --resolution 800x600", "make p.png --resolution 640x480",
                                 "install shared.zip", "restore"}
                 .first(commands)) {
            const auto old = Snapshot(g->install());
            int n = 1;
            for (; n < 200 && !cli(command, "stop-rename:" + QString::number(n)); ++n) {
                cli("zip after.zip");
                QCOMPARE(said.count("quiltra-cli: An interrupted change"), 1);
                QVERIFY(Snapshot(g->install()) == old);
            }
            QVERIFY(n > 1 && n < 200);
        }
        QVERIFY(commands == 1 || Snapshot(g->install()) == first);
    }

    // The HD switch is read from the game's own liblist.gam, even for work in its addon folder.
    void readsHdOfItsOwnFolder()
    {
        QVERIFY(WriteBytes("Half-Life/cstrike/liblist.gam", "hd_background 1") && folders(true).ReadsHd);
    }

    // A pipe where a file is expected is refused at once, naming the file: it is never read
    // without end.
    void pipesRefusedAtOnce()
    {
        for (const char *file :
             {"p.jpg", "p.zip", "Half-Life/cstrike/liblist.gam", "s/steamapps/libraryfolders.vdf", "config.dat"})
            QVERIFY(QDir().mkpath(QFileInfo(file).path()) && ::mkfifo(file, 0600) == 0);
        QImage decoded;
        QString error;
        Settings settings;
        QVERIFY(!Commands::DecodePictureFor("p.jpg", 0, &decoded, &error) && error.contains("p.jpg"));
        QVERIFY(Commands::Install(folders(), "p.zip").errorString.contains("p.zip"));
        QVERIFY(!folders().ReadsHd && Commands::Games({"s"}, {}).isEmpty());
        QVERIFY(!ReadSettings("config.dat", settings, &error) && error.contains("config.dat"));
    }
};

QTEST_GUILESS_MAIN(TestAllOrNothing)
#include "tst_allornothing.moc"
