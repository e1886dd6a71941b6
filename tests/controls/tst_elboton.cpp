#include "controltest.h"
#include "elboton.h"

#include <QFontMetrics>
#include <QSignalSpy>
#include <QtTest>

class TestElboton : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void pressSwapsEdgesUntilRelease_data();
    void pressSwapsEdgesUntilRelease();
    void releaseOutsideRestoresWithoutClick();
    void rightPressChangesNothing();
    void disabledRaisesNothing();
    void moveOnlyOverCaption();
    void captionCentredVertically();
    void shadowStripTakesClicksOnlyWhileShown();
    void bottomLeftCornerShowsBody();

private:
    elboton *m_button = nullptr;
    int captionTop() const
    {
        return int(std::floor(12 - QFontMetrics(m_button->Font()).height() / 2.0));
    }
};

void TestElboton::init()
{
    m_button = new elboton;
    m_button->ReadProperties(PropertyStore());
    m_button->setColor3DDark(0x222E28u);
    m_button->resize(121, 24);
    m_button->show();
}

void TestElboton::cleanup()
{
    delete m_button;
}

void TestElboton::pressSwapsEdgesUntilRelease_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::newRow("on the caption") << QPoint(20, 12);
    QTest::newRow("on the surface") << QPoint(115, 20);
}

void TestElboton::pressSwapsEdgesUntilRelease()
{
    QFETCH(QPoint, at);
    QSignalSpy down(m_button, &elboton::MouseDown), up(m_button, &elboton::MouseUp),
        click(m_button, &elboton::Click);
    const QRgb light = rgbOf(0x95AAA0), dark = rgbOf(0x222E28);
    QTest::mousePress(m_button, Qt::LeftButton, Qt::ShiftModifier, at);
    QCOMPARE(shownAt(m_button, 60, 0), dark);
    QCOMPARE(shownAt(m_button, 120, 12), light);
    QCOMPARE(down.count(), 1);
    QCOMPARE(down.at(0).at(0).toInt(), 1);
    QCOMPARE(down.at(0).at(1).toInt(), 1);
    QCOMPARE(click.count(), 0);
    QTest::mouseRelease(m_button, Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(shownAt(m_button, 60, 0), light);
    QCOMPARE(shownAt(m_button, 120, 12), dark);
    QCOMPARE(up.count(), 1);
    QCOMPARE(click.count(), 1);
}

void TestElboton::releaseOutsideRestoresWithoutClick()
{
    QSignalSpy click(m_button, &elboton::Click), up(m_button, &elboton::MouseUp);
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(20, 12));
    QVERIFY(m_button->isPressedLook());
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(300, 80));
    QVERIFY(!m_button->isPressedLook());
    QCOMPARE(up.count(), 1);
    QCOMPARE(click.count(), 0);
}

void TestElboton::rightPressChangesNothing()
{
    QSignalSpy down(m_button, &elboton::MouseDown), click(m_button, &elboton::Click);
    const QImage before = m_button->grab().toImage();
    QTest::mousePress(m_button, Qt::RightButton, {}, QPoint(20, 12));
    QCOMPARE(m_button->grab().toImage(), before);
    QCOMPARE(down.count(), 1);
    QCOMPARE(down.at(0).at(0).toInt(), 2);
    QTest::mouseRelease(m_button, Qt::RightButton, {}, QPoint(20, 12));
    QCOMPARE(click.count(), 0);
}

void TestElboton::disabledRaisesNothing()
{
    m_button->setEnabled(false);
    QVERIFY(!m_button->Enabled());
    QSignalSpy down(m_button, &elboton::MouseDown), click(m_button, &elboton::Click);
    const QImage before = m_button->grab().toImage();
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(20, 12));
    QCOMPARE(m_button->grab().toImage(), before);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(20, 12));
    QCOMPARE(down.count() + click.count(), 0);
}

void TestElboton::moveOnlyOverCaption()
{
    QSignalSpy move(m_button, &elboton::MouseMove);
    sendMove(m_button, QPoint(2, 2));      // the margin between edge and caption
    sendMove(m_button, QPoint(118, 12));   // right of the caption
    QCOMPARE(move.count(), 0);
    const int top = captionTop();
    sendMove(m_button, QPoint(16, top + 4));
    QCOMPARE(move.count(), 1);
    QCOMPARE(move.at(0).at(2).toFloat(), 10.0f);   // caption starts 6 pixels (95 twips) in
    QCOMPARE(move.at(0).at(3).toFloat(), 4.0f);
}

void TestElboton::captionCentredVertically()
{
    QSignalSpy down(m_button, &elboton::MouseDown);
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(10, 12));
    QCOMPARE(down.at(0).at(2).toFloat(), 4.0f);
    QCOMPARE(down.at(0).at(3).toFloat(), float(12 - captionTop()));
}

void TestElboton::shadowStripTakesClicksOnlyWhileShown()
{
    // The row just below the caption label is covered only by shadow1.
    const QPoint strip(20, captionTop() + 16);
    QSignalSpy down(m_button, &elboton::MouseDown);
    m_button->setDropShadow(true);
    QTest::mousePress(m_button, Qt::LeftButton, {}, strip);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, strip);
    QCOMPARE(down.count(), 0);
    m_button->setDropShadow(false);
    QTest::mousePress(m_button, Qt::LeftButton, {}, strip);
    QCOMPARE(down.count(), 1);
    QCOMPARE(down.at(0).at(3).toFloat(), float(strip.y()));   // the surface took it
}

void TestElboton::bottomLeftCornerShowsBody()
{
    // The left edge stops above the bottom row and the bottom edge starts at x = 1.
    QCOMPARE(shownAt(m_button, 0, 23), rgbOf(0x44584C));
    QCOMPARE(shownAt(m_button, 0, 22), rgbOf(0x95AAA0));
    QCOMPARE(shownAt(m_button, 1, 23), rgbOf(0x222E28));
}

QTEST_MAIN(TestElboton)
#include "tst_elboton.moc"
