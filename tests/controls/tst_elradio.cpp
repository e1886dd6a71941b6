#include "controls/controltest.h"
#include "controls/elboton.h"
#include "controls/elradio.h"

#include <QSignalSpy>
#include <QtTest>

class TestElradio : public QObject
{
    Q_OBJECT

private slots:
    void clickTogglesBeforeClick();
    void valueAndOverStateRaiseNoClick();
    void arrowKeysMoveThroughTheGroup_data();
    void arrowKeysMoveThroughTheGroup();
    void tabMakesOneStopInAGroup_data();
    void tabMakesOneStopInAGroup();
};

void TestElradio::clickTogglesBeforeClick()
{
    elradio radio;
    radio.resize(181, 19);
    radio.show();
    QList<bool> seen;
    connect(&radio, &elradio::Click, this, [&] { seen.append(radio.Value()); });
    for (const bool on : {true, false}) {
        QTest::mouseClick(&radio, Qt::LeftButton, {}, QPoint(9, 9));
        QCOMPARE(seen.last(), on);
        QCOMPARE(radio.captionColor().value(), on ? 0x50B5C4u : 0xD3DED8u);
        QCOMPARE(shownAt(&radio, 9, 9), rgbOf(on ? 0x50B5C4 : 0x37463E));   // gold dot or empty disc
        QCOMPARE(shownAt(&radio, 9, 13), rgbOf(0x37463E));                   // the dot's radius is 3
    }
    QCOMPARE(seen.size(), 2);
    // The arcs are drawn aliased: each pixel in exactly its colour (the dark one black by default).
    QCOMPARE(shownAt(&radio, 15, 9), rgbOf(0x95AAA0));
    QCOMPARE(shownAt(&radio, 3, 9), 0u);
}

void TestElradio::valueAndOverStateRaiseNoClick()
{
    elradio radio;
    QSignalSpy click(&radio, &elradio::Click);
    radio.set_over_state();
    QCOMPARE(radio.captionColor().value(), 0xFF0000u);
    radio.set_normal_state();
    QCOMPARE(radio.captionColor().value(), 0xD3DED8u);
    radio.setValue(true);
    QCOMPARE(shownAt(&radio, 9, 9), rgbOf(0x50B5C4));
    radio.set_over_state();   // an on radio keeps its state colour
    QCOMPARE(radio.captionColor().value(), 0x50B5C4u);
    QCOMPARE(click.count(), 0);
}

void TestElradio::arrowKeysMoveThroughTheGroup_data()
{
    // Radios 0, 1 and 2 share one parent with a button placed between 1 and 2; radio 3 is alone
    // under another parent. The holder clears the other radios of a parent on each Click, as the
    // start-up dialogs do. clicks: the radios that raised Click, in order.
    QTest::addColumn<int>("start");      // focused from the keyboard
    QTest::addColumn<int>("checked");    // the radio on at first
    QTest::addColumn<int>("disabled");   // -1: none
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("focused");
    QTest::addColumn<QString>("on");
    QTest::addColumn<QString>("clicks");
    QTest::newRow("Down to the next") << 0 << 0 << -1 << "Down" << 1 << "1" << "1";
    QTest::newRow("Right to the next, past the button") << 1 << 1 << -1 << "Right" << 2 << "2" << "2";
    QTest::newRow("Up from the first round to the last") << 0 << 0 << -1 << "Up" << 2 << "2" << "2";
    QTest::newRow("Left to the previous") << 2 << 2 << -1 << "Left" << 1 << "1" << "1";
    QTest::newRow("Down from the last round to the first") << 2 << 2 << -1 << "Down" << 0 << "0" << "0";
    QTest::newRow("Down twice") << 0 << 0 << -1 << "Down Down" << 2 << "2" << "12";
    QTest::newRow("onto the radio already on") << 0 << 1 << -1 << "Down" << 1 << "1" << "";
    QTest::newRow("past a disabled radio") << 0 << 0 << 1 << "Down" << 2 << "2" << "2";
    QTest::newRow("a radio alone keeps the focus") << 3 << 3 << -1 << "Down Up" << 3 << "3" << "";
}

void TestElradio::arrowKeysMoveThroughTheGroup()
{
    QFETCH(int, start);
    QFETCH(int, checked);
    QFETCH(int, disabled);
    QFETCH(QString, keys);
    QFETCH(int, focused);
    QFETCH(QString, on);
    QFETCH(QString, clicks);
    QWidget window;
    auto *group = new QWidget(&window);
    auto *other = new QWidget(&window);
    other->move(0, 100);
    QList<elradio *> radios;
    for (int i = 0; i < 4; ++i) {
        if (i == 2)
            new elboton(group);
        auto *radio = new elradio(i < 3 ? group : other);
        radio->move(0, 20 * i);
        radio->setValue(i == checked);
        radio->setEnabled(i != disabled);
        radios.append(radio);
    }
    QString clicked;
    for (elradio *radio : radios) {
        connect(radio, &elradio::Click, this, [&, radio] {
            clicked += QString::number(radios.indexOf(radio));
            for (elradio *sibling : radios)
                if (sibling != radio && sibling->parentWidget() == radio->parentWidget())
                    sibling->setValue(false);
        });
    }
    window.show();
    focusFromKeyboard(radios[start]);
    QVERIFY(radios[start]->hasFocus());
    for (const QString &key : keys.split(' ')) {
        const Qt::Key code = key == "Up" ? Qt::Key_Up : key == "Down" ? Qt::Key_Down
            : key == "Left" ? Qt::Key_Left : Qt::Key_Right;
        QTest::keyClick(QApplication::focusWidget(), code);
    }
    QCOMPARE(QApplication::focusWidget(), radios[focused]);
    QString shownOn;
    for (int i = 0; i < radios.size(); ++i)
        if (radios[i]->Value())
            shownOn += QString::number(i);
    QCOMPARE(shownOn, on);
    QCOMPARE(clicked, clicks);
}

void TestElradio::tabMakesOneStopInAGroup_data()
{
    // A button, three radios under one parent, a button: widgets 0, 1..3, 4.
    QTest::addColumn<int>("checked");   // the radio on, 1..3; 0: none
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("back");     // Shift+Tab
    QTest::addColumn<int>("focused");
    QTest::newRow("into the group, on its radio that is on") << 2 << 0 << false << 2;
    QTest::newRow("out of the group") << 2 << 2 << false << 4;
    QTest::newRow("back into the group") << 2 << 4 << true << 2;
    QTest::newRow("back out of the group") << 2 << 2 << true << 0;
    QTest::newRow("out from the last radio") << 3 << 3 << false << 4;
    QTest::newRow("none on: the first radio") << 0 << 0 << false << 1;
    QTest::newRow("none on: each radio in turn") << 0 << 1 << false << 2;
}

void TestElradio::tabMakesOneStopInAGroup()
{
    QFETCH(int, checked);
    QFETCH(int, start);
    QFETCH(bool, back);
    QFETCH(int, focused);
    QWidget window;
    QList<QWidget *> widgets{new elboton(&window)};
    auto *group = new QWidget(&window);
    group->move(0, 30);
    for (int i = 1; i <= 3; ++i) {
        auto *radio = new elradio(group);
        radio->move(0, 20 * i);
        radio->setValue(i == checked);
        widgets.append(radio);
    }
    widgets.append(new elboton(&window));
    widgets.last()->move(0, 120);
    window.show();
    focusFromKeyboard(widgets[start]);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
    QCOMPARE(widgets.indexOf(QApplication::focusWidget()), focused);
}

QTEST_MAIN(TestElradio)
#include "tst_elradio.moc"
