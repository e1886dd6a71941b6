// The design values the controls store, pinned as they have always been written, so a holder's
// stored values keep meaning the same look; and the store and colour values beneath them.

#include "controls/colorvalue.h"
#include "controls/controltest.h"
#include "controls/propertystore.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// The stored entries as "Key:type=value; ...", in order: int in hex, a font as family/points[/bold][/italic][/underline].
QString describe(const PropertyStore &store)
{
    QStringList entries;
    for (const QString &key : store.keys()) {
        const QVariant value = store.value(key);
        QString text = value.typeId() == QMetaType::Int ? QString::number(quint32(value.toInt()), 16) : value.toString();
        if (value.typeId() == QMetaType::QFont) {
            const QFont font = value.value<QFont>();
            text = font.family() + '/' + QString::number(font.pointSizeF()) + (font.bold() ? "/bold" : "")
                + (font.italic() ? "/italic" : "") + (font.underline() ? "/underline" : "");
        }
        entries << key + ':' + value.typeName() + '=' + text;
    }
    return entries.join("; ");
}

QString written(const SkinnedControl &control)
{
    PropertyStore store;
    control.WriteProperties(store);
    return describe(store);
}

} // namespace

class TestStoredValues : public QObject
{
    Q_OBJECT

private slots:
    void defaultsAndRoundTrip_data();
    void defaultsAndRoundTrip();
    void fonts();
    void colorValues_data();
    void colorValues();
    void typedValues();
};

static const QString tahoma = "Font:QFont=Tahoma/9.75; FontName:QString=Tahoma; FontSize:qlonglong=97500; "
                              "FontItalic:bool=false; FontUnderline:bool=false";

void TestStoredValues::defaultsAndRoundTrip_data()
{
    columns<QString, QString>({"kind", "created"});
    QTest::newRow("button") << "elboton"
        << "ForeColor:int=ffffff; BackColor:int=44584c; Enabled:bool=true; Caption:QString=Boton; "
           "Color3DLight:int=95aaa0; Color3DDark:int=80000008; " + tahoma + "; DropShadow:bool=false";
    QTest::newRow("panel") << "elpanel"
        << "BackColor:int=44584c; ForeColor:int=ffffff; CloseColor:int=809188; Enabled:bool=true; "
           "Title:QString=Title; Icon:bool=true; Cerrar:bool=true; Color3DLight:int=95aaa0; "
           "Color3DDark:int=80000008; " + tahoma + "; DropShadow:bool=false";
    QTest::newRow("frame") << "elframe"
        << "BackColor:int=44584c; Enabled:bool=true; Color3DLight:int=95aaa0; Color3DDark:int=80000008";
    QTest::newRow("label") << "ellabel" << "BackColor:int=37463e; ForeColor:int=d3ded8; Enabled:bool=true; "
                                           "Caption:QString=Caption; " + tahoma + "; DropShadow:bool=false";
    QTest::newRow("radio") << "elradio"
        << "BackColor:int=44584c; BackColor2:int=37463e; CheckedColor:int=50b5c4; UncheckedColor:int=d3ded8; "
           "OverColor:int=ff0000; Enabled:bool=true; Caption:QString=Caption; Value:bool=false; "
           "Color3DLight:int=95aaa0; Color3DDark:int=80000008; " + tahoma + "; DropShadow:bool=false";
    QTest::newRow("combo") << "elcombo"
        << "BackColor:int=37463e; ForeColor:int=d3ded8; Enabled:bool=true; List:QString=; Color3DLight:int=95aaa0; "
           "Color3DDark:int=80000008; SymbolColor:int=95aaa0; SymbolOverColor:int=95aaa0; " + tahoma;
}

void TestStoredValues::defaultsAndRoundTrip()
{
    // Each stored value changed through its property is announced once, and read back by a new control.
    const auto [kind, created] = fetch<QString, QString>("kind", "created");
    auto control = makeControl(kind);
    QCOMPARE(written(*control), created);
    const QMetaObject *meta = control->metaObject();
    for (const QString &name : QString(meta->classInfo(meta->indexOfClassInfo("StoredValues")).value()).split(' ')) {
        const QMetaProperty property = meta->property(meta->indexOfProperty(qPrintable(name)));
        const QVariant now = property.read(control.get());
        const QVariant next = now.typeId() == QMetaType::Bool ? QVariant(!now.toBool())
            : now.typeId() == QMetaType::QString ? QVariant(now.toString() + "x")
            : now.typeId() == QMetaType::Float ? QVariant(now.toFloat() + 1)
            : now.typeId() == QMetaType::QFont ? QVariant(QFont("Courier New", 17))
            : QVariant::fromValue(ColorValue(now.value<ColorValue>().value() ^ 1));
        QSignalSpy changed(control.get(), &SkinnedControl::PropertyChanged);
        QVERIFY2(property.write(control.get(), next) && property.read(control.get()) == next, qPrintable(name));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), name);
    }
    PropertyStore store;
    control->WriteProperties(store);
    auto reader = makeControl(kind);
    reader->ReadProperties(store);
    QCOMPARE(written(*reader), describe(store));
    QVERIFY(describe(store) != created);
    // A holder's reading is no change by the user, and every value it lacks goes back to its default.
    QSignalSpy changed(control.get(), &SkinnedControl::PropertyChanged);
    PropertyStore mainWindow;
    mainWindow.setText("fontname", "Tahoma");
    mainWindow.setFontSize("fontsize", 9.75);
    control->ReadProperties(mainWindow);
    QCOMPARE(written(*control), created);
    QCOMPARE(changed.count(), 0);
}

void TestStoredValues::fonts()
{
    // The stored parts refine Font; with no font stored, the window's, also inside a panel with a font of its own.
    PropertyStore store;
    store.setFont("font", QFont("Courier New", 12, QFont::Bold));
    store.setText("fontname", "Verdana");
    store.setFontSize("fontsize", 11);
    store.setBool("fontitalic", true);
    store.setBool("fontunderline", true);
    elboton button;
    button.ReadProperties(store);
    QCOMPARE(written(button).section("; ", 6, 6), QString("Font:QFont=Verdana/11/bold/italic/underline"));
    QWidget window;
    window.setFont(QFont("Verdana", 8));
    auto *panel = new elpanel(&window);
    panel->ReadProperties(store);
    auto *label = new ellabel(panel);
    label->ReadProperties(PropertyStore());
    QCOMPARE(written(*label).section("; ", 4, 4), QString("Font:QFont=Verdana/8"));
}

void TestStoredValues::colorValues_data()
{
    columns<quint32, QColor>({"stored", "expected"});   // system colours as the standard scheme has them
    QTest::newRow("olive body") << 0x44584Cu << QColor(76, 88, 68);
    QTest::newRow("over blue") << 0xFF0000u << QColor(0, 0, 255);
    QTest::newRow("window text") << 0x80000008u << QColor(0, 0, 0);
    QTest::newRow("button face") << 0x8000000Fu << QColor(192, 192, 192);
    QTest::newRow("tooltip background") << 0x80000018u << QColor(255, 255, 225);
}

void TestStoredValues::colorValues()
{
    const auto [stored, expected] = fetch<quint32, QColor>("stored", "expected");
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

void TestStoredValues::typedValues()
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

QTEST_MAIN(TestStoredValues)
#include "tst_storedvalues.moc"
