#include "controls/controltest.h"

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
    radio.show();
    QList<bool> seen;
    connect(&radio, &elradio::Click, this, [&] { seen.append(radio.Value()); });
    for (const bool on : {true, false}) {
        radio.set_over_state();   // an off radio shows the over colour, an on one keeps its own
        QCOMPARE(radio.captionColor().value(), on ? 0xFF0000u : 0x50B5C4u);
        QTest::mouseClick(&radio, Qt::LeftButton, {}, QPoint(9, 9));
        QCOMPARE(seen.last(), on);   // toggled before Click
        QCOMPARE(radio.captionColor().value(), on ? 0x50B5C4u : 0xD3DED8u);
        QCOMPARE(shownAt(&radio, 9, 9), on ? 0xC4B550u : 0x3E4637u);   // gold dot or empty disc
        QCOMPARE(shownAt(&radio, 9, 13), 0x3E4637u);                   // the dot's radius is 3
    }
    radio.setValue(true);   // raises no Click
    QCOMPARE(seen.size(), 2);
    QCOMPARE(shownAt(&radio, 15, 9), 0xA0AA95u);   // aliased arcs, each pixel exactly its colour
    QCOMPARE(shownAt(&radio, 3, 9), 0u);
}

void TestElradio::keyboardInAGroup_data()
{
    // In tab order: button 0; radios 1 and 2, button 3 and radio 4 under one parent; radio 5 alone. The
    // holder clears a parent's other radios on each Click. focused: after each key; clicks: radios that raised Click.
    columns<QString, int, int, QString, QString, QString, QString>(
        {"checked", "disabled", "start", "keys", "focused", "on", "clicks"});
    QTest::newRow("Tab: one stop on the radio that is on, and back")
        << "2" << -1 << 0 << "Tab Tab Tab Backtab Backtab Backtab" << "2 3 5 3 2 0" << "2" << "";
    QTest::newRow("Tab: none on, each radio a stop") << "" << -1 << 0 << "Tab Tab Tab Tab" << "1 2 3 4" << "" << "";
    QTest::newRow("Right, Right past the button, Down round to the first, Tab from there")
        << "1" << -1 << 1 << "Right Right Down Tab" << "2 4 1 3" << "1" << "241";
    QTest::newRow("Up round to the last, Left to the previous") << "1" << -1 << 1 << "Up Left" << "4 2" << "2" << "42";
    QTest::newRow("onto the radio already on") << "2" << -1 << 1 << "Down" << "2" << "2" << "";
    QTest::newRow("past a disabled radio") << "1" << 2 << 1 << "Down" << "4" << "4" << "4";
    QTest::newRow("a radio alone keeps the focus") << "5" << -1 << 5 << "Down Up" << "5 5" << "5" << "";
}

void TestElradio::keyboardInAGroup()
{
    const auto [checked, disabled, start, keys, focused, on, clicks] = fetch<QString, int, int, QString, QString,
        QString, QString>("checked", "disabled", "start", "keys", "focused", "on", "clicks");
    QWidget window;
    auto *group = new QWidget(&window), *alone = new QWidget(&window);
    QList<QWidget *> widgets{new elboton(&window)};
    QString clicked, shownOn;
    for (int i = 1; i <= 5; ++i) {
        QWidget *parent = i < 5 ? group : alone;
        widgets << (i == 3 ? static_cast<QWidget *>(new elboton(parent)) : new elradio(parent));
        widgets[i]->move(0, 25 * i);
        widgets[i]->setEnabled(i != disabled);
        if (auto *radio = qobject_cast<elradio *>(widgets[i])) {
            radio->setValue(checked.contains(QString::number(i)));
            connect(radio, &elradio::Click, this, [&clicked, i, radio] {
                clicked += QString::number(i);
                for (elradio *sibling : radio->parentWidget()->findChildren<elradio *>())
                    if (sibling != radio) sibling->setValue(false);
            });
        }
    }
    window.show();
    focusFromKeyboard(widgets[start]);
    QStringList trail;
    for (const QString &key : keys.split(' ')) {
        const Qt::Key code = key == "Up" ? Qt::Key_Up : key == "Down" ? Qt::Key_Down : key == "Left" ? Qt::Key_Left
            : key == "Right" ? Qt::Key_Right : Qt::Key_Tab;
        QTest::keyClick(QApplication::focusWidget(), code, key == "Backtab" ? Qt::ShiftModifier : Qt::NoModifier);
        trail << QString::number(widgets.indexOf(QApplication::focusWidget()));
    }
    QCOMPARE(trail.join(' '), focused);
    for (int i = 1; i <= 5; ++i)
        if (auto *radio = qobject_cast<elradio *>(widgets[i]); radio && radio->Value())
            shownOn += QString::number(i);
    QCOMPARE(shownOn, on);
    QCOMPARE(clicked, clicks);
}

QTEST_MAIN(TestElradio)
#include "tst_elradio.moc"
