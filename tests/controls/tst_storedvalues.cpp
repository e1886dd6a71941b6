// The design values the six controls store, pinned entry by entry as they have always been
// written, and bags of them read back: a holder's stored values must keep meaning the same look.

#include "controls/controltest.h"

#include <QtTest>

namespace {

// A bag written as "key:type=value; ...": int in hex (colours 0x00BBGGRR), qlonglong for
// FontSize in ten-thousandths of a point, a QFont as family/points[/bold][/italic][/underline].
PropertyStore bag(const QString &text)
{
    PropertyStore store;
    for (const QString &entry : text.split("; ", Qt::SkipEmptyParts)) {
        const QString key = entry.section(':', 0, 0), type = entry.section(':', 1).section('=', 0, 0);
        const QString value = entry.section('=', 1);
        if (type == "int") {
            store.setValue(key, QVariant::fromValue<qint32>(qint32(value.toUInt(nullptr, 16))));
        } else if (type == "qlonglong") {
            store.setValue(key, QVariant::fromValue<qint64>(value.toLongLong()));
        } else if (type == "bool") {
            store.setValue(key, value == "true");
        } else if (type == "QFont") {
            const QStringList parts = value.split('/');
            QFont font(parts[0]);
            font.setPointSizeF(parts[1].toDouble());
            font.setBold(parts.contains("bold"));
            font.setItalic(parts.contains("italic"));
            font.setUnderline(parts.contains("underline"));
            store.setValue(key, font);
        } else {
            store.setValue(key, value);
        }
    }
    return store;
}

// The stored entries in the form bag() reads, in the order and letter case they were stored.
QString describe(const PropertyStore &store)
{
    QStringList entries;
    for (const QString &key : store.keys()) {
        const QVariant value = store.value(key);
        QString text = value.toString();
        if (value.typeId() == QMetaType::Int)
            text = QString::number(quint32(value.toInt()), 16);
        if (value.typeId() == QMetaType::QFont) {
            const QFont font = value.value<QFont>();
            text = font.family() + '/' + QString::number(font.pointSizeF()) + (font.bold() ? "/bold" : "")
                + (font.italic() ? "/italic" : "") + (font.underline() ? "/underline" : "");
        }
        entries << key + ':' + value.typeName() + '=' + text;
    }
    return entries.join("; ");
}

} // namespace

class TestStoredValues : public QObject
{
    Q_OBJECT

private slots:
    void writesAsStored_data();
    void writesAsStored();
    void readsStoredBags_data();
    void readsStoredBags();
    void noFontStoredIsTheWindows();

private:
    // What the control stores after reading design ("-": nothing read, as created).
    static QString storedAfter(const QString &kind, const QString &design);
};

// The font values of a control left at Tahoma 9.75, as stored.
static const QString tahoma = "Font:QFont=Tahoma/9.75; FontName:QString=Tahoma; FontSize:qlonglong=97500; "
                              "FontItalic:bool=false; FontUnderline:bool=false";

QString TestStoredValues::storedAfter(const QString &kind, const QString &design)
{
    auto control = makeControl(kind);
    if (design != "-")
        control->ReadProperties(bag(design));
    PropertyStore written;
    control->WriteProperties(written);
    return describe(written);
}

void TestStoredValues::writesAsStored_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("design");
    QTest::addColumn<QString>("stored");
    QTest::newRow("button as created") << "elboton" << "-"
        << "ForeColor:int=ffffff; BackColor:int=44584c; Enabled:bool=true; Caption:QString=Boton; "
           "Color3DLight:int=95aaa0; Color3DDark:int=80000008; " + tahoma + "; DropShadow:bool=false";
    QTest::newRow("panel as created") << "elpanel" << "-"
        << "BackColor:int=44584c; ForeColor:int=ffffff; CloseColor:int=809188; Enabled:bool=true; "
           "Title:QString=Title; Icon:bool=true; Cerrar:bool=true; Color3DLight:int=95aaa0; "
           "Color3DDark:int=80000008; " + tahoma + "; DropShadow:bool=false";
    QTest::newRow("frame as created") << "elframe" << "-"
        << "BackColor:int=44584c; Enabled:bool=true; Color3DLight:int=95aaa0; Color3DDark:int=80000008";
    QTest::newRow("label as created") << "ellabel" << "-"
        << "BackColor:int=37463e; ForeColor:int=d3ded8; Enabled:bool=true; Caption:QString=Caption; "
           + tahoma + "; DropShadow:bool=false";
    QTest::newRow("radio as created") << "elradio" << "-"
        << "BackColor:int=44584c; BackColor2:int=37463e; CheckedColor:int=50b5c4; UncheckedColor:int=d3ded8; "
           "OverColor:int=ff0000; Enabled:bool=true; Caption:QString=Caption; Value:bool=false; "
           "Color3DLight:int=95aaa0; Color3DDark:int=80000008; " + tahoma + "; DropShadow:bool=false";
    QTest::newRow("combo as created") << "elcombo" << "-"
        << "BackColor:int=37463e; ForeColor:int=d3ded8; Enabled:bool=true; List:QString=; "
           "Color3DLight:int=95aaa0; Color3DDark:int=80000008; SymbolColor:int=95aaa0; "
           "SymbolOverColor:int=95aaa0; " + tahoma;
    // As the main window and the start-up dialogs keep them: lower-case keys, Tahoma 9.75.
    const QString design = "fontname:QString=Tahoma; fontsize:qlonglong=97500; ";
    QTest::newRow("main window Run") << "elboton" << design + "caption:QString=Run Cs"
        << "ForeColor:int=ffffff; BackColor:int=44584c; Enabled:bool=true; Caption:QString=Run Cs; "
           "Color3DLight:int=95aaa0; Color3DDark:int=80000008; " + tahoma + "; DropShadow:bool=false";
    QTest::newRow("main window picture frame") << "elframe" << ""
        << "BackColor:int=44584c; Enabled:bool=true; Color3DLight:int=95aaa0; Color3DDark:int=80000008";
    QTest::newRow("main window Resolution:") << "ellabel" << design + "caption:QString=Resolution:; backcolor:int=44584c"
        << "BackColor:int=44584c; ForeColor:int=d3ded8; Enabled:bool=true; Caption:QString=Resolution:; "
           + tahoma + "; DropShadow:bool=false";
    QTest::newRow("main window resolution list") << "elcombo"
        << design + "forecolor:int=ffffff; color3dlight:int=809188; color3ddark:int=222e28"
        << "BackColor:int=37463e; ForeColor:int=ffffff; Enabled:bool=true; List:QString=; "
           "Color3DLight:int=809188; Color3DDark:int=222e28; SymbolColor:int=95aaa0; "
           "SymbolOverColor:int=95aaa0; " + tahoma;
    QTest::newRow("dialog body") << "elpanel"
        << design + "title:QString=Choose Languaje / Seleccione Idioma; cerrar:bool=false; color3ddark:int=222e28"
        << "BackColor:int=44584c; ForeColor:int=ffffff; CloseColor:int=809188; Enabled:bool=true; "
           "Title:QString=Choose Languaje / Seleccione Idioma; Icon:bool=true; Cerrar:bool=false; "
           "Color3DLight:int=95aaa0; Color3DDark:int=222e28; " + tahoma + "; DropShadow:bool=false";
    QTest::newRow("dialog English") << "elradio" << design + "caption:QString=English; value:bool=true"
        << "BackColor:int=44584c; BackColor2:int=37463e; CheckedColor:int=50b5c4; UncheckedColor:int=d3ded8; "
           "OverColor:int=ff0000; Enabled:bool=true; Caption:QString=English; Value:bool=true; "
           "Color3DLight:int=95aaa0; Color3DDark:int=80000008; " + tahoma + "; DropShadow:bool=false";
}

void TestStoredValues::writesAsStored()
{
    QFETCH(QString, kind);
    QFETCH(QString, design);
    QFETCH(QString, stored);
    QCOMPARE(storedAfter(kind, design), stored);
}

void TestStoredValues::readsStoredBags_data()
{
    // Every value away from its default, so one the control misses shows as its default.
    // The font parts stored beside Font refine it; a size of 0 is no size.
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("design");
    QTest::addColumn<QString>("stored");
    QTest::newRow("button") << "elboton"
        << "forecolor:int=ff; backcolor:int=80000005; enabled:bool=false; caption:QString=Go; "
           "color3dlight:int=123456; color3ddark:int=654321; font:QFont=Courier New/12/bold; "
           "fontname:QString=Verdana; fontsize:qlonglong=110000; fontitalic:bool=true; "
           "fontunderline:bool=true; dropshadow:bool=true"
        << "ForeColor:int=ff; BackColor:int=80000005; Enabled:bool=false; Caption:QString=Go; "
           "Color3DLight:int=123456; Color3DDark:int=654321; Font:QFont=Verdana/11/bold/italic/underline; "
           "FontName:QString=Verdana; FontSize:qlonglong=110000; FontItalic:bool=true; FontUnderline:bool=true; "
           "DropShadow:bool=true";
    QTest::newRow("panel, a font without parts, the holder's extent") << "elpanel"
        << "_extentx:int=2b2a; backcolor:int=222e28; forecolor:int=ff00; closecolor:int=ff; enabled:bool=false; "
           "title:QString=T; icon:bool=false; cerrar:bool=false; color3dlight:int=ff0000; color3ddark:int=ffff; "
           "font:QFont=Courier New/12/italic; dropshadow:bool=true"
        << "BackColor:int=222e28; ForeColor:int=ff00; CloseColor:int=ff; Enabled:bool=false; Title:QString=T; "
           "Icon:bool=false; Cerrar:bool=false; Color3DLight:int=ff0000; Color3DDark:int=ffff; "
           "Font:QFont=Courier New/12/italic; FontName:QString=Courier New; FontSize:qlonglong=120000; "
           "FontItalic:bool=true; FontUnderline:bool=false; DropShadow:bool=true";
    QTest::newRow("frame") << "elframe"
        << "backcolor:int=ff; enabled:bool=false; color3dlight:int=ff00; color3ddark:int=ff0000"
        << "BackColor:int=ff; Enabled:bool=false; Color3DLight:int=ff00; Color3DDark:int=ff0000";
    QTest::newRow("label, size 0") << "ellabel"
        << "backcolor:int=ff; forecolor:int=ff00; enabled:bool=false; caption:QString=L; "
           "font:QFont=Courier New/12; fontsize:qlonglong=0; fontunderline:bool=true; dropshadow:bool=true"
        << "BackColor:int=ff; ForeColor:int=ff00; Enabled:bool=false; Caption:QString=L; "
           "Font:QFont=Courier New/12/underline; FontName:QString=Courier New; FontSize:qlonglong=120000; "
           "FontItalic:bool=false; FontUnderline:bool=true; DropShadow:bool=true";
    QTest::newRow("radio, keys in upper case") << "elradio"
        << "BACKCOLOR:int=ff; BACKCOLOR2:int=ff00; CHECKEDCOLOR:int=ff0000; UNCHECKEDCOLOR:int=ffff; "
           "OVERCOLOR:int=ff00ff; ENABLED:bool=false; CAPTION:QString=R; VALUE:bool=true; "
           "COLOR3DLIGHT:int=ffff00; COLOR3DDARK:int=80000010; FONT:QFont=Courier New/12/underline; "
           "FONTITALIC:bool=true; DROPSHADOW:bool=true"
        << "BackColor:int=ff; BackColor2:int=ff00; CheckedColor:int=ff0000; UncheckedColor:int=ffff; "
           "OverColor:int=ff00ff; Enabled:bool=false; Caption:QString=R; Value:bool=true; "
           "Color3DLight:int=ffff00; Color3DDark:int=80000010; Font:QFont=Courier New/12/italic/underline; "
           "FontName:QString=Courier New; FontSize:qlonglong=120000; FontItalic:bool=true; "
           "FontUnderline:bool=true; DropShadow:bool=true";
    QTest::newRow("combo") << "elcombo"
        << "backcolor:int=ff; forecolor:int=ff00; enabled:bool=false; list:QString=a|b; color3dlight:int=ff0000; "
           "color3ddark:int=ffff; symbolcolor:int=ff00ff; symbolovercolor:int=ffff00; "
           "font:QFont=Courier New/10/bold; fontname:QString=Verdana; fontitalic:bool=true"
        << "BackColor:int=ff; ForeColor:int=ff00; Enabled:bool=false; List:QString=a|b; Color3DLight:int=ff0000; "
           "Color3DDark:int=ffff; SymbolColor:int=ff00ff; SymbolOverColor:int=ffff00; "
           "Font:QFont=Verdana/10/bold/italic; FontName:QString=Verdana; FontSize:qlonglong=100000; "
           "FontItalic:bool=true; FontUnderline:bool=false";
}

void TestStoredValues::readsStoredBags()
{
    QFETCH(QString, kind);
    QFETCH(QString, design);
    QFETCH(QString, stored);
    QCOMPARE(storedAfter(kind, design), stored);
}

void TestStoredValues::noFontStoredIsTheWindows()
{
    // Also inside a panel whose caption shows a font of its own.
    QWidget window;
    window.setFont(QFont("Verdana", 8));
    auto *panel = new elpanel(&window);
    panel->ReadProperties(bag("font:QFont=Courier New/12/bold"));
    auto *label = new ellabel(panel);
    label->ReadProperties(PropertyStore());
    PropertyStore written;
    label->WriteProperties(written);
    QCOMPARE(describe(written).section("; ", 4, 4), QString("Font:QFont=Verdana/8"));
}

QTEST_MAIN(TestStoredValues)
#include "tst_storedvalues.moc"
