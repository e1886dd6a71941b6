#include "controls/colorvalue.h"
#include "controls/propertystore.h"

#include <QtTest>

class TestPropertyStore : public QObject
{
    Q_OBJECT

private slots:
    void colorValues_data();
    void colorValues();
    void typedValues();
};

void TestPropertyStore::colorValues_data()
{
    QTest::addColumn<quint32>("stored");
    QTest::addColumn<QColor>("expected");   // system colours as the standard scheme has them
    QTest::newRow("olive body") << 0x44584Cu << QColor(76, 88, 68);
    QTest::newRow("over blue") << 0xFF0000u << QColor(0, 0, 255);
    QTest::newRow("window text") << 0x80000008u << QColor(0, 0, 0);
    QTest::newRow("button face") << 0x8000000Fu << QColor(192, 192, 192);
    QTest::newRow("tooltip background") << 0x80000018u << QColor(255, 255, 225);
}

void TestPropertyStore::colorValues()
{
    QFETCH(quint32, stored); QFETCH(QColor, expected);
    const ColorValue value(stored);
#ifdef Q_OS_WIN
    if (value.isSystemColor())
        QSKIP("system colours follow the Windows scheme here");
#endif
    QCOMPARE(value.toColor(), expected);
    QCOMPARE(value.isSystemColor(), stored > 0xFFFFFFu);
    if (!value.isSystemColor())
        QCOMPARE(ColorValue::fromColor(expected).value(), stored);
}

void TestPropertyStore::typedValues()
{
    PropertyStore store;
    store.setValue("color3ddark", 1);
    store.setColor("Color3DDark", 0x80000008u);   // keys in any case: replaces, does not add
    QCOMPARE(store.keys(), QStringList{"color3ddark"});
    QCOMPARE(store.value("COLOR3DDARK").toInt(), qint32(0x80000008u));   // a 32-bit integer
    QCOMPARE(store.readColor("Color3DDark", 0u).value(), 0x80000008u);
    store.setFontSize("fontsize", 9.75);
    QCOMPARE(store.value("FontSize").toLongLong(), 97500);
    store.setValue("Font", QStringLiteral("Tahoma,9.75"));   // text is not a font object
    QCOMPARE(store.readFont("font", QFont("Courier")).family(), QString("Courier"));
}

QTEST_MAIN(TestPropertyStore)
#include "tst_propertystore.moc"
