#include "app/gametree.h"
#include "background/framing.h"
#include "background/tilegrid.h"
#include "common/warnings.h"
#include "games/gameprofile.h"

#include <QProcess>
#include <QTest>

// The commands behind the window's buttons and title menu on a started window: what each
// asks, which command it calls and what it says then.
class TestCommands : public QObject {
    Q_OBJECT

    // Starts `game` in `language` with a default picture; false when start-up did not get through.
    static bool start(GameTree &t, int game, qint16 language = 0)
    {
        t.ui.gameAnswers = {game};
        if (!TestPicture(QSize(64, 48)).save(t.at("program/") + ProfileOf(game).DefaultPicture)
            || !t.writeConfig(language))
            return false;
        t.open().StartUp();
        return t.ui.messages.isEmpty() && !t.ui.ended;
    }

private slots:
    void init() { FailOnUndeclaredWarnings(); }

    // The window and quiltra-cli make the same files from the same picture file: the tiles, both
    // pairs of layout files (this game reads the HD pair) and the backup; framed too, with the
    // part the keys chose in the preview given to quiltra-cli.
    void sameFilesAsTheCommandLine_data()
    {
        columns<QString, int, int>("format", "resolution", "screen");
        for (const QString format : {"jpg", "png", "bmp"}) {
            for (int resolution = 0; resolution < ListedResolutionCount; ++resolution)
                QTest::newRow(qPrintable(format + QString::number(resolution))) << format << resolution << 0;
        }
        QTest::newRow("jpg1, 21:9, moved") << "jpg" << 1 << 3;
        QTest::newRow("png4, an area kept") << "png" << WideHdResolution << 0;
    }
    void sameFilesAsTheCommandLine()
    {
        QFETCH(QString, format); QFETCH(int, resolution); QFETCH(int, screen);
        GameTree window, cli;
        const QString file = window.at("picture." + format);
        for (GameTree *t : {&window, &cli})
            QVERIFY(WriteBytes(t->install() + "/valve/liblist.gam", "hd_background \"1\"\r\n"));
        QVERIFY(TestPicture(QSize(2400, 1500)).save(file, nullptr, 90) && start(window, 3));
        window.ui.openAnswers = {file};
        // Decoded for 800x600 first.
        window.click(3);
        window.control<elcombo>("elcombo2")->SetListIndex(screen);
        window.control<elcombo>("elcombo1")->SetListIndex(resolution);
        // Made for is for classic makes alone.
        QCOMPARE(window.control<elcombo>("elcombo2")->isEnabled(), resolution != WideHdResolution);
        if (screen || resolution == WideHdResolution) {
            for (const Qt::Key key : {Qt::Key_Equal, Qt::Key_Equal, Qt::Key_Left, Qt::Key_Left, Qt::Key_Up})
                QTest::keyClick(window.control<QWidget>("Picture3"), key);
        }
        window.click(2, resolution);
        QCOMPARE(window.ui.messages, QStringList{"Hal-Life Background Generated Succesfully"});

        const Commands::Framing &framing = window.window->framing();
        const QRect area = screen ? framing.Crop : framing.Keep;
        QVERIFY(area.isNull() == (!screen && resolution != WideHdResolution));
        const QString more = area.isNull()
            ? QString()
            : QString("%1,%2,%3,%4").arg(area.x()).arg(area.y()).arg(area.width()).arg(area.height());
        const QStringList framed = screen ? QStringList{"--screen", ScreenShapeText(screen), "--crop", more}
                                          : area.isNull() ? QStringList() : QStringList{"--keep", more};
        QProcess process;
        process.start(QUILTRA_CLI,
                      QStringList{"make", file, "--game", "valve", "--game-dir", cli.install(), "--resolution",
                                  resolution == WideHdResolution ? "wide-hd" : ResolutionText(resolution)}
                          + framed);
        QVERIFY(process.waitForFinished(60000) && process.exitCode() == 0);
        QVERIFY(Snapshot(window.resource("valve")).values() == Snapshot(cli.resource("valve")).values());
    }

    // A failed make says why and keeps what was made last to zip;
    // without its resource folder the game cannot get a background at all.
    void failedMake()
    {
        GameTree t;
        QVERIFY(start(t, 0));
        t.click(2, 1);
        const QString blocked = t.resource("cstrike", "background/640_1_a_loading.tga");
        QVERIFY(QDir().mkpath(blocked));
        t.click(2, 0);
        QCOMPARE(t.ui.messages, QStringList{"Cannot write " + blocked + ": a folder or other non-file has that name"});
        QCOMPARE(t.window->LastGeneratedResolution(), 1);
        QVERIFY(QDir(t.resource("cstrike")).removeRecursively());
        t.click(2, 1);
        QCOMPARE(t.ui.messages, QStringList{"Unable To Locate Cs Resource Folder"});
        QVERIFY(t.ui.ended);
    }

    // The title menu in the chosen language; a right-click on the title opens it too, and it
    // restores the game's own background.
    void titleMenuRestores()
    {
        GameTree t;
        QVERIFY(start(t, 0, 1));
        t.click(2);
        t.ui.messages.clear();
        t.ui.menuAnswers = {0};
        t.ui.yesNoAnswers = {true};
        emit t.control<elpanel>("elpanel1")->TitleMouseDown(2, 0, 40, 5);
        QCOMPARE(
            t.ui.log,
            (QStringList{
                "menu Restaurar El Fondo Original|Exportar El Fondo Como Imagen...|Instalar Un Fondo Desde Un Zip..."
                "|Abrir La Carpeta Del Fondo|[ ] Usar La Carpeta Addon|Acerca De Quiltra",
                "ask \u00BFRestaurar el fondo original de Counter Strike 1.6? El actual ser\u00E1 reemplazado."}));
        QCOMPARE(t.ui.messages, QStringList{"Fondo Original Restaurado"});
        QCOMPARE(t.window->LastGeneratedResolution(), -1);
    }

    // With the addon folder on, the commands work in cstrike_addon and the game is told to read
    // it; the choice is remembered.
    void addonFolder()
    {
        GameTree t;
        QVERIFY(start(t, 0));
        t.menu(4);
        QVERIFY(t.ui.messages.value(0).contains("\"Allow custom addon content\""));
        t.click(2, WideHdResolution);
        QVERIFY(QFileInfo::exists(t.resource("cstrike_addon", "background/hd_1_a_loading.tga")));
        t.ui.inputAnswers = {std::nullopt};
        t.click(1);
        t.menu(3);
        QCOMPARE(t.ui.log.first(), "input Extra Parameters | -game cstrike -addons");
        QCOMPARE(t.ui.log.last(), "browse " + t.resource("cstrike_addon", "background/"));
        // A new start keeps it on.
        t.ui = ScriptedInteraction();
        t.open().StartUp();
        t.menu();
        QVERIFY2(t.ui.log.last().contains("|[x] Use The Addon Folder|"), qPrintable(t.ui.log.last()));
    }

    // Zip asks for the archive only once something was made and says how it went; the archive
    // installs by a drop or from the menu, which also exports what the game shows.
    void zipInstallExport()
    {
        GameTree t;
        QVERIFY(start(t, 0));
        t.click(4);
        QCOMPARE(t.ui.log + t.ui.messages, QStringList{"First Make The Background !"});
        t.click(2);
        t.ui.saveAnswers = {t.at("shared"), t.at("other.zip"), t.at("shown.png")};
        t.click(4);
        QCOMPARE(t.ui.log + t.ui.messages,
                 QStringList({"save Zip Files... | Zip File(*.zip)", "Files Zipped Successfully !"}));
        QVERIFY(QFile::rename(t.at("shared"), t.at("shared.zip")));
        QVERIFY(QFile::remove(t.resource("cstrike", "background/800_2_c_loading.tga")));
        t.click(4);
        QVERIFY(t.ui.messages.value(0).startsWith("Error: Files Not Zipped Correctly.\nCannot "));
        t.drop(t.at("shared.zip"));
        t.ui.openAnswers = {t.at("shared.zip")};
        t.menu(2);
        t.menu(1);
        QCOMPARE(t.ui.messages.mid(1),
                 QStringList({"Background Installed", "Background Installed", "Background Exported"}));
        // What was made may have been replaced.
        QCOMPARE(t.window->LastGeneratedResolution(), -1);
    }

    // Run offers the game's launch argument where it has one, starts what was typed, and says
    // why a start failed.
    void run_data()
    {
        // The log: the executable is written "hl", its folder "root".
        columns<int, QStringList>("game", "log");
        QTest::newRow("Cs") << 0 << QStringList{"input Extra Parameters | -game cstrike", "start hl | -w,1 | root"};
        QTest::newRow("Half-Life: no box") << 3 << QStringList{"start hl |  | root"};
    }
    void run()
    {
        QFETCH(int, game); QFETCH(QStringList, log);
        GameTree t;
        QVERIFY(start(t, game));
        t.ui.inputAnswers = {"-w 1"};
        t.ui.startError = "denied";
        t.click(1);
        QCOMPARE(t.ui.log.replaceInStrings(t.exe(), "hl").replaceInStrings(t.install() + '/', "root"), log);
        QCOMPARE(t.ui.messages, QStringList{"Cannot start " + t.exe() + ": denied"});
    }
};

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
