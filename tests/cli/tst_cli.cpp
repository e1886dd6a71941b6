#include "common/fakegame.h"
#include "common/warnings.h"
#include "games/settings.h"

#include <QProcess>
#include <QTest>

#include <optional>

// quiltra-cli as a script runs it: a copy of the program in its own folder (so no config.dat of
// the build is read), run in a fake game's folder that is also its home.
class TestCli : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::optional<FakeGame> m_game;

    QString program() const { return m_dir.filePath("quiltra-cli"); }
    QString at(const QString &relative) const { return m_game->at(relative); }
    QStringList tiles(const QString &game) const
    {
        return QDir(m_game->resource(game, "background")).entryList({"*.tga"});
    }

    struct Run {
        // -1 for a crash too.
        int status = -1;
        QString out, err;
    };
    Run cli(const QStringList &arguments) const
    {
        QProcess process;
        process.start(program(), arguments);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return {};
        return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
    }
    Run make(const QString &game, const QStringList &more = {"--game-dir", "Half-Life"}) const
    {
        return cli(QStringList{"make", "picture.jpg", "--game", game, "--resolution", "640x480"} + more);
    }

private slots:
    void initTestCase() { QVERIFY(QFile::copy(QUILTRA_CLI, program())); }
    void init()
    {
        FailOnUndeclaredWarnings();
        m_game.emplace();
        QVERIFY(QDir::setCurrent(at("")) && qputenv("HOME", at("").toLocal8Bit())
                && qputenv("XDG_CONFIG_HOME", at("").toLocal8Bit()));
        QFile::remove(m_dir.filePath("config.dat"));
        QVERIFY(TestPicture(QSize(96, 64)).save("picture.jpg"));
    }

    // Each row is named by the reason given.
    void wrongCommandLine_data()
    {
        columns<QStringList>("arguments");
        const auto row = [](const char *reason, const QStringList &arguments) { QTest::newRow(reason) << arguments; };
        const QStringList make{"make", "a", "--game", "dod", "--resolution"};
        row("no command given", {});
        row("unknown command \"paint\"", {"paint"});
        row("restore needs --game", {"restore"});
        row("make needs --resolution", {"make", "a", "--game", "dod"});
        row("unknown resolution \"1920x1080\"", make + QStringList{"1920x1080"});
        row("unknown game \"tfc\"", {"zip", "a", "--game", "tfc"});
        row("make takes one file", {"make", "--game", "dod", "--resolution", "800x600"});
        row("--game needs a value", {"restore", "--game"});
        row("unknown option --fast", {"games", "--fast"});
        row("export writes a .png, .jpg, .jpeg or .bmp file, not \"a.gif\"", {"export", "a.gif", "--game", "dod"});
        row("give --game-dir or --exe, not both", {"restore", "--game", "dod", "--exe", "a", "--game-dir=b"});
        row("unknown screen \"5:4\"", make + QStringList{"800x600", "--screen", "5:4"});
        row("--crop takes X,Y,W,H in the picture's pixels, not \"1,2,3\"",
            make + QStringList{"800x600", "--screen", "16:9", "--crop", "1,2,3"});
        row("--crop is for a make with --screen 16:10, 16:9 or 21:9",
            make + QStringList{"800x600", "--crop", "0,0,16,9"});
        row("--keep is for a make at wide-hd", make + QStringList{"800x600", "--keep", "0,0,4,3"});
        row("--screen is for a make at 640x480, 800x600, 1024x768 or 1280x1024",
            make + QStringList{"wide-hd", "--screen", "16:9"});
    }
    void wrongCommandLine()
    {
        QFETCH(QStringList, arguments);
        const Run run = cli(arguments);
        QCOMPARE(run.status, 2);
        QCOMPARE(run.err.section('\n', 0, 0), QString("quiltra-cli: ") + QTest::currentDataTag());
        QVERIFY(run.err.contains("\nUsage: quiltra-cli COMMAND"));
        QCOMPARE(run.out, QString());
    }

    // An area the picture cannot give is a wrong command line too, said as the command says why.
    void wrongArea()
    {
        const Run run = make("dod", {"--game-dir", "Half-Life", "--screen", "16:9", "--crop", "0,0,160,90"});
        QCOMPARE(run.err, "quiltra-cli: The area 0,0,160,90 is not inside the picture, which is 96x64.\n");
        QCOMPARE(run.status, 2);
    }

    void helpAndVersion()
    {
        QCOMPARE(cli({"--version"}).out, "quiltra-cli 3.0\n");
        // An answer that cannot be written out is a failure.
        QProcess full;
        full.setStandardOutputFile("/dev/full");
        full.start(program(), {"--version"});
        QVERIFY(full.waitForFinished(60000) && full.exitCode() == 1);
        const Run help = cli({"make", "--help"});
        QVERIFY(help.status == 0 && help.out.startsWith("Usage: quiltra-cli COMMAND"));
    }

    // Each row is named by the message, %1 standing for the folder it runs in.
    void failures_data()
    {
        columns<QStringList>("arguments");
        QTest::newRow("Cannot find the folder nowhere")
            << QStringList{"restore", "--game", "dod", "--game-dir", "nowhere"};
        QTest::newRow("Cannot find the game's executable hl") << QStringList{"restore", "--game", "dod", "--exe", "hl"};
        QTest::newRow("Cannot find the folder %1/dod/resource/background/")
            << QStringList{"restore", "--game", "dod", "--exe", "picture.jpg"};
        QTest::newRow("Error: Files Not Zipped Correctly. Cannot pack the background: there is no layout file in "
                      "%1/Half-Life/valve/resource")
            << QStringList{"zip", "out.zip", "--game", "valve", "--game-dir", "Half-Life"};
    }
    void failures()
    {
        QFETCH(QStringList, arguments);
        const Run run = cli(arguments);
        QCOMPARE(run.err, "quiltra-cli: " + QString(QTest::currentDataTag()).replace("%1", at("")) + "\n");
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out, QString());
    }

    // The game's own message and folder; --addon makes into its addon folder instead; what is
    // made is packed, exported, restored and installed again, each saying so.
    void commandsSayWhatTheyDid()
    {
        QCOMPARE(make("czero", {"--exe", m_game->exe(), "--addon"}).status, 0);
        QCOMPARE(tiles("cz_addon").size(), 6);
        const Run run = make("czero");
        QCOMPARE(run.err + run.out, "Cz Background Generated Succesfully\n");
        QCOMPARE(tiles("cz").size(), 6);
        QString said;
        for (const QStringList &step :
             {QStringList{"zip", "out.zip"}, {"export", "out.bmp"}, {"restore"}, {"install", "out.zip"}})
            said += cli(step + QStringList{"--game", "czero", "--game-dir", "Half-Life"}).out;
        QCOMPARE(
            said,
            "Files Zipped Successfully !\nBackground Exported\nOriginal Background Restored\nBackground Installed\n");
    }

    // Without a folder given: Steam's libraries, then config.dat (the newer of the one beside the
    // program and the one in the configuration folder), in its language.
    void findsTheGame()
    {
        const QString steam = at(".local/share/Steam/steamapps/common/Half-Life");
        QVERIFY(QDir().mkpath(steam + "/dod/resource/background") && WriteBytes(steam + "/hl.sh", ""));
        QCOMPARE(cli({"games"}).out, QString("dod\t%1/dod\t%1/hl.sh\n").arg(steam));
        // Into Steam's.
        QCOMPARE(make("dod", {}).status, 0);

        QVERIFY(QDir(at(".local")).removeRecursively());
        QCOMPARE(cli({"games"}).err, "quiltra-cli: No game was found in Steam's libraries or in config.dat\n");
        QVERIFY(WriteSettings(m_dir.filePath("config.dat"), {.ExePath = m_game->exe(), .Language = 0}));
        // Older than the Spanish one in the configuration folder.
        QFile beside(m_dir.filePath("config.dat"));
        QVERIFY(beside.open(QIODevice::ReadWrite)
                && beside.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
        QVERIFY(QDir().mkpath(at("Quiltra"))
                && WriteSettings(at("Quiltra/config.dat"), {.ExePath = m_game->exe(), .Language = 1}));
        const Run failed = cli({"make", "none.jpg", "--game", "dod", "--resolution", "640x480"});
        QCOMPARE(failed.err,
                 "quiltra-cli: No se puede cargar la imagen " + at("none.jpg") + ": No such file or directory\n");
        QCOMPARE(make("dod", {}).out, "Imagen De Fondo Generada Satisfactoriamente\n");
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
