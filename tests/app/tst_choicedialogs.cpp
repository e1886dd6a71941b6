#include "common/keys.h"
#include "controls/elboton.h"
#include "controls/elradio.h"
#include "lang/dialogs/thegame.h"
#include "lang/dialogs/thelang.h"

#include <QTest>

// The two start-up questions: always exactly one choice, answered from the mouse or the
// keyboard, no way out but Ok, and where they open.
class TestChoiceDialogs : public QObject {
    Q_OBJECT

private slots:
    // It opens in the middle of the screen (offscreen: 800 x 800, all available); Escape and
    // closing do nothing; a click on the checked radio keeps it checked; Ok answers.
    void mouseAndPlace()
    {
        TheGame dialog;
        dialog.show();
        QCOMPARE(dialog.frameGeometry(), QRect(253, 317, 293, 165));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.close() && dialog.isVisible());
        const QList<elradio *> radios = dialog.findChildren<elradio *>();
        for (int index : {1, 2, 2}) {
            QTest::mouseClick(radios[index], Qt::LeftButton, {}, QPoint(9, 9));
            for (int other = 0; other < radios.size(); ++other)
                QCOMPARE(radios[other]->Value(), other == index);
        }
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton, {}, QPoint(20, 12));
        QCOMPARE(dialog.Answer(), 2);
        QVERIFY(!dialog.isVisible());
    }

    // From the first radio, focused from the keyboard: Return or Enter on a radio answers, Tab
    // goes straight to Ok.
    void keyboardAnswers_data()
    {
        QTest::addColumn<bool>("game");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("answer");
        QTest::newRow("Lang: English") << false << "Tab Space" << 0;
        QTest::newRow("Lang: Espanol") << false << "Down Return" << 1;
        QTest::newRow("Game: Condition Zero") << true << "Down Enter" << 1;
        QTest::newRow("Game: round to Half-Life, then Ok") << true << "Up Tab Space" << 3;
    }
    void keyboardAnswers()
    {
        QFETCH(bool, game); QFETCH(QString, keys); QFETCH(int, answer);
        const std::unique_ptr<ChoiceDialog> dialog(game ? static_cast<ChoiceDialog *>(new TheGame) : new TheLang);
        dialog->show();
        focusFromKeyboard(dialog->findChild<elradio *>());
        PressKeys(keys);
        QCOMPARE(dialog->Answer(), answer);
    }
};

QTEST_MAIN(TestChoiceDialogs)
#include "tst_choicedialogs.moc"
