#include "controltest.h"
#include "elpanel.h"

#include <QSignalSpy>
#include <QtTest>

class TestElpanel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void geometryFollowsWidth_data();
    void geometryFollowsWidth();
    void closeBoxClick();
    void closeBoxPressMovedAwayRestoresWithoutClick();
    void closeBoxIgnoresRightButton();
    void noCloseClickWithoutCerrar();
    void titleEventsRelativeToTitle();
    void shadowAndIconRaiseOnlyTheirOwn();
    void closeBoxCapturesItsPartToo();

private:
    QPoint closeCentre() const { return m_panel->closeBoxGeometry().center(); }
    elpanel *m_panel = nullptr;
};

void TestElpanel::init()
{
    m_panel = new elpanel;
    m_panel->ReadProperties(PropertyStore());
    m_panel->resize(300, 200);
    m_panel->show();
}

void TestElpanel::cleanup()
{
    delete m_panel;
}

void TestElpanel::geometryFollowsWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("300") << 300;
    QTest::newRow("827") << 827;
}

void TestElpanel::geometryFollowsWidth()
{
    QFETCH(int, width);
    m_panel->setCerrar(false);
    m_panel->setIcon(false);
    m_panel->resize(width, 150);
    QCOMPARE(m_panel->closeBoxGeometry(), QRect(width - 26, 8, 18, 18));
    QCOMPARE(m_panel->titleGeometry(), QRect(30, 9, width - 55, 18));   // hidden boxes move nothing
}

void TestElpanel::closeBoxClick()
{
    QSignalSpy close(m_panel, &elpanel::CloseClick), down(m_panel, &elpanel::MouseDown);
    const QPoint boxLeftTop = m_panel->closeBoxGeometry().topLeft();
    QTest::mousePress(m_panel, Qt::LeftButton, {}, closeCentre());
    QVERIFY(m_panel->isClosePressedLook());
    QCOMPARE(shownAt(m_panel, boxLeftTop.x(), boxLeftTop.y() + 9), shownAt(m_panel, 299, 100));   // sunken: dark left
    QTest::mouseRelease(m_panel, Qt::LeftButton, {}, closeCentre());
    QVERIFY(!m_panel->isClosePressedLook());
    QCOMPARE(shownAt(m_panel, boxLeftTop.x(), boxLeftTop.y() + 9), rgbOf(0x95AAA0));
    QCOMPARE(close.count(), 1);
    QCOMPARE(down.count(), 0);
}

void TestElpanel::closeBoxPressMovedAwayRestoresWithoutClick()
{
    QSignalSpy close(m_panel, &elpanel::CloseClick);
    QTest::mousePress(m_panel, Qt::LeftButton, {}, closeCentre());
    sendMove(m_panel, QPoint(100, 100), Qt::LeftButton);
    QTest::mouseRelease(m_panel, Qt::LeftButton, {}, QPoint(100, 100));
    QVERIFY(!m_panel->isClosePressedLook());
    QCOMPARE(close.count(), 0);
}

void TestElpanel::closeBoxIgnoresRightButton()
{
    QTest::mousePress(m_panel, Qt::RightButton, {}, closeCentre());
    QVERIFY(!m_panel->isClosePressedLook());
    QTest::mouseRelease(m_panel, Qt::RightButton, {}, closeCentre());
}

void TestElpanel::noCloseClickWithoutCerrar()
{
    QSignalSpy close(m_panel, &elpanel::CloseClick);
    m_panel->setCerrar(false);
    QCOMPARE(shownAt(m_panel, m_panel->closeBoxGeometry().x(), 15), rgbOf(0x44584C));
    QTest::mouseClick(m_panel, Qt::LeftButton, {}, closeCentre());
    QCOMPARE(close.count(), 0);
}

void TestElpanel::titleEventsRelativeToTitle()
{
    QSignalSpy down(m_panel, &elpanel::TitleMouseDown), move(m_panel, &elpanel::TitleMouseMove),
        up(m_panel, &elpanel::TitleMouseUp), surfaceMove(m_panel, &elpanel::MouseMove),
        click(m_panel, &elpanel::Click);
    QTest::mousePress(m_panel, Qt::LeftButton, Qt::ControlModifier, QPoint(40, 15));
    QCOMPARE(down.count(), 1);
    QCOMPARE(down.at(0).at(1).toInt(), 2);
    QCOMPARE(down.at(0).at(2).toFloat(), 10.0f);
    QCOMPARE(down.at(0).at(3).toFloat(), 6.0f);
    // A drag stays with the title even when the pointer runs ahead of it.
    sendMove(m_panel, QPoint(150, 120), Qt::LeftButton);
    QCOMPARE(move.count(), 1);
    QCOMPARE(move.at(0).at(0).toInt(), 1);
    QCOMPARE(move.at(0).at(2).toFloat(), 120.0f);
    QCOMPARE(surfaceMove.count(), 0);
    QTest::mouseRelease(m_panel, Qt::LeftButton, {}, QPoint(150, 120));
    QCOMPARE(up.count(), 1);
    QCOMPARE(click.count(), 0);
    QTest::mouseClick(m_panel, Qt::LeftButton, {}, QPoint(40, 15));
    QCOMPARE(click.count(), 1);
}

void TestElpanel::shadowAndIconRaiseOnlyTheirOwn()
{
    QSignalSpy anyDown(m_panel, &elpanel::MouseDown), titleDown(m_panel, &elpanel::TitleMouseDown),
        iconDown(m_panel, &elpanel::IconMouseDown), click(m_panel, &elpanel::Click);
    m_panel->setDropShadow(true);
    QTest::mouseClick(m_panel, Qt::LeftButton, {}, QPoint(100, 27));   // shadow1's bottom row
    QCOMPARE(anyDown.count() + titleDown.count() + click.count(), 0);
    QTest::mouseClick(m_panel, Qt::LeftButton, {}, QPoint(12, 14));
    QCOMPARE(iconDown.count(), 1);
    QCOMPARE(iconDown.at(0).at(2).toFloat(), 3.0f);
    QCOMPARE(click.count(), 0);
}

void TestElpanel::closeBoxCapturesItsPartToo()
{
    QImage source(400, 300, QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.setPixel(x, y, qRgb(x % 256, y % 256, 9));
    QVERIFY(m_panel->obtener_imagen_fondo(source, 3, 4, 255));
    // Panel and close box show the picture seamlessly: panel pixel p shows source (3, 4) + p - (1, 1).
    const QPoint box = m_panel->closeBoxGeometry().topLeft();
    for (const QPoint inBox : {QPoint(1, 1), QPoint(16, 16), QPoint(3, 12)}) {
        const QPoint p = box + inBox;
        QCOMPARE(shownAt(m_panel, p.x(), p.y()), source.pixel(p + QPoint(2, 3)) & 0xFFFFFF);
    }
}

QTEST_MAIN(TestElpanel)
#include "tst_elpanel.moc"
