// The run command's launch line and the check of a picked background folder.
#include "folderlocate.h"
#include "gamelaunch.h"

#include <QTest>

class TestGameLaunch : public QObject {
    Q_OBJECT
private slots:
    void launchCommand_data();
    void launchCommand();
    void relativeFolder_data();
    void relativeFolder();
};

void TestGameLaunch::launchCommand_data()
{
    QTest::addColumn<int>("game");
    QTest::addColumn<QString>("exePath");
    QTest::addColumn<QString>("extra");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("folder");
    QTest::newRow("Cs as offered") << 0 << "D:\\HL\\hl.exe" << "-game cstrike"
                                   << QStringList{"-game", "cstrike"} << "D:\\HL\\";
    QTest::newRow("options added") << 2 << "/opt/hl/hl.exe" << "-game dod  -w 1024"
                                   << QStringList{"-game", "dod", "-w", "1024"} << "/opt/hl/";
    QTest::newRow("blanks and quotes") << 1 << "C:\\Program Files\\hl.exe" << "+name \"Big Joe\""
                                       << QStringList{"+name", "Big Joe"} << "C:\\Program Files\\";
    QTest::newRow("HL, no box") << 3 << "D:\\HL\\hl.exe" << "" << QStringList() << "D:\\HL\\";
}

void TestGameLaunch::launchCommand()
{
    QFETCH(int, game);
    QFETCH(QString, exePath);
    QFETCH(QString, extra);
    QFETCH(QStringList, arguments);
    QFETCH(QString, folder);
    QCOMPARE(AsksExtraParameters(game), game != 3);
    QVERIFY(!AsksExtraParameters(-1) && !AsksExtraParameters(4));
    const LaunchCommand c = GameLaunchCommand(exePath, extra);
    QCOMPARE(c.Program, exePath);
    QCOMPARE(c.Arguments, arguments);
    QCOMPARE(c.WorkingFolder, folder);
}

void TestGameLaunch::relativeFolder_data()
{
    QTest::addColumn<QString>("picked");
    QTest::addColumn<QString>("root");
    QTest::addColumn<bool>("caseSensitive");
    QTest::addColumn<QString>("relative");
    const QString none;
    QTest::newRow("suffix in any case") << "C:\\HL\\cstrike\\Resource\\Background" << "C:\\HL\\" << true
                                        << "cstrike\\Resource\\Background";
    QTest::newRow("another drive") << "E:\\HL\\cstrike\\resource\\background" << "C:\\HL\\" << true << none;
    QTest::newRow("another install") << "C:\\HL2\\cz\\resource\\background" << "C:\\HL\\" << true << none;
    QTest::newRow("root in the middle") << "D:\\C:\\HL\\cz\\resource\\background" << "C:\\HL\\" << true << none;
    QTest::newRow("too short") << "resource\\backgr" << "" << true << none;
    QTest::newRow("wrong suffix") << "C:\\HL\\cz\\resource\\backgrounds" << "C:\\HL\\" << true << none;
    QTest::newRow("slashes") << "/opt/hl/cstrike/resource/background" << "/opt/hl/" << true
                             << "cstrike/resource/background";
    QTest::newRow("mixed") << "C:/HL/dod/resource/background" << "C:\\HL\\" << true << "dod/resource/background";
    QTest::newRow("root without separator") << "C:\\HL\\cz\\resource\\background" << "C:\\HL" << true
                                            << "cz\\resource\\background";
    QTest::newRow("root is a prefix of a name") << "C:\\HLX\\cz\\resource\\background" << "C:\\HL" << true << none;
    QTest::newRow("root reaches into suffix") << "C:\\HL\\cz\\resource\\background" << "C:\\HL\\cz\\resource\\"
                                              << true << none;
    QTest::newRow("case, sensitive") << "c:\\hl\\cz\\resource\\background" << "C:\\HL\\" << true << none;
    QTest::newRow("case, insensitive") << "c:\\hl\\cz\\resource\\background" << "C:\\HL\\" << false
                                       << "cz\\resource\\background";
}

void TestGameLaunch::relativeFolder()
{
    QFETCH(QString, picked);
    QFETCH(QString, root);
    QFETCH(bool, caseSensitive);
    QFETCH(QString, relative);
    QCOMPARE(RelativeBackgroundFolder(picked, root, caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive),
             relative);
}

QTEST_GUILESS_MAIN(TestGameLaunch)
#include "tst_gamelaunch.moc"
