#include "controls/controltest.h"
#include "controls/elboton.h"
#include "controls/elradio.h"

#include <QSignalSpy>
#include <QtTest>

class TestElradio : public QObject
{
    Q_OBJECT

private slots:
    void indicatorAndCaptionColours();
    void keyboardInAGroup_data();
    void keyboardInAGroup();
};

void TestElradio::indicatorAndCaptionColours()
{
    elradio radio;
    radio.resize(181, 19);
    radio.show();
    QList<bool> seen;
    connect(&radio, &elradio::Click, this, [&] { seen.append(radio.Value()); });
    radio.set_over_state();
    QCOMPARE(radio.captionColor().value(), 0xFF0000u);
    for (const bool on : {true, false}) {
        QTest::mouseClick(&radio, Qt::LeftButton, {}, QPoint(9, 9));
        QCOMPARE(seen.last(), on);   // toggled before Click
        QCOMPARE(radio.captionColor().value(), on ? 0x50B5C4u : 0xD3DED8u);
        QCOMPARE(shownAt(&radio, 9, 9), rgbOf(on ? 0x50B5C4 : 0x37463E));   // gold dot or empty disc
        QCOMPARE(shownAt(&radio, 9, 13), rgbOf(0x37463E));                   // the dot's radius is 3
        radio.set_over_state();   // an on radio keeps its state colour
        QCOMPARE(radio.captionColor().value(), on ? 0x50B5C4u : 0xFF0000u);
        radio.set_normal_state();
    }
    QCOMPARE(radio.captionColor().value(), 0xD3DED8u);
    QCOMPARE(seen.size(), 2);
    radio.setValue(true);   // raises no Click
    QCOMPARE(seen.size(), 2);
    QCOMPARE(shownAt(&radio, 9, 9), rgbOf(0x50B5C4));
    // The arcs are drawn aliased: each pixel in exactly its colour (the dark one black by default).
    QCOMPARE(shownAt(&radio, 15, 9), rgbOf(0x95AAA0));
    QCOMPARE(shownAt(&radio, 3, 9), 0u);
}

void TestElradio::keyboardInAGroup_data()
{
    // In tab order: button 0; radios 1 and 2, button 3 and radio 4 under one parent; radio 5 alone under
    // another. The holder clears a parent's other radios on each Click, as the start-up dialogs do.
    // focused: the widget focused after each key; clicks: the radios that raised Click, in order.
    columns<QString, int, int, QString, QString, QString, QString>(
        {"checked", "disabled", "start", "keys", "focused", "on", "clicks"});
    QTest::newRow("Tab: one stop on the radio that is on, and back")
        << "2" << -1 << 0 << "Tab Tab Tab Backtab Backtab Backtab" << "2 3 5 3 2 0" << "2" << "";
    QTest::newRow("Tab: none on, each radio a stop") << "" << -1 << 0 << "Tab Tab Tab Tab" << "1 2 3 4" << "" << "";
    QTest::newRow("Tab out from the last radio") << "4" << -1 << 0 << "Tab Tab Tab" << "3 4 5" << "4" << "";
    QTest::newRow("Right, Right past the button, Down round to the first, Tab from there")
        << "1" << -1 << 1 << "Right Right Down Tab" << "2 4 1 3" << "1" << "241";
    QTest::newRow("Up round to the last, Left to the previous") << "1" << -1 << 1 << "Up Left" << "4 2" << "2" << "42";
    QTest::newRow("onto the radio already on") << "2" << -1 << 1 << "Down" << "2" << "2" << "";
    QTest::newRow("past a disabled radio") << "1" << 2 << 1 << "Down" << "4" << "4" << "4";
    QTest::newRow("a radio alone keeps the focus") << "5" << -1 << 5 << "Down Up" << "5 5" << "5" << "";
}

void TestElradio::keyboardInAGroup()
{
    const auto [checked, disabled, start, keys, focused, on, clicks] =
        fetch<QString, int, int, QString, QString, QString, QString>(
            "checked", "disabled", "start", "keys", "focused", "on", "clicks");
    QWidget window;
    auto *group = new QWidget(&window);
    auto *other = new QWidget(&window);
    group->move(0, 30);
    other->move(0, 150);
    QList<QWidget *> widgets{new elboton(&window)};
    for (int i = 1; i <= 5; ++i) {
        QWidget *parent = i < 5 ? group : other;
        QWidget *widget = i == 3 ? static_cast<QWidget *>(new elboton(parent)) : new elradio(parent);
        widget->move(0, i < 5 ? 25 * i : 0);
        widget->setEnabled(i != disabled);
        widgets.append(widget);
    }
    QString clicked;
    for (QWidget *widget : widgets) {
        auto *radio = qobject_cast<elradio *>(widget);
        if (!radio)
            continue;
        radio->setValue(checked.contains(QString::number(widgets.indexOf(widget))));
        connect(radio, &elradio::Click, this, [&, radio] {
            clicked += QString::number(widgets.indexOf(radio));
            for (elradio *sibling : radio->parentWidget()->findChildren<elradio *>())
                if (sibling != radio)
                    sibling->setValue(false);
        });
    }
    window.show();
    focusFromKeyboard(widgets[start]);
    QVERIFY(widgets[start]->hasFocus());
    QStringList trail;
    for (const QString &key : keys.split(' ')) {
        const Qt::Key code = key == "Up" ? Qt::Key_Up : key == "Down" ? Qt::Key_Down : key == "Left" ? Qt::Key_Left
            : key == "Right" ? Qt::Key_Right : Qt::Key_Tab;
        QTest::keyClick(QApplication::focusWidget(), code, key == "Backtab" ? Qt::ShiftModifier : Qt::NoModifier);
        trail << QString::number(widgets.indexOf(QApplication::focusWidget()));
    }
    QCOMPARE(trail.join(' '), focused);
    QString shownOn;
    for (int i = 0; i < widgets.size(); ++i)
        if (auto *radio = qobject_cast<elradio *>(widgets[i]); radio && radio->Value())
            shownOn += QString::number(i);
    QCOMPARE(shownOn, on);
    QCOMPARE(clicked, clicks);
}

QTEST_MAIN(TestElradio)
#include "tst_elradio.moc"
