#include "controltest.h"
#include "elcombo.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QtTest>

class TestElcombo : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void addingSelectsNothing();
    void setListIndex_data();
    void setListIndex();
    void clearAndRemove();
    void inertListOperations();
    void symbolOverState();
    void userPickRaisesClick();

private:
    elcombo *m_combo = nullptr;
};

void TestElcombo::init()
{
    m_combo = new elcombo;
    m_combo->ReadProperties(PropertyStore());
    m_combo->resize(145, 20);
    for (const char *entry : {"640x480", "800x600", "1024x768", "1280x1024"})
        m_combo->AddItem(QString::fromLatin1(entry));
}

void TestElcombo::cleanup()
{
    delete m_combo;
}

void TestElcombo::addingSelectsNothing()
{
    QCOMPARE(m_combo->ListCount(), 4);
    QCOMPARE(m_combo->GetListIndex(), -1);
}

void TestElcombo::setListIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("clicks");
    QTest::newRow("last") << 3 << 3 << 1;
    QTest::newRow("first") << 0 << 0 << 1;
    QTest::newRow("past the end") << 4 << -1 << 0;
    QTest::newRow("negative") << -1 << -1 << 0;
}

void TestElcombo::setListIndex()
{
    QFETCH(int, index);
    QFETCH(int, selected);
    QFETCH(int, clicks);
    QSignalSpy click(m_combo, &elcombo::Click);
    m_combo->SetListIndex(index);
    QCOMPARE(m_combo->GetListIndex(), selected);
    QCOMPARE(click.count(), clicks);
}

void TestElcombo::clearAndRemove()
{
    m_combo->SetListIndex(1);
    m_combo->RemoveItem(0);
    QCOMPARE(m_combo->GetListIndex(), 0);   // still "800x600"
    m_combo->RemoveItem(0);
    QCOMPARE(m_combo->GetListIndex(), -1);  // the selected entry is gone
    m_combo->RemoveItem(2);
    QCOMPARE(m_combo->ListCount(), 2);
    m_combo->Clear();
    QSignalSpy click(m_combo, &elcombo::Click);
    QCOMPARE(m_combo->ListCount(), 0);
    m_combo->SetListIndex(0);
    m_combo->RemoveItem(0);
    QCOMPARE(m_combo->GetListIndex(), -1);
    QCOMPARE(click.count(), 0);
    m_combo->AddItem("only");
    m_combo->RemoveItem(0);
    QCOMPARE(m_combo->ListCount(), 0);
}

void TestElcombo::inertListOperations()
{
    m_combo->SetList(1, "changed");
    QCOMPARE(m_combo->GetList(1), QString());
    QCOMPARE(m_combo->ListCount(), 4);
    m_combo->SetListIndex(1);
    QCOMPARE(m_combo->innerList()->currentText(), QString("800x600"));
}

void TestElcombo::symbolOverState()
{
    m_combo->set_over_state();
    QCOMPARE(m_combo->shownSymbolColor().value(), 0x95AAA0u);
    m_combo->setSymbolOverColor(0xFFFFFFu);
    m_combo->set_over_state();
    QCOMPARE(m_combo->shownSymbolColor().value(), 0xFFFFFFu);
    m_combo->set_normal_state();
    QCOMPARE(m_combo->shownSymbolColor().value(), 0x95AAA0u);
}

void TestElcombo::userPickRaisesClick()
{
    QSignalSpy click(m_combo, &elcombo::Click);
    m_combo->show();
    QTest::keyClick(m_combo->innerList(), Qt::Key_Down);
    QCOMPARE(click.count(), 1);
    QCOMPARE(m_combo->GetListIndex(), 0);
}

QTEST_MAIN(TestElcombo)
#include "tst_elcombo.moc"
