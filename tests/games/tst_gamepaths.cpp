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

    // Whether a picked folder ends in resource\background, and what of it lies under the game's root.
    void pickedFolder_data()
    {
        QTest::addColumn<QString>("picked"); QTest::addColumn<QString>("root");
        QTest::addColumn<bool>("ends"); QTest::addColumn<QString>("relative");   // empty: refused
        const QString root = R"(C:\HL\)";
        QTest::newRow("any case, kept as picked") << R"(C:\HL\cstrike\Resource\Background)" << root << true
                                                  << R"(cstrike\Resource\Background)";
        QTest::newRow("mixed, trailing separators") << R"(C:\HL\czero/RESOURCE\background\\)" << root << true
                                                    << R"(czero/RESOURCE\background\\)";
        QTest::newRow("another drive") << R"(E:\HL\cstrike\resource\background)" << root << true << "";
        QTest::newRow("root in the middle") << R"(D:\C:\HL\cz\resource\background)" << root << true << "";
        QTest::newRow("no root") << "/opt/hl/dod/resource/background" << "" << true << "";
        QTest::newRow("inside a longer name") << R"(C:\HL\cz\myresource\background)" << root << false << "";
        QTest::newRow("background only") << R"(C:\HL\cstrike\background)" << root << false << "";
    }

    void pickedFolder()
    {
        QFETCH(QString, picked); QFETCH(QString, root); QFETCH(bool, ends); QFETCH(QString, relative);
        QCOMPARE(EndsWithBackgroundFolder(picked), ends);
        QCOMPARE(RelativeBackgroundFolder(picked, root, Qt::CaseSensitive), relative);
    }
};

QTEST_GUILESS_MAIN(TestGamePaths)
#include "tst_gamepaths.moc"
