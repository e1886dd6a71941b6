#include "elboton.h"
#include "elradio.h"
#include "thegame.h"
#include "thelang.h"

#include <QTest>

// The two start-up questions: one choice at a time, the answer without a choice, and no way
// out but Ok.
class TestChoiceDialogs : public QObject {
    Q_OBJECT

private slots:
    void clicksKeepOneChoice_data();
    void clicksKeepOneChoice();
    void onlyOkCloses();

private:
    static void click(QWidget *control) { QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(9, 9)); }
};

void TestChoiceDialogs::clicksKeepOneChoice_data()
{
    QTest::addColumn<bool>("game");
    QTest::addColumn<QList<int>>("clicks");   // radio indices clicked in order
    QTest::addColumn<int>("answer");
    QTest::newRow("Lang: Ok at once") << false << QList<int>{} << 0;
    QTest::newRow("Lang: Espanol") << false << QList<int>{1} << 1;
    QTest::newRow("Lang: Espanol then English") << false << QList<int>{1, 0} << 0;
    QTest::newRow("Lang: none checked") << false << QList<int>{0} << 1;
    QTest::newRow("Game: Ok at once") << true << QList<int>{} << 0;
    QTest::newRow("Game: Day Of Defeat") << true << QList<int>{2} << 2;
    QTest::newRow("Game: Cz then Dod") << true << QList<int>{1, 2} << 2;
    QTest::newRow("Game: none checked") << true << QList<int>{0} << 3;
    QTest::newRow("Game: Cz on and off") << true << QList<int>{1, 1} << 3;
}

void TestChoiceDialogs::clicksKeepOneChoice()
{
    QFETCH(bool, game);
    QFETCH(QList<int>, clicks);
    QFETCH(int, answer);
    TheLang lang;
    TheGame games;
    ChoiceDialog &dialog = game ? static_cast<ChoiceDialog &>(games) : lang;
    const QList<elradio *> radios = game ? QList<elradio *>{games.elradio1, games.elradio2,
                                                            games.elradio3, games.elradio4}
                                         : QList<elradio *>{lang.elradio1, lang.elradio2};
    QVERIFY(radios[0]->Value());
    for (int index : clicks) {
        click(radios[index]);
        int on = 0;
        for (elradio *radio : radios)
            on += radio->Value() ? 1 : 0;
        QVERIFY(on <= 1);
        for (int other = 0; other < radios.size(); ++other) {
            if (other != index)
                QVERIFY(!radios[other]->Value());
        }
    }
    QCOMPARE(dialog.Answer(), -1);
    QTest::mouseClick(dialog.elboton1, Qt::LeftButton, {}, QPoint(20, 12));
    QCOMPARE(dialog.Answer(), answer);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void TestChoiceDialogs::onlyOkCloses()
{
    TheGame dialog;
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.close());
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.Answer(), -1);

    QTest::mouseClick(dialog.elboton1, Qt::LeftButton, {}, QPoint(20, 12));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.Answer(), 0);
}

QTEST_MAIN(TestChoiceDialogs)
#include "tst_choicedialogs.moc"
