// The per-game table and the launch command each game's row leads to.
#include "games/gamelaunch.h"
#include "games/gameprofile.h"
#include "io/paths.h"

#include <QTest>

class TestGameProfile : public QObject {
    Q_OBJECT
private slots:
    // Each game's row, and the launch argument offered for the folder in use, spelt as on disk.
    void rows_data()
    {
        QTest::addColumn<int>("game"); QTest::addColumn<QString>("label"); QTest::addColumn<int>("success");
        QTest::addColumn<QString>("folder"); QTest::addColumn<QString>("offered");
        const QString cz = "Counter Strike Condition Zero", hl = "Half-Life DeathMatch";
        QTest::newRow("Cs ignores the folder") << 0 << "Counter Strike 1.6" << 0 << "CZero/resource/background"
                                               << "-game cstrike";
        QTest::newRow("Cz in CZero") << 1 << cz << 10 << R"(CZero\resource\background)" << "-game CZero";
        QTest::newRow("czeros is not czero") << 1 << cz << 10 << "czeros/resource/background" << "-game cz";
        QTest::newRow("Dod") << 2 << "Day Of Defeat" << 20 << R"(Dod\Resource\Background)" << "-game dod";
        QTest::newRow("HL offers nothing") << 3 << hl << 30 << "valve/resource/background" << "";
        for (int other : {-1, 4})
            QTest::addRow("%d gives HL", other) << other << hl << 30 << "czero/resource/background" << "";
    }

    void rows()
    {
        QFETCH(int, game); QFETCH(QString, label); QFETCH(int, success); QFETCH(QString, folder);
        QFETCH(QString, offered);
        const GameProfile &p = ProfileOf(game);
        QCOMPARE(QString(p.DialogLabel), label);
        QCOMPARE(p.SuccessMessage, success);
        QCOMPARE(AsksExtraParameters(game), !offered.isEmpty());
        QCOMPARE(OfferedLaunchArgument(game, folder), offered);
    }

    // The Run box's text split as a shell would; the game starts inside its own folder.
    void launchCommand_data()
    {
        QTest::addColumn<QString>("typed"); QTest::addColumn<QStringList>("arguments");
        QTest::newRow("quotes keep blanks") << R"(-game cstrike +name "Big  Joe")"
                                            << QStringList{"-game", "cstrike", "+name", "Big  Joe"};
        QTest::newRow("runs of blanks") << "  -game   dod  " << QStringList{"-game", "dod"};
    }

    void launchCommand()
    {
        QFETCH(QString, typed); QFETCH(QStringList, arguments);
        const LaunchCommand c = GameLaunchCommand(R"(C:\Program Files\HL\hl.exe)", typed);
        QCOMPARE(c.Arguments, arguments);
        QVERIFY(c.Program == R"(C:\Program Files\HL\hl.exe)" && c.WorkingFolder == R"(C:\Program Files\HL\)");
    }

    // A game in a Steam library is started by Steam, by its app id, where Steam is found.
    void steamLaunch_data()
    {
        QTest::addColumn<int>("game"); QTest::addColumn<QString>("exe"); QTest::addColumn<QString>("steam");
        QTest::addColumn<QString>("program"); QTest::addColumn<QStringList>("arguments");
        const QString lib = "/home/u/.local/share/Steam/steamapps/common/Half-Life/hl.sh";
        const QStringList typed{"-game", "cstrike", "+name", "Big  Joe"};   // the Run box's answer, split
        const QString steam = "/usr/games/steam";
        QTest::newRow("Cs") << 0 << lib << steam << steam << QStringList{"-applaunch", "10"} + typed;
        QTest::newRow("Dod, library in another letter case") << 2 << "/mnt/SteamApps/Common/Half-Life/hl_linux"
                                                             << steam << steam << QStringList{"-applaunch", "30"} + typed;
        QTest::newRow("no Steam found") << 0 << lib << "" << lib << typed;
        QTest::newRow("not in a Steam library") << 0 << "/opt/hl/hl_linux" << steam << "/opt/hl/hl_linux" << typed;
    }

    void steamLaunch()
    {
        QFETCH(int, game); QFETCH(QString, exe); QFETCH(QString, steam); QFETCH(QString, program); QFETCH(QStringList, arguments);
        const LaunchCommand c = SteamAwareLaunchCommand(game, exe, R"(-game cstrike +name "Big  Joe")", steam);
        QCOMPARE(c.Program, program);
        QCOMPARE(c.Arguments, arguments);
        QCOMPARE(c.WorkingFolder, GameRoot(exe));
    }
};

QTEST_GUILESS_MAIN(TestGameProfile)
#include "tst_gameprofile.moc"
