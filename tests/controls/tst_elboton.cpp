#include "controls/controltest.h"

#include <QKeyEvent>
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
    // Buttons a and b, a focused from the keyboard. Steps: p:KEY / r:KEY press / release on the focused
    // button (P:, R: as repeats), tab / backtab, mp / mr a left press / release on a. clicks: who raised
    // Click at each step; held: the buttons shown pressed at the end.
    columns<QString, QString, QString>({"script", "clicks", "held"});
    QTest::newRow("Space, Return, keypad Enter") << "p:Space r:Space p:Return r:Return p:Enter r:Enter"
                                                 << "- a - a - a" << "";
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
    auto *a = new elboton(&window), *b = new elboton(&window);
    b->move(0, 40);
    window.show();
    focusFromKeyboard(a);
    QString clicked;
    connect(a, &elboton::Click, this, [&] { clicked += 'a'; });
    connect(b, &elboton::Click, this, [&] { clicked += 'b'; });
    QStringList log;
    for (const QString &step : script.split(' ')) {
        QWidget *focused = QApplication::focusWidget();
        const QString key = step.section(':', 1);
        if (!key.isEmpty()) {
            QKeyEvent event(step[0].toLower() == 'p' ? QEvent::KeyPress : QEvent::KeyRelease,
                            key == "Space" ? Qt::Key_Space : key == "Return" ? Qt::Key_Return : Qt::Key_Enter, {},
                            QString(), step[0].isUpper());
            QApplication::sendEvent(focused, &event);
        }
        if (step.endsWith("tab"))
            QTest::keyClick(focused, Qt::Key_Tab, step == "tab" ? Qt::NoModifier : Qt::ShiftModifier);
        if (step == "mp")
            QTest::mousePress(a, Qt::LeftButton, {}, QPoint(20, 12));
        if (step == "mr")
            QTest::mouseRelease(a, Qt::LeftButton, {}, QPoint(20, 12));
        log << (clicked.isEmpty() ? QStringLiteral("-") : std::exchange(clicked, {}));
    }
    QCOMPARE(log.join(' '), clicks);
    for (elboton *button : {a, b}) {   // held down, the top edge shows the dark colour
        const bool down = held.contains(button == a ? 'a' : 'b');
        QCOMPARE(button->isPressedLook(), down);
        QCOMPARE(shownAt(button, 40, 0), down ? 0u : 0xA0AA95u);
    }
}

QTEST_MAIN(TestElboton)
#include "tst_elboton.moc"
