#include "app/gametree.h"
#include "common/fulldisk.h"
#include "games/steamlibrary.h"
#include "controls/elboton.h"
#include "controls/ellabel.h"

#include <QTest>

// The start-up sequence: what a run asks, what it stores in config.dat, and how a step
// without a usable answer ends the program and leaves the previous settings alone.
class TestStartUp : public QObject {
    Q_OBJECT

private slots:
    // What a start asks depends on what config.dat holds; the answers are stored.
    void runsAskWhatIsNotStored_data()
    {
#ifdef Q_OS_WIN
        const QString exe = "open Locate HL.exe | hl.exe (hl.exe)";
#else
        const QString exe = "open Locate HL.exe | hl.exe (hl.exe);;Linux build (hl_linux hl.sh)";
#endif
        QTest::addColumn<int>("storedLanguage");   // -2: no config.dat yet
        QTest::addColumn<int>("language");         // the answers, where asked
        QTest::addColumn<int>("game");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QString>("stored");       // config.dat's lines after the executable
        QTest::addColumn<QStringList>("captions"); // Run, Make, Load, the label, Zip
        const QStringList english{"Run Cs", "Make Cs Background", "Load Picture", "Resolution", "Zip Files"};
        QTest::newRow("first start: language, executable, game")
            << -2 << 0 << 0 << QStringList{"language", exe, "game"}
            << " 0|cstrike/resource/background|||" << english;
        QTest::newRow("language and executable stored: only the game")
            << 0 << 1 << 0 << QStringList{"game"} << " 0|cstrike/resource/background|||" << english;
        QTest::newRow("stored language neither English nor Spanish: asked again")
            << 7 << 1 << 2 << QStringList{"language", "game"} << " 1|||dod/resource/background|"
            << QStringList{"Ejecutar Dod", "Crear Fondo Dod", "Cargar Imagen", QStringLiteral("Resoluci\u00f3n"),
                           "Zip Files"};
    }

    void runsAskWhatIsNotStored()
    {
        QFETCH(int, storedLanguage); QFETCH(int, language); QFETCH(int, game);
        QFETCH(QStringList, asked); QFETCH(QString, stored); QFETCH(QStringList, captions);
        GameTree t;
        QVERIFY(storedLanguage == -2 || t.writeConfig(qint16(storedLanguage)));
        t.ui.openAnswers = {t.exePath()};
        t.ui.languageAnswers = {language};
        t.ui.gameAnswers = {game};
        t.open().StartUp();
        t.window->StartUp();   // a second activation does nothing
        QVERIFY2(t.ui.messages.isEmpty() && !t.ui.ended, qPrintable(t.ui.messages.join('\n')));
        QCOMPARE(t.ui.log, asked);
        const QString lines = QDir::toNativeSeparators(stored).replace('|', "\r\n");
        QCOMPARE(t.readFile(), (t.exePath() + "\r\n" + lines + "\r\n").toUtf8());
        QStringList shown;
        for (const char *name : {"elboton1", "elboton2", "elboton3"})
            shown << t.control<elboton>(name)->Caption();
        shown << t.control<ellabel>("ellabel1")->Caption() << t.control<elboton>("elboton4")->Caption();
        QCOMPARE(shown, captions);
    }

    // The picked folder's rules have their own table; here what start-up does with each answer.
    void folderStep_data()
    {
        QTest::addColumn<bool>("exeGone");
        QTest::addColumn<QString>("picked");    // relative to the temporary folder: made first
        QTest::addColumn<QString>("message");   // empty when start-up gets through
        const QString folder = "Unable To Locate Cs Background Folder";
        QTest::newRow("executable dialog cancelled") << true << "" << "Unable To Locate HL.exe";
        QTest::newRow("picker cancelled") << false << "" << folder;
        QTest::newRow("outside the game") << false << "Other/cstrike/resource/background" << folder;
        QTest::newRow("other letter case") << false << "Half-Life/cstrike/Resource/Background" << "";
        QTest::newRow("a plain file") << false << "Half-Life/cstrike/resource/background=file" << folder;
    }
    void folderStep()
    {
        QFETCH(bool, exeGone);
        QFETCH(QString, picked);
        QFETCH(QString, message);
        GameTree t;
        QVERIFY(t.writeConfig(0) && QDir(t.path("Half-Life/cstrike")).removeRecursively());
        QVERIFY(!exeGone || QFile::remove(t.exePath()));
        const QByteArray before = t.readFile();
        const bool inTree = picked.count('/') > 2;
        if (picked.endsWith("=file")) {
            picked.chop(5);
            QVERIFY(QDir().mkpath(t.path("Half-Life/cstrike/resource")) && t.writeFile(picked, "not a folder"));
        } else {
            QVERIFY(!inTree || QDir().mkpath(t.path(picked)));
        }
        t.ui.folderAnswers = {inTree ? t.path(picked) : picked};
        t.open().StartUp();

        QCOMPARE(t.ui.messages, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(t.ui.ended, !message.isEmpty());
        if (message.isEmpty())   // stored as picked, relative to the game
            QCOMPARE(t.readFile().split('\n').at(2),
                     QDir::toNativeSeparators(picked.mid(10)).toUtf8() + '\r');
        else
            QCOMPARE(t.readFile(), before);
    }

    // A stored folder is used only when it is a real background folder (the folder-ending rules
    // have their own table); otherwise the picker asks again.
    void storedFolder_data()
    {
        QTest::addColumn<QString>("stored");   // relative to Half-Life; made as a folder first
        QTest::addColumn<bool>("asked");
        QTest::newRow("usable") << "cstrike/skins/resource/background" << false;
        QTest::newRow("not at a folder boundary") << "cstrike/myresource/background" << true;
    }
    void storedFolder()
    {
        QFETCH(QString, stored);
        QFETCH(bool, asked);
        GameTree t;
        QVERIFY(QDir(t.path("Half-Life/cstrike")).removeRecursively());
        QVERIFY(QDir().mkpath(t.path("Half-Life/" + stored)));
        QVERIFY(WriteSettings(t.path("program/config.dat"),
                              Settings{.ExePath = t.exePath(), .Language = 0, .CsFolder = QDir::toNativeSeparators(stored)}));
        t.open().StartUp();
        QCOMPARE(t.ui.log.size(), asked ? 2 : 1);
        QCOMPARE(t.ui.ended, asked);   // the picker gets no answer here
    }

    // config.dat holds one path per line: a path with a line break is refused and asked again.
    void lineBreakInPickedPath()
    {
        GameTree t;
        QVERIFY(QDir().mkpath(t.path("odd\nname")) && t.writeFile("odd\nname/hl.exe", {}));
        t.ui.openAnswers = {t.path("odd\nname/hl.exe"), t.exePath()};
        t.open().StartUp();
        QCOMPARE(t.ui.messages, QStringList{t.path("odd\nname/hl.exe") + " cannot be used: its path holds a line break"});
        QCOMPARE(t.ui.log.count("language") + t.ui.log.filter("open ").size(), 3);
        QVERIFY(!t.ui.ended);
        QVERIFY(t.readFile().startsWith(t.exePath().toUtf8() + "\r\n"));
    }

    // config.dat both beside the program and in the fallback folder: the newer one counts.
    void newerOfTwoSettingsFiles_data()
    {
        QTest::addColumn<bool>("fallbackNewer");
        QTest::newRow("beside the program newer") << false;
        QTest::newRow("fallback newer") << true;
    }
    void newerOfTwoSettingsFiles()
    {
        QFETCH(bool, fallbackNewer);
        GameTree t;
        QVERIFY(QDir().mkpath(t.path("fallback")));
        const QString beside = t.path("program/config.dat"), fallback = t.path("fallback/config.dat");
        QVERIFY(WriteSettings(beside, Settings{.ExePath = t.exePath(), .Language = 0})
                && WriteSettings(fallback, Settings{.ExePath = t.exePath(), .Language = 1}));
        const QDateTime older = QDateTime::currentDateTime().addSecs(-3600);
        QFile old(fallbackNewer ? beside : fallback);
        QVERIFY(old.open(QIODevice::ReadWrite) && old.setFileTime(older, QFileDevice::FileModificationTime));
        old.close();
        t.open().StartUp();
        QCOMPARE(t.window->CurrentLanguage(), fallbackNewer ? 1 : 0);
    }

    // A full disk under the program's folder keeps its config.dat whole; the settings go to the
    // fallback folder, which the next start reads.
    void fullProgramFolderKeepsConfig()
    {
        FullDisk disk;
        MOUNT_FULL_DISK(disk, 256);
        GameTree t;
        const QString config = disk.path() + "/config.dat";
        QVERIFY(WriteSettings(config, Settings{.ExePath = t.exePath(), .Language = 1, .CsFolder = "cstrike\\resource\\background"}));
        QFile file(config);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        QVERIFY(disk.fill());
        t.ui.gameAnswers = {2};
        t.window = std::make_unique<Main>(&t.ui, disk.path(), t.path("fallback"));
        t.window->StartUp();
        QVERIFY2(t.ui.messages.isEmpty() && !t.ui.ended, qPrintable(t.ui.messages.join('\n')));
        QVERIFY(file.seek(0) && file.readAll() == before);
        QVERIFY(t.readFile("fallback/config.dat").startsWith(t.exePath().toUtf8() + "\r\n 1\r\n"));
    }

    // With the executable not known yet, the dialog opens on the one Steam installed, in Steam of
    // each kind; a library list Steam cannot have written finds nothing.
    void steamInstallChosenAtFirst_data()
    {
        QTest::addColumn<QString>("library");   // where the game lies, under home
        QTest::addColumn<QByteArray>("vdf");    // the native Steam's library list naming it, if any
        QTest::addColumn<bool>("found");
        QTest::newRow("native") << ".local/share/Steam" << QByteArray() << true;
        QTest::newRow("Flatpak") << ".var/app/com.valvesoftware.Steam/data/Steam" << QByteArray() << true;
        QTest::newRow("Snap") << "snap/steam/common/.local/share/Steam" << QByteArray() << true;
        QTest::newRow("second library, nested list") << "lib" << QByteArray("\"libraryfolders\" { \"0\" { \"path\" \"%1\" } }") << true;
        QTest::newRow("second library, flat list") << "lib" << QByteArray("\"LibraryFolders\" { \"1\" \"%1\" }") << true;
        QTest::newRow("malformed list") << "lib" << QByteArray("\"libraryfolders\" { \"0\" { \"path\" \"%1\"") << false;
    }
    void steamInstallChosenAtFirst()
    {
#ifdef Q_OS_WIN
        QSKIP("Steam's place comes from the registry here");
#endif
        QFETCH(QString, library); QFETCH(QByteArray, vdf); QFETCH(bool, found);
        GameTree t;
        const QString game = "home/" + library + "/steamapps/common/Half-Life/";
        QVERIFY(QDir().mkpath(t.path(game)) && t.writeFile(game + "hl_linux", {}));
        QVERIFY(QDir().mkpath(t.path("home/.steam/steam/steamapps")));
        QVERIFY(vdf.isEmpty() || t.writeFile("home/.steam/steam/steamapps/libraryfolders.vdf",
                                             QString::fromLatin1(vdf).arg(t.path("home/lib")).toUtf8()));
        t.ui.openAnswers = {t.exePath()};
        t.window = std::make_unique<Main>(&t.ui, t.path("program"), t.path("fallback"),
                                          SteamRootCandidates(t.path("home")));
        t.window->StartUp();
        QCOMPARE(t.ui.log.filter("open ").value(0), "open Locate HL.exe | hl.exe (hl.exe);;Linux build (hl_linux hl.sh)"
                                                        + (found ? " | " + t.path(game + "hl_linux") : QString()));
    }

    void steamConditionZeroNeedsNoPicker()
    {
        GameTree t;
        // Steam keeps Condition Zero in "czero": found without asking, and offered to the game.
        QVERIFY(t.writeConfig(0) && QDir(t.path("Half-Life/cz")).removeRecursively());
        QVERIFY(QDir().mkpath(t.path("Half-Life/czero/resource/background")));
        t.ui.gameAnswers = {1};
        t.ui.inputAnswers = {std::nullopt};
        t.open().StartUp();
        t.control<elboton>("elboton1")->Click();
        QCOMPARE(t.ui.log, QStringList({"game", "input Extra Parameters | -game czero"}));
        QCOMPARE(t.readFile().split('\n').at(3),
                 QDir::toNativeSeparators("czero/resource/background").toUtf8() + '\r');
    }

    void unwritableProgramFolderUsesFallback()
    {
        GameTree t;
        // A folder below a regular file can be neither created nor written, even by root.
        QVERIFY(t.writeFile("blocker", "x"));
        t.ui.openAnswers = {t.exePath()};
        t.open("blocker/program").StartUp();
        QVERIFY2(t.ui.messages.isEmpty(), qPrintable(t.ui.messages.join('\n')));
        QCOMPARE(t.readFile("fallback/config.dat").count('\n'), 6);
    }

    // Installed, the default pictures are shared data in ../share/quiltra, and the settings
    // are the user's own, never written into the program's system folder.
    void installedLayout()
    {
        GameTree t;
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(QDir().mkpath(t.path("share/quiltra")) && QDir().mkpath(t.path("bin")) && QDir().mkpath(t.path("fallback")));
        QVERIFY(picture.save(t.path("share/quiltra/dod_default.jpg")));
        QVERIFY(WriteSettings(t.path("fallback/config.dat"), Settings{.ExePath = t.exePath(), .Language = 0}));
        t.ui.gameAnswers = {2};
        t.open("bin").StartUp();
        QCOMPARE(t.ui.log, QStringList{"game"});
        QCOMPARE(t.window->loadedPicture().size(), QSize(40, 30));
        QVERIFY(!QFile::exists(t.path("bin/config.dat")));
        QCOMPARE(t.readFile("fallback/config.dat").split('\n').at(4), QDir::toNativeSeparators("dod/resource/background").toUtf8() + '\r');
    }
};

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
