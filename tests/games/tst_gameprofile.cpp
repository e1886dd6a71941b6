#include "gameprofile.h"

#include <QDir>
#include <QTest>

class TestGameProfile : public QObject {
    Q_OBJECT
private slots:
    void rows_data();
    void rows();
    void otherIndexesGiveHalfLife();
    void folders();
};

void TestGameProfile::rows_data()
{
    QTest::addColumn<int>("game");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("launch");
    QTest::addColumn<QList<int>>("entries");   // run, make, success, background, resource
    QTest::newRow("Cs") << 0 << "Counter Strike 1.6" << "-game cstrike" << QList<int>{4, 6, 0, 1, 11};
    QTest::newRow("Cz") << 1 << "Counter Strike Condition Zero" << "-game cz" << QList<int>{9, 13, 10, 3, 12};
    QTest::newRow("Dod") << 2 << "Day Of Defeat" << "-game dod" << QList<int>{15, 18, 20, 14, 17};
    QTest::newRow("HL") << 3 << "Half-Life DeathMatch" << QString() << QList<int>{22, 24, 30, 21, 23};
}

void TestGameProfile::rows()
{
    QFETCH(int, game);
    QFETCH(QString, label);
    QFETCH(QString, launch);
    QFETCH(QList<int>, entries);
    const GameProfile &p = ProfileOf(game);
    QCOMPARE(p.DialogLabel, label);
    QCOMPARE(p.LaunchArgument == nullptr, launch.isNull());
    QCOMPARE(QString::fromLatin1(p.LaunchArgument), launch);
    QCOMPARE((QList<int>{p.RunCaption, p.MakeCaption, p.SuccessMessage, p.BackgroundFolderMessage,
                         p.ResourceFolderMessage}), entries);
    QCOMPARE(p.SuccessMessage, game * 10);
}

void TestGameProfile::otherIndexesGiveHalfLife()
{
    for (int game : {-1, 4, 7, -32768})
        QCOMPARE(&ProfileOf(game), &ProfileOf(3));
}

void TestGameProfile::folders()
{
    const QString s = QDir::separator();
    QCOMPARE(DefaultFolder(0), "cstrike" + s + "resource" + s + "background");
    QCOMPARE(DefaultFolder(-1), "valve" + s + "resource" + s + "background");
    QCOMPARE(AlternateFolder(1), "czero" + s + "resource" + s + "background");
    QVERIFY(AlternateFolder(0).isEmpty() && AlternateFolder(3).isEmpty());
    QCOMPARE(ProfileOf(2).BrowseHint, " (Usually in valve\\dod\\resource\\background)");
    QCOMPARE(ProfileOf(1).DefaultPicture, "cz_default.jpg");
}

QTEST_GUILESS_MAIN(TestGameProfile)
#include "tst_gameprofile.moc"
