#include "controltest.h"
#include "elradio.h"

#include <QSignalSpy>
#include <QtTest>

class TestElradio : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void newRadioIsOff();
    void clickTogglesBeforeClick_data();
    void clickTogglesBeforeClick();
    void settingValueRaisesNoClick();
    void overStateOnlyWhenOff();
    void mouseEventsOnlyFromCaption();

private:
    elradio *m_radio = nullptr;
};

void TestElradio::init()
{
    m_radio = new elradio;
    m_radio->ReadProperties(PropertyStore());
    m_radio->resize(181, 19);
    m_radio->show();
}

void TestElradio::cleanup()
{
    delete m_radio;
}

void TestElradio::newRadioIsOff()
{
    QVERIFY(!m_radio->Value());
    QCOMPARE(m_radio->captionColor().value(), 0xD3DED8u);
    QCOMPARE(m_radio->Caption(), QString("Caption"));
    QCOMPARE(shownAt(m_radio, 9, 9), rgbOf(0x37463E));   // empty disc
}

void TestElradio::clickTogglesBeforeClick_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::newRow("indicator") << QPoint(9, 9);
    QTest::newRow("caption") << QPoint(60, 9);
}

void TestElradio::clickTogglesBeforeClick()
{
    QFETCH(QPoint, at);
    QList<bool> seen;
    connect(m_radio, &elradio::Click, this, [&] { seen.append(m_radio->Value()); });
    QTest::mouseClick(m_radio, Qt::LeftButton, {}, at);
    QCOMPARE(seen, QList<bool>{true});
    QCOMPARE(m_radio->captionColor().value(), 0x50B5C4u);
    QCOMPARE(shownAt(m_radio, 9, 9), rgbOf(0x50B5C4));    // the gold dot
    QCOMPARE(shownAt(m_radio, 9, 13), rgbOf(0x37463E));   // radius 3: the disc shows around it
    QTest::mouseClick(m_radio, Qt::LeftButton, {}, at);
    QCOMPARE(seen, (QList<bool>{true, false}));
    QCOMPARE(shownAt(m_radio, 9, 9), rgbOf(0x37463E));
    QTest::mouseClick(m_radio, Qt::RightButton, {}, at);
    QCOMPARE(seen.size(), 2);
}

void TestElradio::settingValueRaisesNoClick()
{
    QSignalSpy click(m_radio, &elradio::Click);
    m_radio->setValue(true);
    QCOMPARE(click.count(), 0);
    QCOMPARE(shownAt(m_radio, 9, 9), rgbOf(0x50B5C4));
}

void TestElradio::overStateOnlyWhenOff()
{
    m_radio->set_over_state();
    QCOMPARE(m_radio->captionColor().value(), 0xFF0000u);
    m_radio->set_normal_state();
    QCOMPARE(m_radio->captionColor().value(), 0xD3DED8u);
    m_radio->setValue(true);
    m_radio->set_over_state();
    QCOMPARE(m_radio->captionColor().value(), 0x50B5C4u);
}

void TestElradio::mouseEventsOnlyFromCaption()
{
    QSignalSpy down(m_radio, &elradio::MouseDown), move(m_radio, &elradio::MouseMove);
    QTest::mousePress(m_radio, Qt::LeftButton, {}, QPoint(9, 9));
    QTest::mouseRelease(m_radio, Qt::LeftButton, {}, QPoint(9, 9));
    sendMove(m_radio, QPoint(22, 9));   // bare surface between indicator and caption
    QCOMPARE(down.count() + move.count(), 0);
    QTest::mousePress(m_radio, Qt::LeftButton, {}, QPoint(38, 9));
    QCOMPARE(down.count(), 1);
    QCOMPARE(down.at(0).at(2).toFloat(), 10.0f);   // the caption starts at x = 28
}

QTEST_MAIN(TestElradio)
#include "tst_elradio.moc"
