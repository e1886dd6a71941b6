#include "controls/controltest.h"
#include "lang/dialogs/thegame.h"
#include "lang/dialogs/thelang.h"

#include <QScreen>
#include <QTest>

namespace {

std::unique_ptr<ChoiceDialog> makeDialog(bool game)
{
    return std::unique_ptr<ChoiceDialog>(game ? static_cast<ChoiceDialog *>(new TheGame) : new TheLang);
}

} // namespace

// The two start-up questions: always exactly one choice, answered from the mouse or the
// keyboard, no way out but Ok, and where they open.
class TestChoiceDialogs : public QObject {
    Q_OBJECT

private slots:
    void clicksKeepOneChoice_data()
    {
        QTest::addColumn<bool>("game");
        QTest::addColumn<QList<int>>("clicks");   // radio indices clicked in order
        QTest::addColumn<int>("answer");
        QTest::newRow("Lang: Espanol then English") << false << QList<int>{1, 0} << 0;
        QTest::newRow("Lang: the checked English") << false << QList<int>{0} << 0;
        QTest::newRow("Lang: Espanol twice") << false << QList<int>{1, 1} << 1;
        QTest::newRow("Game: Cz then Dod") << true << QList<int>{1, 2} << 2;
        QTest::newRow("Game: the checked Counter Strike") << true << QList<int>{0} << 0;
        QTest::newRow("Game: Cz twice") << true << QList<int>{1, 1} << 1;
    }
    void clicksKeepOneChoice()
    {
        QFETCH(bool, game);
        QFETCH(QList<int>, clicks);
        QFETCH(int, answer);
        const std::unique_ptr<ChoiceDialog> dialog = makeDialog(game);
        const QList<elradio *> radios = dialog->findChildren<elradio *>();
        for (int index : clicks) {
            QTest::mouseClick(radios[index], Qt::LeftButton, {}, QPoint(9, 9));
            for (int other = 0; other < radios.size(); ++other)
                QCOMPARE(radios[other]->Value(), other == index);
        }
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton, {}, QPoint(20, 12));
        QCOMPARE(dialog->Answer(), answer);
    }

    void keyboardAnswers_data()
    {
        // Keys go to whichever control has the focus: p:KEY / r:KEY press / release, tab, and
        // Up/Down clicked. answer -1: the dialog is still open.
        QTest::addColumn<bool>("game");
        QTest::addColumn<int>("start");   // the radio focused from the keyboard
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("answer");
        QTest::newRow("Lang: Down to Espanol, Tab, Return") << false << 0 << "Down tab p:Return r:Return" << 1;
        QTest::newRow("Game: Down to Condition Zero, Return on it") << true << 0 << "Down p:Return" << 1;
        QTest::newRow("Lang: Space on the checked English, Tab straight to Ok, Space")
            << false << 0 << "p:Space r:Space tab p:Space r:Space" << 0;
        QTest::newRow("Game: Down to Condition Zero, Tab straight to Ok, Enter")
            << true << 0 << "Down tab p:Enter r:Enter" << 1;
        QTest::newRow("Game: Up round to Half-Life DeathMatch, Tab, Enter")
            << true << 0 << "Up tab p:Enter r:Enter" << 3;
        QTest::newRow("Game: Space held on a radio across Tab to Ok") << true << 3 << "p:Space tab r:Space" << -1;
    }
    void keyboardAnswers()
    {
        QFETCH(bool, game);
        QFETCH(int, start);
        QFETCH(QString, keys);
        QFETCH(int, answer);
        const std::unique_ptr<ChoiceDialog> dialog = makeDialog(game);
        const QList<elradio *> radios = dialog->findChildren<elradio *>();
        dialog->show();
        focusFromKeyboard(radios[start]);
        QVERIFY(radios[start]->hasFocus());
        for (const QString &step : keys.split(' ')) {
            QWidget *focused = QApplication::focusWidget();
            QVERIFY(focused);
            const QString name = step.section(':', -1);
            const Qt::Key key = name == "Space" ? Qt::Key_Space : name == "Return" ? Qt::Key_Return
                : name == "Enter" ? Qt::Key_Enter : name == "Up" ? Qt::Key_Up
                : name == "Down" ? Qt::Key_Down : Qt::Key_Tab;
            if (step.startsWith("p:"))
                QTest::keyPress(focused, key);
            else if (step.startsWith("r:"))
                QTest::keyRelease(focused, key);
            else
                QTest::keyClick(focused, key);
        }
        QCOMPARE(dialog->Answer(), answer);
        QCOMPARE(dialog->isVisible(), answer < 0);
    }

    // The offscreen screen is 800 x 800 pixels, all of it available.
    void opensInTheMiddleOfTheScreen_data()
    {
        QTest::addColumn<bool>("game"); QTest::addColumn<QRect>("geometry");
        QTest::newRow("Lang, 293 x 132") << false << QRect(253, 334, 293, 132);
        QTest::newRow("Game, 293 x 165") << true << QRect(253, 317, 293, 165);
    }
    void opensInTheMiddleOfTheScreen()
    {
        QFETCH(bool, game);
        QFETCH(QRect, geometry);
        QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 800, 800));
        const std::unique_ptr<ChoiceDialog> dialog = makeDialog(game);
        dialog->show();
        QCOMPARE(dialog->frameGeometry(), geometry);
        QCOMPARE(dialog->geometry(), geometry);
    }

    void onlyOkCloses()
    {
        TheGame dialog;
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.close());
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.Answer(), -1);
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton, {}, QPoint(20, 12));
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(TestChoiceDialogs)
#include "tst_choicedialogs.moc"
