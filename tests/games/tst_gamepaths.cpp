#include "gamepaths.h"
#include "gameprofile.h"

#include <QTest>

class TestGamePaths : public QObject {
    Q_OBJECT
private slots:
    void gameRoot_data();
    void gameRoot();
    void underGameRoot();
};

void TestGamePaths::gameRoot_data()
{
    QTest::addColumn<QString>("exePath");
    QTest::addColumn<QString>("root");
    QTest::newRow("backslash") << "C:\\Games\\Half-Life\\hl.exe" << "C:\\Games\\Half-Life\\";
    QTest::newRow("slash") << "/opt/hl/hl.exe" << "/opt/hl/";
    QTest::newRow("mixed, last wins") << "C:/Games\\HL/hl.exe" << "C:/Games\\HL/";
    QTest::newRow("none") << "hl.exe" << "";
}

void TestGamePaths::gameRoot()
{
    QFETCH(QString, exePath);
    QFETCH(QString, root);
    QCOMPARE(GameRoot(exePath), root);
}

void TestGamePaths::underGameRoot()
{
    // Joined with the executable's own separator, whatever the relative part uses.
    QCOMPARE(UnderGameRoot("D:\\HL\\hl.exe", DefaultFolder(0)), "D:\\HL\\cstrike\\resource\\background");
    QCOMPARE(UnderGameRoot("/opt/hl/hl.exe", "cz\\resource\\background"), "/opt/hl/cz/resource/background");
    QCOMPARE(UnderGameRoot("C:/HL\\hl.exe", "a/b"), "C:/HL\\a\\b");
}

QTEST_GUILESS_MAIN(TestGamePaths)
#include "tst_gamepaths.moc"
