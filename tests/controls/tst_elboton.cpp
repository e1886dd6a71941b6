#include "common/keys.h"
#include "controls/controltest.h"

class TestElboton : public QObject
{
    Q_OBJECT

private slots:
    void pressesAndFocus_data()
    {
        // Button a, focused from the keyboard, then b in tab order. Steps: p:KEY / r:KEY press / release at the
        // focus (P:, R: as repeats), mp / mr a left press / release on a, or keys. clicks: a's Clicks at each step.
        columns<QString, QString, bool>("script", "clicks", "held");
        QTest::newRow("Space, Return, keypad Enter") << "p:Space r:Space p:Return r:Return p:Enter r:Enter" << "010101"
                                                     << false;
        QTest::newRow("Space held with repeats") << "p:Space R:Space P:Space R:Space P:Space" << "00000" << true;
        QTest::newRow("Space held across Tab") << "p:Space Tab Shift+Tab r:Space" << "0000" << false;
        QTest::newRow("Return held, Space released") << "p:Return r:Space r:Return" << "001" << false;
        QTest::newRow("mouse held across Tab") << "mp Tab mr" << "000" << false;
        QTest::newRow("mouse held, Space") << "mp p:Space r:Space mr" << "0011" << false;
    }

    void pressesAndFocus()
    {
        const auto [script, clicks, held] = fetch<QString, QString, bool>("script", "clicks", "held");
        QWidget window;
        auto *a = new elboton(&window);
        new elboton(&window);
        window.show();
        focusFromKeyboard(a);
        int clicked = 0;
        connect(a, &elboton::Click, this, [&] { ++clicked; });
        QString log;
        for (const QString &step : script.split(' ')) {
            if (step[1] == ':') {
                QKeyEvent key(step[0].toLower() == 'p' ? QEvent::KeyPress : QEvent::KeyRelease,
                              QKeySequence(step.mid(2))[0].key(), {}, {}, step[0].isUpper());
                QApplication::sendEvent(QApplication::focusWidget(), &key);
            } else if (step[0] == 'm') {
                QTest::mouseEvent(step == "mp" ? QTest::MousePress : QTest::MouseRelease, a, Qt::LeftButton, {},
                                  {20, 12});
            } else {
                PressKeys(step);
            }
            log += QString::number(std::exchange(clicked, 0));
        }
        QCOMPARE(log, clicks);
        // held down, the top edge shows the dark colour
        QCOMPARE(shownAt(a, 40, 0), held ? 0u : 0xA0AA95u);
    }
};

QTEST_MAIN(TestElboton)
#include "tst_elboton.moc"
