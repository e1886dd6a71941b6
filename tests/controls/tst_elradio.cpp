#include "controltest.h"
#include "elradio.h"

#include <QSignalSpy>
#include <QtTest>

class TestElradio : public QObject
{
    Q_OBJECT

private slots:
    void clickTogglesBeforeClick();
    void valueAndOverStateRaiseNoClick();
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

QTEST_MAIN(TestElradio)
#include "tst_elradio.moc"
