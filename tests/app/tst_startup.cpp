#include "app/gametree.h"
#include "games/steamlibrary.h"

#include <QTest>

// The start-up sequence: what a run asks, what it stores in config.dat, and how a step
// without a usable answer ends the program and leaves config.dat alone.
class TestStartUp : public QObject {
    Q_OBJECT

private slots:
    void asksWhatIsNotStored_data()
    {
        // The stored language (-1: no config.dat yet), the answers where asked, what was asked,
        // config.dat's lines after the executable, the captions of Run, Make, Load and the label.
        columns<int, int, int, QString, QString, QString>("stored", "language", "game", "asked", "config",
                                                          "captions");
        QTest::newRow("first start") << -1 << 0 << 0 << "language|open Locate HL.exe|game"
                                     << " 0|cstrike/resource/background|||"
                                     << "Run Cs|Make Cs Background|Load Picture|Resolution";
        QTest::newRow("language 7 asked again") << 7 << 1 << 2 << "language|game" << " 1|||dod/resource/background|"
                                                << "Ejecutar Dod|Crear Fondo Dod|Cargar Imagen|Resoluci\u00f3n";
    }
    void asksWhatIsNotStored()
    {
        QFETCH(int, stored); QFETCH(int, language); QFETCH(int, game);
        QFETCH(QString, asked); QFETCH(QString, config); QFETCH(QString, captions);
        GameTree t;
        QVERIFY(stored < 0 || t.writeConfig(stored));
        t.ui.openAnswers = {t.exe()};
        t.ui.languageAnswers = {language};
        t.ui.gameAnswers = {game};
        t.open().StartUp();
        // A second activation does nothing.
        t.window->StartUp();
        QCOMPARE(t.ui.log.replaceInStrings(QRegularExpression(" \\|.*"), "").join('|'), asked);
        QCOMPARE(t.config(), (t.exe() + "\r\n" + config.replace('|', "\r\n") + "\r\n").toUtf8());
        QStringList shown;
        for (const char *name : {"elboton1", "elboton2", "elboton3", "ellabel1"})
            shown << t.control<QWidget>(name)->property("Caption").toString();
        QCOMPARE(shown.join('|'), captions);
    }

    // A background folder not where it usually is: the stored one, else the picked one.
    void backgroundFolder_data()
    {
        // The folder under Half-Life, made first (a folder where it works, else a file), stored or picked.
        columns<QString, bool, bool>("folder", "stored", "works");
        QTest::newRow("stored") << "cstrike/skins/resource/background" << true << true;
        QTest::newRow("picked in another letter case") << "cstrike/Resource/Background" << false << true;
        QTest::newRow("picked a file") << "cstrike/resource/background" << false << false;
    }
    void backgroundFolder()
    {
        QFETCH(QString, folder); QFETCH(bool, stored); QFETCH(bool, works);
        GameTree t;
        const QString hl = t.install() + '/';
        QVERIFY(QDir(hl + "cstrike").removeRecursively() && QDir().mkpath(hl + "cstrike/resource"));
        QVERIFY(works ? QDir().mkpath(hl + folder) : WriteBytes(hl + folder, ""));
        QVERIFY(WriteSettings(t.at("program/config.dat"),
                              {.ExePath = t.exe(), .Language = 0, .CsFolder = stored ? folder : ""}));
        t.ui.folderAnswers = {hl + folder};
        t.open().StartUp();
        QCOMPARE(t.ui.log.size(), stored ? 1 : 2);
        QCOMPARE(t.ui.messages, works ? QStringList() : QStringList{"Unable To Locate Cs Background Folder"});
        QCOMPARE(t.ui.ended, !works);
        QCOMPARE(t.config().split('\n')[2], ((works ? folder : "") + '\r').toUtf8());
    }

    // config.dat holds one path per line: a path with a line break is asked again; no answer
    // ends the program before config.dat is written.
    void executableRefusedThenCancelled()
    {
        GameTree t;
        const QString odd = t.at("odd\nname/hl.exe");
        QVERIFY(QDir().mkpath(t.at("odd\nname")) && WriteBytes(odd, ""));
        t.ui.openAnswers = {odd};
        t.open().StartUp();
        QCOMPARE(t.ui.messages,
                 (QStringList{odd + " cannot be used: its path holds a line break", "Unable To Locate HL.exe"}));
        QCOMPARE(t.ui.log.filter("open ").size(), 2);
        QVERIFY(t.ui.ended && !QFile::exists(t.at("program/config.dat")));
    }

    // Installed (its default pictures in ../share/quiltra), with the game from Steam: the
    // executable dialog opens on Steam's, the picture comes from there, the settings go to the
    // fallback folder.
    void installedWithSteam()
    {
        GameTree t;
        const QString game = t.at("home/.local/share/Steam/steamapps/common/Half-Life/");
        QVERIFY(QDir().mkpath(game) && WriteBytes(game + "hl_linux", ""));
        QVERIFY(QDir().mkpath(t.at("share/quiltra")) && QDir().mkpath(t.at("bin")));
        QVERIFY(TestPicture(QSize(40, 30)).save(t.at("share/quiltra/cs_default.jpg")));
        t.ui.openAnswers = {t.exe()};
        t.open("bin", SteamRootCandidates(t.at("home"))).StartUp();
        QVERIFY(t.ui.log[1].endsWith(" | " + game + "hl_linux"));
        QCOMPARE(t.config("fallback").count('\n'), 6);
        QCOMPARE(t.window->loadedPicture().size(), QSize(40, 30));
    }

    // Steam keeps Condition Zero in "czero": found without asking, and offered to the game.
    void steamConditionZeroNeedsNoPicker()
    {
        GameTree t;
        QVERIFY(t.writeConfig(0) && QDir().rename(t.install() + "/cz", t.install() + "/czero"));
        t.ui.gameAnswers = {1};
        t.ui.inputAnswers = {std::nullopt};
        t.open().StartUp();
        t.click(1);
        QCOMPARE(t.ui.log, QStringList({"input Extra Parameters | -game czero"}));
    }
};

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
