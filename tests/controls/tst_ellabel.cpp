#include "controltest.h"
#include "ellabel.h"

#include <QFontMetrics>
#include <QSignalSpy>
#include <QtTest>

class TestEllabel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void onlyCaptionRaisesEvents_data();
    void onlyCaptionRaisesEvents();
    void doubleClickOnCaption();

private:
    ellabel *m_label = nullptr;
};

void TestEllabel::init()
{
    m_label = new ellabel;
    m_label->ReadProperties(PropertyStore());
    m_label->resize(200, 20);
    m_label->show();
}

void TestEllabel::cleanup()
{
    delete m_label;
}

void TestEllabel::onlyCaptionRaisesEvents_data()
{
    QTest::addColumn<int>("fromTop");
    QTest::addColumn<bool>("raises");
    QTest::newRow("strip above Label2") << -1 << false;
    QTest::newRow("Label2's first row") << 0 << true;
    QTest::newRow("Label2's last row") << 15 << true;
    QTest::newRow("strip below Label2") << 16 << false;
}

void TestEllabel::onlyCaptionRaisesEvents()
{
    QFETCH(int, fromTop);
    QFETCH(bool, raises);
    // LayoutCaption centres the 16-pixel Label2 in the 20-pixel label, rounding down.
    const int top = int(std::floor(10 - QFontMetrics(m_label->Font()).height() / 2.0));
    QVERIFY(top > 0);
    const int y = top + fromTop;
    QSignalSpy click(m_label, &ellabel::Click), down(m_label, &ellabel::MouseDown);
    QTest::mouseClick(m_label, Qt::LeftButton, {}, QPoint(150, y));
    QCOMPARE(click.count(), raises ? 1 : 0);
    QCOMPARE(down.count(), raises ? 1 : 0);
    if (raises)
        QCOMPARE(down.at(0).at(2).toFloat(), 150.0f);   // Label2 spans the whole width
}

void TestEllabel::doubleClickOnCaption()
{
    QSignalSpy dbl(m_label, &ellabel::DblClick);
    QTest::mouseDClick(m_label, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(dbl.count(), 1);
}

QTEST_MAIN(TestEllabel)
#include "tst_ellabel.moc"
