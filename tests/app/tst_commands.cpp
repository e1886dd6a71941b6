#include "app/gametree.h"
#include "background/layoutfiles.h"
#include "background/tilegrid.h"
#include "common/tgareader.h"
#include "common/zipreader.h"
#include "controls/elboton.h"
#include "controls/elcombo.h"
#include "controls/elpanel.h"
#include "games/gameprofile.h"

#include <QMimeData>
#include <QProcess>
#include <QTest>

// The make, zip and run commands of a started window, against a temporary game tree.
class TestCommands : public QObject {
    Q_OBJECT

    // Starts `game` in `language` with a default picture of colour gradients; false when
    // start-up did not get through.
    static bool start(GameTree &t, int game, qint16 language = 0)
    {
        QImage picture(64, 48, QImage::Format_RGB32);
        for (int i = 0; i < 64 * 48; ++i)
            picture.setPixel(i % 64, i / 64, qRgb(i % 64 * 4, i / 64 * 5, i % 251));
        const QString name = "program/" + QLatin1String(ProfileOf(game).DefaultPicture);
        t.ui.gameAnswers = {game};
        if (!picture.save(t.path(name), "JPG", 95) || !t.writeConfig(language))
            return false;
        t.open().StartUp();
        return t.ui.messages.isEmpty() && !t.ui.ended;
    }
    // Clicks `button` with `resolution` chosen, from a clean log and no messages.
    static void click(GameTree &t, elboton *button, int resolution)
    {
        t.control<elcombo>("elcombo1")->SetListIndex(resolution);
        t.ui.log.clear();
        t.ui.messages.clear();
        emit button->Click();
    }

private slots:
    void make_data()
    {
        QTest::addColumn<int>("game");   // each game makes the resolution of the same index
        QTest::addColumn<QString>("success");
        QTest::newRow("Cs 640x480") << 0 << "Cs Background Generated Succesfully";
        QTest::newRow("Cz 800x600") << 1 << "Cz Background Generated Succesfully";
        QTest::newRow("Dod 1024x768 in Spanish") << 2 << "Imagen De Fondo Generada Satisfactoriamente";
        QTest::newRow("HL 1280x1024") << 3 << "Hal-Life Background Generated Succesfully";
    }
    void make()
    {
        QFETCH(int, game);
        QFETCH(QString, success);
        GameTree t;
        QVERIFY(start(t, game, game == 2));
        emit t.control<elboton>("elboton4")->Click();   // nothing made yet: no dialog, only the message
        QCOMPARE(t.ui.log + t.ui.messages, QStringList({"game", "First Make The Background !"}));
        click(t, t.control<elboton>("elboton2"), game);

        QCOMPARE(t.ui.messages, QStringList{success});
        QCOMPARE(t.window->LastGeneratedResolution(), game);
        // What it writes is the command line's, byte for byte (below), and the core's to check.
        QCOMPARE(QDir(t.path(GameTree::resource(game, "background"))).entryList(QDir::Files).size(), TileGrid(game).size());
    }

    // The window and quiltra-cli make the same files from the same picture file: the tiles, both
    // pairs of layout files (this game reads the HD pair) and the backup, at every resolution.
    void sameFilesAsTheCommandLine_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("resolution");
        for (const QString format : {"jpg", "png", "bmp"}) {
            for (int resolution = 0; resolution < ListedResolutionCount; ++resolution)
                QTest::newRow(qPrintable(format + QString::number(resolution))) << format << resolution;
        }
    }
    void sameFilesAsTheCommandLine()
    {
        QFETCH(QString, format);
        QFETCH(int, resolution);
        GameTree window, cli;
        QImage picture(2400, 1500, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgb(x * 255 / 2400, y * 255 / 1500, x * y % 251));
        }
        const QString file = window.path("picture." + format);
        for (GameTree *t : {&window, &cli})
            QVERIFY(t->writeFile("Half-Life/valve/liblist.gam", "hd_background \"1\"\r\n"));
        QVERIFY(picture.save(file, qPrintable(format), 90) && start(window, 3));
        window.ui.openAnswers = {file};
        emit window.control<elboton>("elboton3")->Click();   // decoded for 800x600 first
        click(window, window.control<elboton>("elboton2"), resolution);
        QCOMPARE(window.ui.messages, QStringList{"Hal-Life Background Generated Succesfully"});

        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", cli.path("home"));
        environment.remove("QT_FATAL_WARNINGS");
        process.setProcessEnvironment(environment);
        process.start(QUILTRA_CLI, {"make", file, "--game", "valve", "--game-dir", cli.path("Half-Life"), "--resolution",
                                    resolution == WideHdResolution ? "wide-hd" : ResolutionText(resolution)});
        QVERIFY(process.waitForFinished(60000) && process.exitCode() == 0);
        const auto made = [](const GameTree &t) {
            QMap<QString, QByteArray> files;
            const QString folder = t.path(GameTree::resource(3));
            for (const auto &[path, bytes] : Snapshot(folder).asKeyValueRange())
                files[path.mid(folder.size())] = bytes;
            return files;
        };
        QCOMPARE(made(window).keys(), made(cli).keys());
        QVERIFY(made(window) == made(cli));
    }

    void failedMakeChangesNothing()
    {
        GameTree t;
        QVERIFY(start(t, 0));
        click(t, t.control<elboton>("elboton2"), 1);
        // A tile the user marked read-only is not replaced, nor is anything else.
        const QString blocked = t.path(GameTree::resource(0, "background/640_1_b_loading.tga"));
        QVERIFY(t.writeFile(GameTree::resource(0, "background/640_1_b_loading.tga"), "mine")
                && QFile::setPermissions(blocked, QFile::ReadOwner));
        click(t, t.control<elboton>("elboton2"), 0);
        QCOMPARE(t.ui.messages, QStringList{"Cannot write " + blocked + ": the file is read-only"});
        QCOMPARE(t.window->LastGeneratedResolution(), 1);   // the zip still packs the 800x600 one
        QVERIFY(!QFile::exists(t.path(GameTree::resource(0, "background/640_1_a_loading.tga"))));
        // Without its resource folder the game cannot get a background at all.
        QVERIFY(QDir(t.path(GameTree::resource(0))).removeRecursively());
        click(t, t.control<elboton>("elboton2"), 1);
        QCOMPARE(t.ui.messages, QStringList{"Unable To Locate Cs Resource Folder"});
        QVERIFY(t.ui.ended);
        QCOMPARE(t.window->LastGeneratedResolution(), 1);
    }

    // A Spanish user reads why a make failed in Spanish, the file and the reason included.
    void failureInTheChosenLanguage()
    {
        GameTree t;
        QVERIFY(start(t, 2, 1));
        const QString blocked = GameTree::resource(2, "BackgroundLoadingLayout.txt");
        QVERIFY(t.writeFile(blocked, "resolution 640 480") && QFile::setPermissions(t.path(blocked), QFile::ReadOwner));
        click(t, t.control<elboton>("elboton2"), 0);
        QCOMPARE(t.ui.messages, QStringList{"No se puede escribir " + t.path(blocked)
                                            + ": el archivo es de solo lectura"});
        QCOMPARE(t.window->LastGeneratedResolution(), -1);
    }

    // The title panel's menu: its entries, in the chosen language, and the restore of the
    // game's own background through it.
    void titleMenu_data()
    {
        QTest::addColumn<qint16>("language");
        QTest::addColumn<QString>("menu");   // as the menu shows before a make, and after one
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("restored");
        QTest::newRow("English")
            << qint16(0) << "menu (Restore Original Background)|Export Background As Picture...|Install Background From Zip...|Open Background Folder|[ ] Use The Addon Folder|About Quiltra"
            << "ask Restore the original background of Counter Strike 1.6? The current one is replaced."
            << "Original Background Restored";
        QTest::newRow("Spanish")
            << qint16(1) << "menu (Restaurar El Fondo Original)|Exportar El Fondo Como Imagen...|Instalar Un Fondo Desde Un Zip...|Abrir La Carpeta Del Fondo|[ ] Usar La Carpeta Addon|Acerca De Quiltra"
            << "ask \u00BFRestaurar el fondo original de Counter Strike 1.6? El actual ser\u00E1 reemplazado."
            << "Fondo Original Restaurado";
    }
    void titleMenu()
    {
        QFETCH(qint16, language); QFETCH(QString, menu); QFETCH(QString, question); QFETCH(QString, restored);
        GameTree t;
        const QByteArray stock = "resolution   640   480\r\n";
        for (const char *name : {"BackgroundLayout.txt", "BackgroundLoadingLayout.txt"})
            QVERIFY(t.writeFile(GameTree::resource(0, name), stock));
        QVERIFY(start(t, 0, language));
        elpanel *panel = t.control<elpanel>("elpanel1");
        t.ui.log.clear();
        emit panel->IconMouseDown(1, 0, 3, 3);
        QCOMPARE(t.ui.log, QStringList{menu});

        click(t, t.control<elboton>("elboton2"), 1);
        QVERIFY(t.readFile(GameTree::resource(0, "BackgroundLayout.txt")) != stock);
        t.ui.log.clear();
        t.ui.messages.clear();
        t.ui.menuAnswers = {0};
        t.ui.yesNoAnswers = {true};
        emit panel->TitleMouseDown(2, 0, 40, 5);   // a right-click on the title
        QCOMPARE(t.ui.log, (QStringList{menu.remove('(').remove(')'), question}));
        QCOMPARE(t.ui.messages, QStringList{restored});
        for (const char *name : {"BackgroundLayout.txt", "BackgroundLoadingLayout.txt"})
            QCOMPARE(t.readFile(GameTree::resource(0, name)), stock);
        QCOMPARE(t.window->LastGeneratedResolution(), -1);
    }

    // Alt+Space opens the menu too; the folder entry opens the background folder.
    void titleMenuFromTheKeyboard()
    {
        GameTree t;
        QVERIFY(start(t, 2));
        t.window->show();
        QApplication::setActiveWindow(t.window.get());
        t.ui.log.clear();
        t.ui.menuAnswers = {3};
        QTest::keyClick(t.window.get(), Qt::Key_Space, Qt::AltModifier);
        QCOMPARE(t.ui.log, (QStringList{"menu (Restore Original Background)|Export Background As Picture...|Install Background From Zip...|Open Background Folder|[ ] Use The Addon Folder|About Quiltra",
                                        "browse " + t.path(GameTree::resource(2, "background")) + QDir::separator()}));
    }

    // With the addon folder on, every command works in cstrike_addon and the game's own
    // folder stays as it was; the choice is remembered, and the game is told to read it.
    void addonFolder()
    {
        GameTree t;
        QVERIFY(t.writeFile(GameTree::resource(0, "BackgroundLayout.txt"), "the game's own"));
        QVERIFY(start(t, 0));
        const auto own = Snapshot(t.path("Half-Life/cstrike"));
        elpanel *panel = t.control<elpanel>("elpanel1");
        t.ui.menuAnswers = {4};
        emit panel->IconMouseDown(1, 0, 3, 3);
        QCOMPARE(t.ui.messages.size(), 1);
        QVERIFY(t.ui.messages[0].contains("\"Allow custom addon content\""));
        QVERIFY(t.readFile().endsWith("\r\n 1\r\n"));

        click(t, t.control<elboton>("elboton2"), WideHdResolution);
        QCOMPARE(t.ui.messages, QStringList{"Cs Background Generated Succesfully"});
        QVERIFY(QFileInfo::exists(t.path("Half-Life/cstrike_addon/resource/background/hd_1_a_loading.tga")));
        QVERIFY(QFileInfo::exists(t.path("Half-Life/cstrike_addon/resource/quiltra-original/manifest.txt")));
        t.ui.saveAnswers = {t.path("addon.zip")};
        click(t, t.control<elboton>("elboton4"), 0);
        QCOMPARE(t.ui.messages, QStringList{"Files Zipped Successfully !"});
        t.ui.inputAnswers = {std::nullopt};
        click(t, t.control<elboton>("elboton1"), 0);
        QCOMPARE(t.ui.log, QStringList{"input Extra Parameters | -game cstrike -addons"});
        QCOMPARE(Snapshot(t.path("Half-Life/cstrike")), own);

        t.ui = ScriptedInteraction();   // a new start keeps it on
        t.ui.gameAnswers = {0};
        t.open().StartUp();
        t.ui.log.clear();
        emit t.control<elpanel>("elpanel1")->IconMouseDown(1, 0, 3, 3);
        QVERIFY2(t.ui.log.last().contains("|[x] Use The Addon Folder|"), qPrintable(t.ui.log.last()));
    }

    // A background zipped on one install goes into another from the menu or by a drop; the
    // archive's kinds and pairs are the installer's to check.
    void shareThroughAZip()
    {
        GameTree maker;
        QVERIFY(start(maker, 0));
        click(maker, maker.control<elboton>("elboton2"), 1);
        maker.ui.saveAnswers = {maker.path("shared.zip")};
        click(maker, maker.control<elboton>("elboton4"), 1);
        const QString layout = GameTree::resource(0, "BackgroundLayout.txt");
        for (const bool byDrop : {false, true}) {
            GameTree other;
            QVERIFY(start(other, 0));
            other.ui.messages.clear();
            if (byDrop) {
                QMimeData mime;
                mime.setUrls({QUrl::fromLocalFile(maker.path("shared.zip"))});
                QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(other.window.get(), &enter);
                QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(other.window.get(), &drop);
            } else {
                other.ui.menuAnswers = {2};
                other.ui.openAnswers = {maker.path("shared.zip")};
                emit other.control<elpanel>("elpanel1")->IconMouseDown(1, 0, 3, 3);
            }
            QCOMPARE(other.ui.messages, QStringList{"Background Installed"});
            QCOMPARE(other.readFile(layout), maker.readFile(layout));
        }
        maker.ui.menuAnswers = {1};   // and what the game shows, exported
        maker.ui.saveAnswers = {maker.path("shown.png")};
        emit maker.control<elpanel>("elpanel1")->IconMouseDown(1, 0, 3, 3);
        QCOMPARE(maker.ui.messages.last(), "Background Exported");
        QCOMPARE(QImage(maker.path("shown.png")).convertToFormat(QImage::Format_RGB32), maker.window->scaledPicture());
    }

    void zipPacksWhatWasMade()
    {
        GameTree t;
        QVERIFY(start(t, 0));
        click(t, t.control<elboton>("elboton2"), 1);
        // A name without ".zip" is used as typed, and what was there is replaced.
        QVERIFY(t.writeFile("packed", "an older file"));
        t.ui.saveAnswers = {t.path("packed")};
        click(t, t.control<elboton>("elboton4"), 3);   // what the layout files name, not what is chosen
        QCOMPARE(t.ui.log + t.ui.messages, QStringList({"save Zip Files... | Zip File(*.zip)",
                                                        "Files Zipped Successfully !"}));
        ReadArchive archive;
        QString error;
        QVERIFY2(ReadZip(t.readFile("packed"), archive, error), qPrintable(error));
        QCOMPARE(archive.entries.size(), 14);

        const QString missing = t.path(GameTree::resource(0, "background/800_2_c_loading.tga"));
        QVERIFY(QFile::remove(missing));
        t.ui.saveAnswers = {t.path("other.zip")};
        click(t, t.control<elboton>("elboton4"), 3);
        QCOMPARE(t.ui.messages.size(), 1);
        QVERIFY2(t.ui.messages[0].startsWith("Error: Files Not Zipped Correctly.\n")
                     && t.ui.messages[0].contains(missing), qPrintable(t.ui.messages[0]));
        QVERIFY(!QFile::exists(t.path("other.zip")));
    }

    void run_data()
    {
        QTest::addColumn<int>("game");
        QTest::addColumn<QString>("answer");    // to the box, where there is one; empty cancels
        QTest::addColumn<QString>("reason");    // why starting fails, if it does
        QTest::addColumn<QStringList>("log");   // the executable written "hl", its folder "root"
        const QString box = "input Extra Parameters | -game ", hl = "start hl | -game,";
        QTest::newRow("Cs with more") << 0 << "-game cstrike -w 1024" << ""
                                      << QStringList{box + "cstrike", hl + "cstrike,-w,1024 | root"};
        QTest::newRow("Cz") << 1 << "-game cz" << "" << QStringList{box + "cz", hl + "cz | root"};
        QTest::newRow("Dod") << 2 << "-game dod" << "" << QStringList{box + "dod", hl + "dod | root"};
        QTest::newRow("Cs cancelled") << 0 << "" << "" << QStringList{box + "cstrike"};
        QTest::newRow("Half-Life: no box; fails") << 3 << "" << "denied" << QStringList{"start hl |  | root"};
    }
    void run()
    {
        QFETCH(int, game);
        QFETCH(QString, answer);
        QFETCH(QString, reason);
        QFETCH(QStringList, log);
        GameTree t;
        QVERIFY(start(t, game));
        t.ui.inputAnswers = {answer.isEmpty() ? std::nullopt : std::optional(answer)};
        t.ui.startError = reason;
        click(t, t.control<elboton>("elboton1"), 1);

        t.ui.log.replaceInStrings(t.exePath(), "hl").replaceInStrings(t.path("Half-Life/"), "root");
        QCOMPARE(t.ui.log, log);
        const QString failure = "Cannot start " + t.exePath() + ": " + reason;
        QCOMPARE(t.ui.messages, reason.isEmpty() ? QStringList() : QStringList{failure});
    }
};

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
