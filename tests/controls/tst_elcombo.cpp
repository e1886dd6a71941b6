#include "elcombo.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QtTest>

class TestElcombo : public QObject
{
    Q_OBJECT

private slots:
    void listOperations_data();
    void listOperations();
};

void TestElcombo::listOperations_data()
{
    // Operations on a list of four resolutions with nothing selected.
    QTest::addColumn<QString>("operations");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("clicks");
    QTest::newRow("select last") << "set:3" << 3 << "1280x1024" << 4 << 1;
    QTest::newRow("select past the end") << "set:4" << -1 << "" << 4 << 0;
    QTest::newRow("select -1") << "set:-1" << -1 << "" << 4 << 0;
    QTest::newRow("cleared list") << "clear set:0 remove:0" << -1 << "" << 0 << 0;
    QTest::newRow("remove before the selection") << "set:1 remove:0" << 0 << "800x600" << 3 << 1;
    QTest::newRow("remove the selection") << "set:1 remove:1" << -1 << "" << 3 << 1;
    QTest::newRow("remove out of range") << "remove:4 remove:-1" << -1 << "" << 4 << 0;
    QTest::newRow("add after clear") << "clear add:only set:0" << 0 << "only" << 1 << 1;
    QTest::newRow("SetList changes nothing") << "set:1 setlist:1" << 1 << "800x600" << 4 << 1;
    QTest::newRow("the user picks by keyboard") << "down" << 0 << "640x480" << 4 << 1;
}

void TestElcombo::listOperations()
{
    QFETCH(QString, operations);
    QFETCH(int, index);
    QFETCH(QString, shown);
    QFETCH(int, count);
    QFETCH(int, clicks);
    elcombo combo;
    combo.show();
    for (const char *entry : {"640x480", "800x600", "1024x768", "1280x1024"})
        combo.AddItem(QString::fromLatin1(entry));
    QCOMPARE(combo.GetListIndex(), -1);   // adding selects nothing
    QSignalSpy click(&combo, &elcombo::Click);
    for (const QString &operation : operations.split(' ')) {
        const QString name = operation.section(':', 0, 0), argument = operation.section(':', 1);
        if (name == "set") combo.SetListIndex(argument.toInt());
        if (name == "remove") combo.RemoveItem(argument.toInt());
        if (name == "add") combo.AddItem(argument);
        if (name == "setlist") combo.SetList(argument.toInt(), "changed");
        if (name == "clear") combo.Clear();
        if (name == "down") QTest::keyClick(combo.innerList(), Qt::Key_Down);
    }
    QCOMPARE(combo.GetListIndex(), index);
    QCOMPARE(combo.innerList()->currentText(), shown);
    QCOMPARE(combo.ListCount(), count);
    QCOMPARE(click.count(), clicks);
    QCOMPARE(combo.GetList(0), QString());
}

QTEST_MAIN(TestElcombo)
#include "tst_elcombo.moc"
