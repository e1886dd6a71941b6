// The games layer: the game table and its launch, a picked folder, config.dat, liblist.gam and
// Steam's libraries.
#include "common/testfiles.h"
#include "games/folderlocate.h"
#include "games/gamelaunch.h"
#include "games/gameprofile.h"
#include "games/liblist.h"
#include "games/settings.h"
#include "games/steamlibrary.h"

#include <QTest>

// Each test works in a fresh current folder.
class TestGames : public QObject {
    Q_OBJECT
    FreshFolder m_folder;

private slots:
    void init() { QVERIFY(m_folder.enter()); }

    // Each game's row (label, Steam app id), and the launch argument offered
    // for the folder in use, spelt as on disk.
    void rows_data()
    {
        columns<int, QString, QString>("game", "folder", "row");
        QTest::newRow("Cs") << 0 << "CZero/x" << "Counter Strike 1.6|10|-game cstrike";
        QTest::newRow("Cz in CZero") << 1 << R"(CZero\x)" << "Counter Strike Condition Zero|80|-game CZero";
        QTest::newRow("Dod") << 2 << "" << "Day Of Defeat|30|-game dod";
        for (int hl : {3, -1, 4})
            QTest::addRow("%d is HL", hl) << hl << "czero" << "Half-Life DeathMatch|70|";
    }
    void rows()
    {
        QFETCH(int, game); QFETCH(QString, folder); QFETCH(QString, row);
        const GameProfile &p = ProfileOf(game);
        QCOMPARE(
            QStringList({p.DialogLabel, QString::number(p.SteamAppId), OfferedLaunchArgument(game, folder)}).join('|'),
            row);
        QCOMPARE(AsksExtraParameters(game), !row.endsWith('|'));
    }

    // The Run box's text split as a shell splits it; a game in a Steam library started by Steam,
    // where Steam is found; the game inside its own folder.
    void launch_data()
    {
        columns<QString, QString, QString>("exe", "steam", "command");
        const QString dir = "/S/SteamApps/Common/H/";
        QTest::newRow("in Steam") << dir + "hl.sh" << "/st" << "/st|-applaunch|10|-a|b  c|" + dir;
        QTest::newRow("no Steam") << dir + "hl.sh" << "" << dir + "hl.sh|-a|b  c|" + dir;
        QTest::newRow("not in Steam") << R"(C:\P F\hl.exe)" << "/st" << R"(C:\P F\hl.exe|-a|b  c|C:\P F\)";
    }
    void launch()
    {
        QFETCH(QString, exe); QFETCH(QString, steam); QFETCH(QString, command);
        const LaunchCommand c = SteamAwareLaunchCommand(0, exe, "  -a  \"b  c\" ", steam);
        QCOMPARE((QStringList{c.Program} + c.Arguments << c.WorkingFolder).join('|'), command);
    }

    // What of a picked folder ending in resource\background lies under the game's root; empty when
    // it is elsewhere or ends otherwise.
    void pickedFolder_data()
    {
        columns<QString, QString, QString>("picked", "root", "relative");
        QTest::newRow("any case") << "/H/c/Resource/Background" << "/H/" << "c/Resource/Background";
        QTest::newRow("mixed separators") << R"(C:\H\c/RESOURCE\background\\)"
                                          << R"(C:\H)"
                                          << R"(c/RESOURCE\background\\)";
        QTest::newRow("not at a folder's edge") << "/H2/c/resource/background" << "/H" << "";
        QTest::newRow("elsewhere") << "/E/c/resource/background" << "/H/" << "";
        QTest::newRow("no root") << "/h/resource/background" << "" << "";
        QTest::newRow("myresource") << "/H/c/myresource/background" << "/H/" << "";
    }
    void pickedFolder()
    {
        QFETCH(QString, picked); QFETCH(QString, root); QFETCH(QString, relative);
        QCOMPARE(RelativeBackgroundFolder(picked, root, Qt::CaseSensitive), relative);
    }

    // config.dat as older or hand-edited files hold it, read and written back: six CRLF lines, the
    // language " 0", " 1" or "-1", a seventh only while the addon folders are used.
    void settings_data()
    {
        columns<QByteArray, QByteArray>("bytes", "written");
        const QByteArray addon = "x\r\n 1\r\na\r\nb\r\nc\r\nd\r\n 1\r\n";
        QTest::newRow("none") << QByteArray() << QByteArray("\r\n-1\r\n\r\n\r\n\r\n\r\n");
        QTest::newRow("two lines, -1") << QByteArray("x\r\n-1") << QByteArray("x\r\n-1\r\n\r\n\r\n\r\n\r\n");
        // Lines ended by CR, CR LF and LF; a language of 65537 is not 1.
        QTest::newRow("CR, 65537") << QByteArray("x\r65537\r\ncs\n") << QByteArray("x\r\n-1\r\ncs\r\n\r\n\r\n\r\n");
        // Not UTF-8: the local code page, or Latin-1 where that is UTF-8 too (the same letters here).
        QTest::newRow("BOM, 8-bit") << QByteArray("\xEF\xBB\xBF"
                                                  "A\xF1o\r\n0\r\ncs\xE9")
                                    << QByteArray("A\xC3\xB1o\r\n 0\r\ncs\xC3\xA9\r\n\r\n\r\n\r\n");
        QTest::newRow("addon folders") << addon << addon;
    }
    void settings()
    {
        QFETCH(QByteArray, bytes); QFETCH(QByteArray, written);
        Settings s{"x", 1, "x", "x", "x", "x", true};
        QVERIFY((bytes.isEmpty() || WriteBytes("config.dat", bytes)) && ReadSettings("config.dat", s)
                && WriteSettings("config.dat", s));
        QCOMPARE(ReadBytes("config.dat"), written);
    }

    // Whether liblist.gam switches the HD layout files on.
    void hdBackground_data()
    {
        columns<QString, bool>("liblist", "on");
        QTest::newRow("quoted, any letter case") << "HD_Background \"1\"\r\n" << true;
        QTest::newRow("CR alone, bare, last wins") << "hd_background \"0\"\rhd_background 1\r" << true;
        QTest::newRow("commented out, not 1") << "// hd_background \"1\"\nhd_background 2" << false;
        QTest::newRow("tabs, last wins") << "hd_background\t\"1\"\nhd_background\t\"0\"" << false;
    }
    void hdBackground()
    {
        QFETCH(QString, liblist); QFETCH(bool, on);
        QVERIFY(QDir().mkpath("valve/resource") && WriteBytes("valve/liblist.gam", liblist.toUtf8()));
        QCOMPARE(GameReadsHdLayouts("valve/resource"), on);
    }

    // The nested and the flat form of libraryfolders.vdf.
    void libraryFolders_data()
    {
        columns<QString, QString>("vdf", "folders");
        QTest::newRow("nested, comment, quoted brace")
            << "// c\n'libraryfolders' { '0' { 'path' '/a{b}' 'apps' { '7' '1' } } '1' { 'path' '/m' } }"
            << "/a{b}|/m";
        QTest::newRow("flat, escaped backslashes")
            << R"('LibraryFolders' { 'ContentStatsID' '-4' '1' 'D:\\S' '2' 'E:\\G\\S' })"
            << R"(D:\S|E:\G\S)";
    }
    void libraryFolders()
    {
        QFETCH(QString, vdf); QFETCH(QString, folders);
        QCOMPARE(LibraryFoldersFromVdf(vdf.replace('\'', '"').toUtf8()).join('|'), folders);
    }

    // The game in the libraries a Steam folder's libraryfolders.vdf names, each once however it
    // is spelt, by the first of the names that is there.
    void installs()
    {
        const QString game = "b/steamapps/common/Half-Life/";
        QVERIFY(QDir().mkpath("s/steamapps") && QDir().mkpath(game) && WriteBytes(game + "hl_linux", {})
                && WriteBytes(game + "hl.sh", {}));
        QVERIFY(WriteBytes("s/steamapps/libraryfolders.vdf", "\"LibraryFolders\" { \"1\" \"b\" \"2\" \"./b\" }"));
        const QList<SteamInstall> found = FindSteamInstalls({"s"}, {"hl.sh", "hl_linux"});
        QVERIFY(found.size() == 1 && found[0].Executable == game + "hl.sh");
    }
};

QTEST_GUILESS_MAIN(TestGames)
#include "tst_games.moc"
