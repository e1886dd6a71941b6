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
    void clicksKeepOneChoice_data()
    {
        QTest::addColumn<bool>("game");
        QTest::addColumn<QList<int>>("clicks");   // radio indices clicked in order
        QTest::addColumn<int>("answer");
        QTest::newRow("Lang: Espanol then English") << false << QList<int>{1, 0} << 0;
        QTest::newRow("Lang: none checked") << false << QList<int>{0} << 1;
        QTest::newRow("Game: Cz then Dod") << true << QList<int>{1, 2} << 2;
        QTest::newRow("Game: Cz on and off") << true << QList<int>{1, 1} << 3;
    }
    void clicksKeepOneChoice()
    {
        QFETCH(bool, game);
        QFETCH(QList<int>, clicks);
        QFETCH(int, answer);
        const std::unique_ptr<ChoiceDialog> dialog(game ? static_cast<ChoiceDialog *>(new TheGame)
                                                        : new TheLang);
        const QList<elradio *> radios = dialog->findChildren<elradio *>();
        for (int index : clicks) {
            QTest::mouseClick(radios[index], Qt::LeftButton, {}, QPoint(9, 9));
            for (int other = 0; other < radios.size(); ++other)
                QVERIFY(other == index || !radios[other]->Value());
        }
        QTest::mouseClick(dialog->elboton1, Qt::LeftButton, {}, QPoint(20, 12));
        QCOMPARE(dialog->Answer(), answer);
    }

    void onlyOkCloses()
    {
        TheGame dialog;
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.close());
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.Answer(), -1);
        QTest::mouseClick(dialog.elboton1, Qt::LeftButton, {}, QPoint(20, 12));
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(TestChoiceDialogs)
#include "tst_choicedialogs.moc"
