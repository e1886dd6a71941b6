// The game folder of an executable and the check of a picked background folder.
#include "games/folderlocate.h"
#include "io/paths.h"

#include <QTest>

class TestGamePaths : public QObject {
    Q_OBJECT
private slots:
    void gameRoot()
    {
        QCOMPARE(GameRoot(R"(C:\Games\Half-Life\hl.exe)"), R"(C:\Games\Half-Life\)");
        QCOMPARE(GameRoot("/home/u/Half-Life/hl_linux"), "/home/u/Half-Life/");
        QCOMPARE(GameRoot("hl.exe"), "");
    }

    void pickedFolder_data()
    {
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("relative");   // empty: refused
        QTest::newRow("any case, kept as picked") << R"(C:\HL\cstrike\Resource\Background)" << R"(C:\HL\)"
                                                  << R"(cstrike\Resource\Background)";
        QTest::newRow("another drive") << R"(E:\HL\cstrike\resource\background)" << R"(C:\HL\)" << "";
        QTest::newRow("another install") << R"(C:\HL2\cz\resource\background)" << R"(C:\HL\)" << "";
        QTest::newRow("root in the middle") << R"(D:\C:\HL\cz\resource\background)" << R"(C:\HL\)" << "";
        QTest::newRow("too short") << R"(resource\backgr)" << "" << "";
        QTest::newRow("wrong suffix") << R"(C:\HL\cz\resource\backgrounds)" << R"(C:\HL\)" << "";
        QTest::newRow("slashes") << "/opt/hl/dod/resource/background" << "/opt/hl/" << "dod/resource/background";
        QTest::newRow("not at a folder boundary") << R"(C:\HL\cz\myresource\background)" << R"(C:\HL\)" << "";
        QTest::newRow("trailing separator") << R"(C:\HL\cz\resource\background\)" << R"(C:\HL\)"
                                            << R"(cz\resource\background\)";
    }

    void backgroundFolderEnding_data()
    {
        QTest::addColumn<QString>("path"); QTest::addColumn<bool>("ends");
        QTest::newRow("backslashes") << R"(cstrike\resource\background)" << true;
        QTest::newRow("mixed, any case") << R"(czero/RESOURCE\Background)" << true;
        QTest::newRow("alone") << "resource/background" << true;
        QTest::newRow("trailing separators") << "dod/resource/background//" << true;
        QTest::newRow("inside a longer name") << R"(cstrike\myresource\background)" << false;
        QTest::newRow("the game root") << "cstrike" << false;
        QTest::newRow("background only") << R"(cstrike\background)" << false;
        QTest::newRow("empty") << "" << false;
    }

    void backgroundFolderEnding()
    {
        QFETCH(QString, path); QFETCH(bool, ends);
        QCOMPARE(EndsWithBackgroundFolder(path), ends);
    }

    void pickedFolder()
    {
        QFETCH(QString, picked); QFETCH(QString, root); QFETCH(QString, relative);
        QCOMPARE(RelativeBackgroundFolder(picked, root, Qt::CaseSensitive), relative);
    }
};

QTEST_GUILESS_MAIN(TestGamePaths)
#include "tst_gamepaths.moc"
