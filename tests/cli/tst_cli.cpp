#include "common/testfiles.h"
#include "games/settings.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// quiltra-cli as a script runs it: a copy of the program in its own folder (so no config.dat
// of the build is read), a fake home folder, and a game tree of the four games.
class TestCli : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_home, m_game, m_program;

    QString at(const QString &relative) const { return m_dir.filePath(relative); }
    QString resource(const QString &name) const { return m_game + "/valve/resource/" + name; }

    struct Run {
        int status = -1;
        QString out, err;
    };
    Run cli(const QStringList &arguments, const QString &home = {}) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", home.isEmpty() ? m_home : home);
        environment.insert("XDG_CONFIG_HOME", (home.isEmpty() ? m_home : home) + "/.config");
        environment.remove("QT_FATAL_WARNINGS");   // the test's own rule, not the program's
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(m_dir.path());
        process.start(m_program, arguments);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return {};   // a crash is status -1
        return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
                QString::fromLocal8Bit(process.readAllStandardError())};
    }
    // A make of the demo picture into the tree, which must succeed.
    bool madeDemo(const QString &resolution = "800x600", const QString &game = "valve") const
    {
        return cli({"make", at("picture.jpg"), "--game", game, "--resolution", resolution, "--game-dir", m_game}).status == 0;
    }
    QStringList tiles(const QString &game = "valve") const
    {
        return QDir(m_game + "/" + game + "/resource/background").entryList({"*.tga"}, QDir::Files, QDir::Name);
    }
    // A Steam library holding the game, as Steam installs it.
    bool steamGame(const QString &library) const
    {
        return QDir().mkpath(library + "/steamapps/common/Half-Life/dod/resource/background")
               && WriteBytes(library + "/steamapps/common/Half-Life/hl.sh", "");
    }

private slots:
    void initTestCase()
    {
        m_home = at("home");
        m_game = at("Half-Life");
        m_program = at("program/quiltra-cli");
        QVERIFY(QDir().mkpath(m_home) && QDir().mkpath(at("program")));
        QVERIFY(QFile::copy(QUILTRA_CLI, m_program));
        QImage picture(96, 64, QImage::Format_RGB32);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 96; ++x)
                picture.setPixel(x, y, qRgb(x * 2, y * 3, 90));
        QVERIFY(picture.save(at("picture.jpg"), "JPG", 95));
    }
    void init()
    {
        QDir(m_game).removeRecursively();
        for (const char *game : {"cstrike", "cz", "dod", "valve"})
            QVERIFY(QDir().mkpath(m_game + "/" + game + "/resource/background"));
        QVERIFY(WriteBytes(m_game + "/hl.exe", ""));
        QFile::remove(at("program/config.dat"));
    }

    void wrongCommandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("reason");
        QTest::newRow("nothing") << QStringList() << "no command given";
        QTest::newRow("unknown command") << QStringList{"paint"} << "unknown command \"paint\"";
        QTest::newRow("no game") << QStringList{"restore"} << "restore needs --game";
        QTest::newRow("no resolution") << QStringList{"make", "a.jpg", "--game", "dod"} << "make needs --resolution";
        QTest::newRow("odd resolution") << QStringList{"make", "a.jpg", "--game", "dod", "--resolution", "1920x1080"}
                                        << "unknown resolution \"1920x1080\"";
        QTest::newRow("unknown game") << QStringList{"zip", "a.zip", "--game", "tfc"} << "unknown game \"tfc\"";
        QTest::newRow("no picture") << QStringList{"make", "--game", "dod", "--resolution", "800x600"} << "make takes one file";
        QTest::newRow("file too many") << QStringList{"restore", "x", "--game", "dod"} << "restore takes no file";
        QTest::newRow("option without value") << QStringList{"restore", "--game"} << "--game needs a value";
        QTest::newRow("unknown option") << QStringList{"games", "--fast"} << "unknown option --fast";
        QTest::newRow("export to a GIF") << QStringList{"export", "a.gif", "--game", "dod"}
                                         << "export writes a .png, .jpg, .jpeg or .bmp file, not \"a.gif\"";
        QTest::newRow("both places") << QStringList{"restore", "--game", "dod", "--exe", "a", "--game-dir=b"}
                                     << "give --game-dir or --exe, not both";
    }
    void wrongCommandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, reason);
        const Run run = cli(arguments);
        QCOMPARE(run.status, 2);
        QCOMPARE(run.err.section('\n', 0, 0), "quiltra-cli: " + reason);
        QVERIFY(run.err.contains("Usage: quiltra-cli COMMAND"));
        QCOMPARE(run.out, QString());
    }

    void helpAndVersion()
    {
        QCOMPARE(cli({"--version"}).out, "quiltra-cli 3.0\n");
        QProcess full;   // an answer that cannot be written out is a failure
        full.setStandardOutputFile("/dev/full");
        full.start(m_program, {"--version"});
        QVERIFY(full.waitForFinished(60000) && full.exitCode() == 1);
        const Run help = cli({"make", "--help"});
        QCOMPARE(help.status, 0);
        QVERIFY(help.out.startsWith("Usage: quiltra-cli COMMAND"));
    }

    // Each game's own success message, its own folder and the backup first; the files themselves
    // are the window's, byte for byte (tst_commands).
    void make_data()
    {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("resolution");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("message");
        QTest::newRow("cstrike 640x480") << "cstrike" << "640x480" << "cstrike" << "Cs Background Generated Succesfully";
        QTest::newRow("czero 1280x1024") << "czero" << "1280x1024" << "cz" << "Cz Background Generated Succesfully";
        QTest::newRow("dod wide-hd") << "dod" << "wide-hd" << "dod" << "Dod Background Generated Succesfully";
    }
    void make()
    {
        QFETCH(QString, game); QFETCH(QString, resolution); QFETCH(QString, folder); QFETCH(QString, message);
        const Run run = cli({"make", "picture.jpg", "--game", game, "--resolution", resolution, "--game-dir", m_game});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.out, message + "\n");
        QCOMPARE(run.status, 0);
        QVERIFY(!tiles(folder).isEmpty());
        QVERIFY(QFile::exists(m_game + "/" + folder + "/resource/quiltra-original/manifest.txt"));
    }

    // --addon works in the game's addon folder, made there.
    void makeIntoAddonFolder()
    {
        QVERIFY(cli({"make", at("picture.jpg"), "--game", "valve", "--resolution", "wide-hd", "--exe",
                     m_game + "/hl.exe", "--addon"}).status == 0);
        QCOMPARE(tiles("valve_addon"), QStringList{"hd_1_a_loading.tga"});
        QCOMPARE(tiles(), QStringList());
    }

    // Each command's failures: status 1, one line naming the file and the reason, and nothing
    // of the game changed.
    void failures_data()
    {
        QTest::addColumn<QString>("prepare");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        const QString dir = "--game-dir";
        QTest::newRow("missing picture") << "" << QStringList{"make", "none.jpg", "--game", "valve", "--resolution", "640x480", dir, "Half-Life"}
            << "Cannot load the picture %1/none.jpg: No such file or directory";
        QTest::newRow("read-only tile") << "made,read-only" << QStringList{"make", "picture.jpg", "--game", "valve", "--resolution", "800x600", dir, "Half-Life"}
            << "Cannot write %1/Half-Life/valve/resource/background/800_2_b_loading.tga: the file is read-only";
        QTest::newRow("no game folder") << "" << QStringList{"restore", "--game", "valve", dir, "nowhere"} << "Cannot find the folder nowhere";
        QTest::newRow("no executable") << "" << QStringList{"restore", "--game", "valve", "--exe", "Half-Life/hl_linux"}
            << "Cannot find the game's executable Half-Life/hl_linux";
        QTest::newRow("no background folder") << "no-dod" << QStringList{"restore", "--game", "dod", dir, "Half-Life"}
            << "Cannot find the folder %1/Half-Life/dod/resource/background/";
        QTest::newRow("nothing to restore") << "" << QStringList{"restore", "--game", "valve", dir, "Half-Life"}
            << "There is no backup of the original background in %1/Half-Life/valve/resource/quiltra-original";
        QTest::newRow("nothing to zip") << "" << QStringList{"zip", "out.zip", "--game", "valve", dir, "Half-Life"}
            << "Error: Files Not Zipped Correctly. Cannot pack the background: there is no layout file in %1/Half-Life/valve/resource";
        QTest::newRow("export, no such folder") << "made" << QStringList{"export", "none/out.png", "--game", "valve", dir, "Half-Life"}
            << "Cannot write %1/none/out.png: its folder does not exist";
        QTest::newRow("install, not an archive") << "" << QStringList{"install", "picture.jpg", "--game", "valve", dir, "Half-Life"}
            << "Cannot install the background %1/picture.jpg: it cannot be read: Unrecognized archive format";
    }
    void failures()
    {
        QFETCH(QString, prepare); QFETCH(QStringList, arguments); QFETCH(QString, error);
        const QString background = resource("background/");
        if (prepare.contains("made"))
            QVERIFY(madeDemo());
        if (prepare.contains("read-only"))
            QVERIFY(QFile::setPermissions(background + "800_2_b_loading.tga", QFile::ReadOwner));
        if (prepare.contains("no-dod"))
            QVERIFY(QDir(m_game + "/dod").removeRecursively());
        const QMap<QString, QByteArray> before = Snapshot(m_game);

        const Run run = cli(arguments);
        QCOMPARE(run.err, "quiltra-cli: " + error.replace("%1", m_dir.path()) + "\n");
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out, QString());
        QCOMPARE(Snapshot(m_game), before);
        QVERIFY(!QFile::exists(at("out.zip")) && !QFile::exists(at("out.png")));
    }

    // What one make writes, packed, exported, restored and installed back again.
    void zipExportRestoreInstall()
    {
        QVERIFY(madeDemo("640x480"));
        const QMap<QString, QByteArray> made = Snapshot(m_game);
        QCOMPARE(cli({"zip", "out.zip", "--game", "valve", "--game-dir", m_game}).out, "Files Zipped Successfully !\n");
        QCOMPARE(cli({"export", "out.BMP", "--game", "valve", "--game-dir", m_game}).out, "Background Exported\n");
        QCOMPARE(QImageReader(at("out.BMP")).format(), "bmp");
        QCOMPARE(QImage(at("out.BMP")).size(), QSize(640, 480));
        QCOMPARE(cli({"restore", "--game", "valve", "--game-dir", m_game}).out, "Original Background Restored\n");
        QCOMPARE(tiles().size(), 0);   // what Quiltra added goes, layout files and tiles alike
        QVERIFY(!QFile::exists(resource("BackgroundLayout.txt")));
        QCOMPARE(cli({"install", "out.zip", "--game", "valve", "--game-dir", m_game}).out, "Background Installed\n");
        QCOMPARE(Snapshot(m_game), made);
    }

    // Without a folder given: Steam's libraries of each kind, then config.dat beside the program,
    // in its language.
    void findsTheGame()
    {
        const QString home = at("steamhome");
        QDir(home).removeRecursively();
        QVERIFY(QDir().mkpath(home + "/.steam/steam/steamapps"));
        QVERIFY(WriteBytes(home + "/.steam/steam/steamapps/libraryfolders.vdf",
                           "\"libraryfolders\" { \"0\" { \"path\" \"" + at("lib-nested").toUtf8() + "\" } }"));
        QVERIFY(QDir().mkpath(home + "/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps"));
        QVERIFY(WriteBytes(home + "/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/libraryfolders.vdf",
                           "\"LibraryFolders\" { \"1\" \"" + at("lib-flat").toUtf8() + "\" }"));
        QVERIFY(steamGame(at("lib-nested")) && steamGame(at("lib-flat")) && steamGame(home + "/snap/steam/common/.local/share/Steam"));
        const Run games = cli({"games"}, home);
        QCOMPARE(games.status, 0);
        QCOMPARE(games.out, QString("dod\t%1/steamapps/common/Half-Life/dod\t%1/steamapps/common/Half-Life/hl.sh\n"
                                    "dod\t%2/steamapps/common/Half-Life/dod\t%2/steamapps/common/Half-Life/hl.sh\n"
                                    "dod\t%3/steamapps/common/Half-Life/dod\t%3/steamapps/common/Half-Life/hl.sh\n")
                                .arg(at("lib-nested"), at("lib-flat"), home + "/snap/steam/common/.local/share/Steam"));
        QVERIFY(cli({"make", "picture.jpg", "--game", "dod", "--resolution", "640x480"}, home).status == 0);
        QCOMPARE(QDir(at("lib-nested/steamapps/common/Half-Life/dod/resource/background")).count(), 2 + 6);

        // A malformed list of libraries finds nothing; config.dat then names the game.
        QVERIFY(WriteBytes(home + "/.steam/steam/steamapps/libraryfolders.vdf", "\"libraryfolders\" { \"0\" {"));
        QVERIFY(QDir(home + "/.var").removeRecursively() && QDir(home + "/snap").removeRecursively());
        QCOMPARE(cli({"games"}, home).err, "quiltra-cli: No game was found in Steam's libraries or in config.dat\n");
        QVERIFY(WriteSettings(at("program/config.dat"), Settings{.ExePath = m_game + "/hl.exe", .Language = 1}));
        QCOMPARE(cli({"games"}, home).out.section('\n', 0, 0), "cstrike\t" + m_game + "/cstrike\t" + m_game + "/hl.exe");
        const Run spanish = cli({"make", "none.jpg", "--game", "valve", "--resolution", "640x480"}, home);
        QCOMPARE(spanish.err, "quiltra-cli: No se puede cargar la imagen " + at("none.jpg") + ": No such file or directory\n");
        QCOMPARE(cli({"make", "picture.jpg", "--game", "dod", "--resolution", "640x480"}, home).out,
                 "Imagen De Fondo Generada Satisfactoriamente\n");
        QCOMPARE(tiles("dod").size(), 6);
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
