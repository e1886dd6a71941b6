#include "commands/commands.h"
#include "common/testfiles.h"
#include "games/settings.h"
#include "io/faultseam.h"
#include "zip/zipclass.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

// Make, install and restore are all or nothing, whatever fails and wherever the program is
// killed, and restore gives back the game exactly as it was before Quiltra's first change.
class TestAllOrNothing : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_game;   // Half-Life, holding hl.exe and cstrike with a background of its own

    GameFolders folders(bool addon = false) const
    {
        return ResolveGameFolders(0, m_game + "/hl.exe", "cstrike/resource/background", addon);
    }
    QString at(const QString &relative) const { return m_dir->filePath(relative); }
    static QImage picture(int resolution, int variant)
    {
        QImage made(resolution == 0 ? QSize(640, 480) : QSize(800, 600), QImage::Format_RGB32);
        for (int i = 0; i < made.width() * made.height(); ++i)
            made.setPixel(i % made.width(), i / made.width(), 0xff000000u | quint32(i * 13 + variant));
        return made;
    }
    // A shared archive of the game's own 640x480 background in another picture.
    QString archive() const
    {
        ZipClass zip;
        const QString resource = at("other/cstrike/resource");
        if (!QDir().mkpath(resource + "/background")
            || !Commands::Make(ResolveGameFolders(0, at("other/hl.exe"), "cstrike/resource/background", false),
                               picture(0, 7), 0).ok()
            || !Commands::Zip(ResolveGameFolders(0, at("other/hl.exe"), "cstrike/resource/background", false),
                              at("shared.zip")).ok())
            qFatal("cannot prepare the archive");
        return at("shared.zip");
    }
    // Runs `command` on the game: "make0", "make1" (640x480 or 800x600), "install" or "restore".
    CommandResult run(const QString &command, bool addon = false) const
    {
        if (command.startsWith("make"))
            return Commands::Make(folders(addon), picture(command.back().digitValue(), 1), command.back().digitValue());
        if (command == "install")
            return Commands::Install(folders(addon), at("shared.zip"));
        return Commands::Restore(folders(addon));
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_game = at("Half-Life");
        const QString resource = m_game + "/cstrike/resource";
        QVERIFY(QDir().mkpath(resource + "/background") && WriteBytes(m_game + "/hl.exe", ""));
        // The game's own: its layout naming its tile, the CR-only way, and a tile a make will overwrite.
        QVERIFY(WriteBytes(resource + "/BackgroundLayout.txt", "resolution 1 1\rresource\\background\\own.tga scaled 0 0\r"));
        QVERIFY(WriteBytes(resource + "/background/own.tga", TgaHeader(2, 1, 1, 24) + "abc"));
        QVERIFY(WriteBytes(resource + "/background/640_1_a_loading.tga", "the game's, named by nothing"));
    }

    // Make, make again, install, restore: the game as it was, in its own folder and in the
    // addon folder, which restore takes away again.
    void restoreGivesBackTheFirstTree_data()
    {
        QTest::addColumn<bool>("addon");
        QTest::newRow("own folder") << false;
        QTest::newRow("addon folder") << true;
    }
    void restoreGivesBackTheFirstTree()
    {
        QFETCH(bool, addon);
        archive();
        const auto first = Snapshot(m_game);
        for (const QString command : {"make0", "make1", "install", "restore"}) {
            const CommandResult result = run(command, addon);
            QVERIFY2(result.ok(), qPrintable(command + ": " + result.errorString));
        }
        QCOMPARE(Snapshot(m_game), first);
        QVERIFY(!QFileInfo::exists(m_game + "/cstrike_addon"));
    }

    // The n-th rename, write or flush to disk fails, for every n a command reaches: the game's
    // files stay byte for byte, and nothing is left behind.
    void failureAtEveryStep_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("addon");   // the addon folder is made only by a make that succeeds
        for (const char *fault : {"rename", "write", "fsync"}) {
            QTest::addRow("first make, %s", fault) << QStringList() << "make0" << fault << false;
            QTest::addRow("make over a make, %s", fault) << QStringList{"make1"} << "make0" << fault << false;
            QTest::addRow("install, %s", fault) << QStringList{"make1"} << "install" << fault << false;
            QTest::addRow("restore, %s", fault) << QStringList{"make1", "make0"} << "restore" << fault << false;
        }
        QTest::newRow("first make into the addon folder") << QStringList() << "make0" << "rename" << true;
    }
    void failureAtEveryStep()
    {
        QFETCH(QStringList, before); QFETCH(QString, command); QFETCH(QString, fault); QFETCH(bool, addon);
        archive();
        for (const QString &step : before)
            QVERIFY(run(step, addon).ok());
        const auto old = Snapshot(at(""));
        int failed = 0;
        for (int n = 1;; ++n) {
            QVERIFY(SetFault(fault + ':' + QString::number(n)));
            const CommandResult result = run(command, addon);
            SetFault({});
            if (result.ok())
                break;
            ++failed;
            QVERIFY2(result.errorString.contains("Input/output error"), qPrintable(result.errorString));
            QCOMPARE(Snapshot(at("")), old);
            QVERIFY(!QFileInfo::exists(m_game + "/cstrike_addon"));
        }
        QVERIFY2(failed > 0, "the walk reached no step");
    }

    // quiltra-cli ended at its n-th rename, as a kill ends it, for every n: the next command on
    // the game finds the set all old or all new, with nothing left behind, and says so once.
    void stopAtEveryRename_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("command");
        QTest::newRow("make") << QStringList{"make", "picture.png", "--resolution", "800x600"}
                              << QStringList{"make", "picture.png", "--resolution", "640x480"};
        QTest::newRow("install") << QStringList() << QStringList{"install", "shared.zip"};
        QTest::newRow("restore") << QStringList{"make", "picture.png", "--resolution", "800x600"} << QStringList{"restore"};
    }
    void stopAtEveryRename()
    {
        QFETCH(QStringList, before); QFETCH(QStringList, command);
        archive();
        QVERIFY(picture(0, 3).save(at("picture.png")));
        const auto cli = [this](QStringList arguments, const QString &fault = {}) {
            QProcess process;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("HOME", at("home"));
            environment.insert("QUILTRA_FAULT", fault);
            environment.remove("QT_FATAL_WARNINGS");
            process.setProcessEnvironment(environment);
            process.setWorkingDirectory(at(""));
            process.start(QUILTRA_CLI, arguments << "--game" << "cstrike" << "--game-dir" << m_game);
            process.waitForFinished(60000);
            return std::pair{process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError())};
        };
        const auto redoBefore = [&] { return before.isEmpty() || cli(before).first == 0; };
        QVERIFY(redoBefore());
        const auto old = Snapshot(m_game);
        QVERIFY(cli(command).first == 0);
        const auto made = Snapshot(m_game);
        // Back to the old set: restore whatever was made (unless that is the command), then redo.
        const auto backToOld = [&] { return (command == QStringList{"restore"} || cli({"restore"}).first == 0) && redoBefore(); };
        QVERIFY(backToOld());
        for (int n = 1; n < 200; ++n) {
            QVERIFY(Snapshot(m_game) == old);
            if (cli(command, "stop-rename:" + QString::number(n)).first == 0)
                return;   // past the last rename
            // The next command on the game puts it right first, and says so once.
            const QString said = cli({"zip", at("after.zip")}).second;
            QVERIFY2(said.count("quiltra-cli: An interrupted change") <= 1, qPrintable(said));
            const auto now = Snapshot(m_game);
            QVERIFY2(now == old || now == made, qPrintable(QString("a mixed set after a stop at rename %1").arg(n)));
            QVERIFY(now == old || backToOld());
        }
        QFAIL("the command never got past its renames");
    }

    // A pipe or a device where a file is expected is refused at once, naming the file: it is
    // never read without end.
    void notAFileRefusedAtOnce_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("picture") << "picture.jpg";
        QTest::newRow("archive") << "shared.zip";
        QTest::newRow("liblist.gam") << "Half-Life/cstrike/liblist.gam";
        QTest::newRow("libraryfolders.vdf") << "steam/steamapps/libraryfolders.vdf";
        QTest::newRow("config.dat") << "config.dat";
        QTest::newRow("a device") << "/dev/zero";
    }
    void notAFileRefusedAtOnce()
    {
        QFETCH(QString, file);
        const QString path = file.startsWith('/') ? file : at(file);
        QVERIFY(file.startsWith('/') || (QDir().mkpath(QFileInfo(path).path()) && ::mkfifo(qPrintable(path), 0600) == 0));
        QImage decoded;
        QString error;
        Settings settings;
        if (file == "liblist.gam" || file.endsWith("liblist.gam")) {
            QVERIFY(!folders().ReadsHd);
        } else if (file.endsWith(".vdf")) {
            QVERIFY(Commands::Games({at("steam")}, {}).isEmpty());
        } else if (file == "config.dat") {
            QVERIFY(!ReadSettings(path, settings, &error));
        } else if (file == "shared.zip") {
            error = Commands::Install(folders(), path).errorString;
        } else {
            QVERIFY(!Commands::DecodePictureFor(path, 0, &decoded, &error));
        }
        QVERIFY2(file.endsWith("liblist.gam") || file.endsWith(".vdf") || error.contains(QDir::toNativeSeparators(path)),
                 qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestAllOrNothing)
#include "tst_allornothing.moc"
