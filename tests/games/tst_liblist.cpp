#include "common/testfiles.h"
#include "games/liblist.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestLiblist : public QObject {
    Q_OBJECT
private slots:
    void hdBackground_data()
    {
        QTest::addColumn<QByteArray>("liblist");   // "<none>": no liblist.gam at all
        QTest::addColumn<bool>("on");
        QTest::newRow("quoted") << QByteArray("game \"Half-Life\"\r\nhd_background \"1\"\r\n") << true;
        QTest::newRow("any letter case") << QByteArray("HD_Background \"1\"\r\n") << true;
        QTest::newRow("CR alone, after the last line") << QByteArray("game \"x\"\rhd_background \"0\"\rhd_background \"1\"\r") << true;
        QTest::newRow("commented out") << QByteArray("// hd_background \"1\"\r\ngame \"x\"\r\n") << false;
        QTest::newRow("tabs, last line wins") << QByteArray("hd_background\t\"1\"\nhd_background\t\"0\"") << false;
        QTest::newRow("another key ending the same") << QByteArray("old_hd_background \"1\"\n") << false;
        QTest::newRow("no liblist.gam") << QByteArray("<none>") << false;
    }

    void hdBackground()
    {
        QFETCH(QByteArray, liblist); QFETCH(bool, on);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("valve/resource"));
        QVERIFY(liblist == "<none>" || WriteBytes(dir.filePath("valve/liblist.gam"), liblist));
        QCOMPARE(GameReadsHdLayouts(QDir::toNativeSeparators(dir.filePath("valve/resource"))), on);
    }
};

QTEST_GUILESS_MAIN(TestLiblist)
#include "tst_liblist.moc"
