// The button from the keyboard, and presses that the focus leaves behind: two buttons a and b
// in one window, a focused from the keyboard at first.

#include "controls/controltest.h"
#include "controls/elboton.h"

#include <QKeyEvent>
#include <QSignalSpy>
#include <QtTest>

class TestElboton : public QObject
{
    Q_OBJECT

private slots:
    void pressesAndFocus_data();
    void pressesAndFocus();
};

void TestElboton::pressesAndFocus_data()
{
    // Steps: p:KEY / r:KEY press / release a key on the focused button (P:KEY, R:KEY as
    // auto-repeats), tab / backtab, mp / mr a left press / release at (20, 12) of button a.
    // clicks: which buttons raised Click at each step ("-": none); held: the buttons shown
    // pressed at the end.
    columns<QString, QString, QString>({"script", "clicks", "held"});
    QTest::newRow("Space, Return, keypad Enter") << "p:Space r:Space p:Return r:Return p:Enter r:Enter"
                                                 << "- a - a - a" << "";
    // Repeats neither click nor let go; the key still held shows the button down.
    QTest::newRow("Space held with repeats") << "p:Space R:Space P:Space R:Space P:Space" << "- - - - -" << "a";
    QTest::newRow("Space held across Tab and back") << "p:Space tab backtab r:Space" << "- - - -" << "";
    QTest::newRow("Return held, Space released") << "p:Return r:Space r:Return" << "- - a" << "";
    QTest::newRow("mouse held across Tab") << "mp tab mr" << "- - -" << "";
    QTest::newRow("mouse held, Space pressed and released") << "mp p:Space r:Space mr" << "- - a a" << "";
}

void TestElboton::pressesAndFocus()
{
    const auto [script, clicks, held] = fetch<QString, QString, QString>("script", "clicks", "held");
    QWidget window;
    auto *a = new elboton(&window);
    auto *b = new elboton(&window);
    a->setGeometry(10, 10, 80, 24);
    b->setGeometry(10, 40, 80, 24);
    window.show();
    focusFromKeyboard(a);
    QVERIFY(a->hasFocus());
    QString clicked;
    connect(a, &elboton::Click, this, [&] { clicked += 'a'; });
    connect(b, &elboton::Click, this, [&] { clicked += 'b'; });
    QStringList log;
    for (const QString &step : script.split(' ')) {
        QWidget *focused = QApplication::focusWidget();
        QVERIFY(focused == a || focused == b);
        const QString keyName = step.section(':', 1);
        const int key = keyName == "Space" ? Qt::Key_Space : keyName == "Return" ? Qt::Key_Return : Qt::Key_Enter;
        if (step.startsWith("p:"))
            QTest::keyPress(focused, Qt::Key(key));
        if (step.startsWith("r:"))
            QTest::keyRelease(focused, Qt::Key(key));
        if (step.startsWith("P:") || step.startsWith("R:")) {
            QKeyEvent repeat(step[0] == 'P' ? QEvent::KeyPress : QEvent::KeyRelease, key, {}, QString(), true);
            QApplication::sendEvent(focused, &repeat);
        }
        if (step == "tab" || step == "backtab")
            QTest::keyClick(focused, Qt::Key_Tab, step == "tab" ? Qt::NoModifier : Qt::ShiftModifier);
        if (step == "mp")
            QTest::mousePress(a, Qt::LeftButton, {}, QPoint(20, 12));
        if (step == "mr")
            QTest::mouseRelease(a, Qt::LeftButton, {}, QPoint(20, 12));
        log << (clicked.isEmpty() ? QStringLiteral("-") : std::exchange(clicked, {}));
    }
    QCOMPARE(log.join(' '), clicks);
    // A button held down shows its top edge in the dark colour (black), a raised one in the light.
    for (elboton *button : {a, b}) {
        const bool down = held.contains(button == a ? 'a' : 'b');
        QCOMPARE(button->isPressedLook(), down);
        QCOMPARE(shownAt(button, 40, 0), down ? 0u : rgbOf(0x95AAA0));
    }
}

QTEST_MAIN(TestElboton)
#include "tst_elboton.moc"
