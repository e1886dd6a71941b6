#include "colorvalue.h"
#include "propertystore.h"

#include <QtTest>

class TestPropertyStore : public QObject
{
    Q_OBJECT

private slots:
    void colorValueChannels_data();
    void colorValueChannels();
    void systemColorFollowsPalette();
    void keysIgnoreCase_data();
    void keysIgnoreCase();
    void typedValues();
    void missingKeysGiveDefaults();
};

void TestPropertyStore::colorValueChannels_data()
{
    QTest::addColumn<quint32>("stored");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("olive body") << 0x44584Cu << QColor(76, 88, 68);
    QTest::newRow("light edge") << 0x95AAA0u << QColor(160, 170, 149);
    QTest::newRow("checked gold") << 0x50B5C4u << QColor(196, 181, 80);
    QTest::newRow("over blue") << 0xFF0000u << QColor(0, 0, 255);
}

void TestPropertyStore::colorValueChannels()
{
    QFETCH(quint32, stored);
    QFETCH(QColor, expected);
    const ColorValue value(stored);
    QVERIFY(!value.isSystemColor());
    QCOMPARE(value.toColor(QPalette()), expected);
    QCOMPARE(ColorValue::fromColor(expected).value(), stored);
}

void TestPropertyStore::systemColorFollowsPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::WindowText, QColor(1, 2, 3));
    const ColorValue windowText(0x80000008u);
    QVERIFY(windowText.isSystemColor());
    QCOMPARE(windowText.systemIndex(), 8);
    QCOMPARE(windowText.toColor(palette), QColor(1, 2, 3));
}

void TestPropertyStore::keysIgnoreCase_data()
{
    QTest::addColumn<QString>("storedKey");
    QTest::addColumn<QString>("askedKey");
    QTest::newRow("lower stored") << "color3ddark" << "Color3DDark";
    QTest::newRow("upper asked") << "Title" << "TITLE";
    QTest::newRow("same") << "Cerrar" << "Cerrar";
}

void TestPropertyStore::keysIgnoreCase()
{
    QFETCH(QString, storedKey);
    QFETCH(QString, askedKey);
    PropertyStore store;
    store.setValue(storedKey, 1);
    store.setValue(askedKey, 2);   // replaces, does not add
    QCOMPARE(store.count(), 1);
    QCOMPARE(store.value(storedKey.toUpper()).toInt(), 2);
    QCOMPARE(store.keys(), QStringList{storedKey});
}

void TestPropertyStore::typedValues()
{
    PropertyStore store;
    store.setColor("color3ddark", 0x80000008u);
    QCOMPARE(store.value("Color3DDark").toInt(), qint32(0x80000008u));   // a 32-bit integer
    QCOMPARE(store.readColor("Color3DDark", 0u).value(), 0x80000008u);
    store.setFontSize("fontsize", 9.75);
    QCOMPARE(store.value("FontSize").toLongLong(), 97500);
    store.setValue("FontSize", 120000);
    QCOMPARE(store.readFontSize("fontsize", 1.0), 12.0);
    store.setValue("Font", QStringLiteral("Tahoma,9.75"));   // text is not a font object
    QCOMPARE(store.readFont("font", QFont("Courier")).family(), QString("Courier"));
}

void TestPropertyStore::missingKeysGiveDefaults()
{
    PropertyStore store;
    store.setValue("_extentx", 2117);
    QCOMPARE(store.readColor("BackColor", 0x44584Cu).value(), 0x44584Cu);
    QCOMPARE(store.readBool("Cerrar", true), true);
    QCOMPARE(store.readText("Caption", "Boton"), QString("Boton"));
    QCOMPARE(store.readFontSize("FontSize", 9.75), 9.75);
}

QTEST_MAIN(TestPropertyStore)
#include "tst_propertystore.moc"
