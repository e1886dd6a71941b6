// The design values the six controls store, pinned entry by entry as they have always been
// written, and bags of them read back: a holder's stored values must keep meaning the same look.

#include "controls/controltest.h"

#include <QSignalSpy>
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
    void storesWhatItRead_data();
    void storesWhatItRead();
    void noFontStoredIsTheWindows();
};

// The font values of a control left at Tahoma 9.75, as stored.
static const QString tahoma = "Font:QFont=Tahoma/9.75; FontName:QString=Tahoma; FontSize:qlonglong=97500; "
                              "FontItalic:bool=false; FontUnderline:bool=false";

void TestStoredValues::storesWhatItRead_data()
{
    // design: every value away from its default, so one the control misses, or one it keeps when a
    // later design lacks it, shows; the font parts refine Font, a size of 0 is no size. created: as
    // a new control stores its values; readBack: as it stores them after reading design.
    columns<QString, QString, QString, QString>({"kind", "design", "created", "readBack"});
    QTest::newRow("button") << "elboton"
        << "forecolor:int=ff; backcolor:int=80000005; enabled:bool=false; caption:QString=Go; "
           "color3dlight:int=123456; color3ddark:int=654321; font:QFont=Courier New/12/bold; "
           "fontname:QString=Verdana; fontsize:qlonglong=110000; fontitalic:bool=true; "
           "fontunderline:bool=true; dropshadow:bool=true"
        << "ForeColor:int=ffffff; BackColor:int=44584c; Enabled:bool=true; Caption:QString=Boton; "
           "Color3DLight:int=95aaa0; Color3DDark:int=80000008; " + tahoma + "; DropShadow:bool=false"
        << "ForeColor:int=ff; BackColor:int=80000005; Enabled:bool=false; Caption:QString=Go; "
           "Color3DLight:int=123456; Color3DDark:int=654321; Font:QFont=Verdana/11/bold/italic/underline; "
           "FontName:QString=Verdana; FontSize:qlonglong=110000; FontItalic:bool=true; FontUnderline:bool=true; "
           "DropShadow:bool=true";
    // A font without parts, and the holder's extent.
    QTest::newRow("panel") << "elpanel"
        << "_extentx:int=2b2a; backcolor:int=222e28; forecolor:int=ff00; closecolor:int=ff; "
           "enabled:bool=false; title:QString=T; icon:bool=false; cerrar:bool=false; "
           "color3dlight:int=ff0000; color3ddark:int=ffff; font:QFont=Courier New/12/italic; dropshadow:bool=true"
        << "BackColor:int=44584c; ForeColor:int=ffffff; CloseColor:int=809188; Enabled:bool=true; "
           "Title:QString=Title; Icon:bool=true; Cerrar:bool=true; Color3DLight:int=95aaa0; "
           "Color3DDark:int=80000008; " + tahoma + "; DropShadow:bool=false"
        << "BackColor:int=222e28; ForeColor:int=ff00; CloseColor:int=ff; Enabled:bool=false; Title:QString=T; "
           "Icon:bool=false; Cerrar:bool=false; Color3DLight:int=ff0000; Color3DDark:int=ffff; "
           "Font:QFont=Courier New/12/italic; FontName:QString=Courier New; FontSize:qlonglong=120000; "
           "FontItalic:bool=true; FontUnderline:bool=false; DropShadow:bool=true";
    QTest::newRow("frame") << "elframe"
        << "backcolor:int=ff; enabled:bool=false; color3dlight:int=ff00; color3ddark:int=ff0000"
        << "BackColor:int=44584c; Enabled:bool=true; Color3DLight:int=95aaa0; Color3DDark:int=80000008"
        << "BackColor:int=ff; Enabled:bool=false; Color3DLight:int=ff00; Color3DDark:int=ff0000";
    QTest::newRow("label") << "ellabel"
        << "backcolor:int=ff; forecolor:int=ff00; enabled:bool=false; caption:QString=L; "
           "font:QFont=Courier New/12; fontsize:qlonglong=0; fontunderline:bool=true; dropshadow:bool=true"
        << "BackColor:int=37463e; ForeColor:int=d3ded8; Enabled:bool=true; Caption:QString=Caption; "
           + tahoma + "; DropShadow:bool=false"
        << "BackColor:int=ff; ForeColor:int=ff00; Enabled:bool=false; Caption:QString=L; "
           "Font:QFont=Courier New/12/underline; FontName:QString=Courier New; FontSize:qlonglong=120000; "
           "FontItalic:bool=false; FontUnderline:bool=true; DropShadow:bool=true";
    // Keys in upper case.
    QTest::newRow("radio") << "elradio"
        << "BACKCOLOR:int=ff; BACKCOLOR2:int=ff00; CHECKEDCOLOR:int=ff0000; UNCHECKEDCOLOR:int=ffff; "
           "OVERCOLOR:int=ff00ff; ENABLED:bool=false; CAPTION:QString=R; VALUE:bool=true; "
           "COLOR3DLIGHT:int=ffff00; COLOR3DDARK:int=80000010; FONT:QFont=Courier New/12/underline; "
           "FONTITALIC:bool=true; DROPSHADOW:bool=true"
        << "BackColor:int=44584c; BackColor2:int=37463e; CheckedColor:int=50b5c4; UncheckedColor:int=d3ded8; "
           "OverColor:int=ff0000; Enabled:bool=true; Caption:QString=Caption; Value:bool=false; "
           "Color3DLight:int=95aaa0; Color3DDark:int=80000008; " + tahoma + "; DropShadow:bool=false"
        << "BackColor:int=ff; BackColor2:int=ff00; CheckedColor:int=ff0000; UncheckedColor:int=ffff; "
           "OverColor:int=ff00ff; Enabled:bool=false; Caption:QString=R; Value:bool=true; "
           "Color3DLight:int=ffff00; Color3DDark:int=80000010; Font:QFont=Courier New/12/italic/underline; "
           "FontName:QString=Courier New; FontSize:qlonglong=120000; FontItalic:bool=true; "
           "FontUnderline:bool=true; DropShadow:bool=true";
    QTest::newRow("combo") << "elcombo"
        << "backcolor:int=ff; forecolor:int=ff00; enabled:bool=false; list:QString=a|b; "
           "color3dlight:int=ff0000; color3ddark:int=ffff; symbolcolor:int=ff00ff; "
           "symbolovercolor:int=ffff00; font:QFont=Courier New/10/bold; fontname:QString=Verdana; fontitalic:bool=true"
        << "BackColor:int=37463e; ForeColor:int=d3ded8; Enabled:bool=true; List:QString=; "
           "Color3DLight:int=95aaa0; Color3DDark:int=80000008; SymbolColor:int=95aaa0; "
           "SymbolOverColor:int=95aaa0; " + tahoma
        << "BackColor:int=ff; ForeColor:int=ff00; Enabled:bool=false; List:QString=a|b; Color3DLight:int=ff0000; "
           "Color3DDark:int=ffff; SymbolColor:int=ff00ff; SymbolOverColor:int=ffff00; "
           "Font:QFont=Verdana/10/bold/italic; FontName:QString=Verdana; FontSize:qlonglong=100000; "
           "FontItalic:bool=true; FontUnderline:bool=false";
}

void TestStoredValues::storesWhatItRead()
{
    const auto [kind, design, created, readBack] =
        fetch<QString, QString, QString, QString>("kind", "design", "created", "readBack");
    const auto written = [](const SkinnedControl &control) {
        PropertyStore store;
        control.WriteProperties(store);
        return describe(store);
    };
    auto control = makeControl(kind);
    QCOMPARE(written(*control), created);
    QSignalSpy changed(control.get(), &SkinnedControl::PropertyChanged);
    for (int twice = 0; twice < 2; ++twice) {
        control->ReadProperties(bag(design));
        QCOMPARE(written(*control), readBack);
    }
    control->ReadProperties(bag("fontname:QString=Tahoma; fontsize:qlonglong=97500"));   // as the main window keeps it
    QCOMPARE(written(*control), created);   // every value it lacks back to its default
    QCOMPARE(changed.count(), 0);   // a holder's reading is no change by the user
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
