// What every skinned control shares: defaults, fonts, PropertyChanged, edge
// lines, size rules, background capture and the drop shadow.

#include "controltest.h"
#include "elboton.h"
#include "elcombo.h"
#include "elframe.h"
#include "ellabel.h"
#include "elpanel.h"
#include "elradio.h"

#include <QSignalSpy>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

std::unique_ptr<SkinnedControl> make(const QString &kind)
{
    if (kind == "elboton") return std::make_unique<elboton>();
    if (kind == "elpanel") return std::make_unique<elpanel>();
    if (kind == "elframe") return std::make_unique<elframe>();
    if (kind == "ellabel") return std::make_unique<ellabel>();
    if (kind == "elradio") return std::make_unique<elradio>();
    return std::make_unique<elcombo>();
}

QString captionOf(SkinnedControl *c)
{
    if (auto *b = qobject_cast<elboton *>(c)) return b->Caption();
    if (auto *p = qobject_cast<elpanel *>(c)) return p->Title();
    if (auto *l = qobject_cast<ellabel *>(c)) return l->Caption();
    if (auto *r = qobject_cast<elradio *>(c)) return r->Caption();
    return {};
}

// Sets both edge colours; returns false for a control without edges.
bool setEdges(SkinnedControl *c, ColorValue light, ColorValue dark)
{
    if (auto *b = qobject_cast<elboton *>(c)) { b->setColor3DLight(light); b->setColor3DDark(dark); }
    else if (auto *p = qobject_cast<elpanel *>(c)) { p->setColor3DLight(light); p->setColor3DDark(dark); }
    else if (auto *f = qobject_cast<elframe *>(c)) { f->setColor3DLight(light); f->setColor3DDark(dark); }
    else if (auto *r = qobject_cast<elradio *>(c)) { r->setColor3DLight(light); r->setColor3DDark(dark); }
    else if (auto *o = qobject_cast<elcombo *>(c)) { o->setColor3DLight(light); o->setColor3DDark(dark); }
    else return false;
    return true;
}

float fontSizeOf(SkinnedControl *c)
{
    if (auto *o = qobject_cast<elcombo *>(c)) return o->FontSize();
    if (auto *k = qobject_cast<CaptionedControl *>(c)) return k->FontSize();
    return 0;
}

// Shows or hides the shadow and paints the caption in colour (or in the body colour, invisible).
void showCaption(SkinnedControl *c, bool shadow, bool captionVisible)
{
    const ColorValue colour = captionVisible ? 0x0000FFu : c->BackColor();
    if (auto *b = qobject_cast<elboton *>(c)) b->setForeColor(colour);
    if (auto *p = qobject_cast<elpanel *>(c)) p->setForeColor(colour);
    if (auto *l = qobject_cast<ellabel *>(c)) l->setForeColor(colour);
    if (auto *r = qobject_cast<elradio *>(c)) r->setUncheckedColor(colour);
    static_cast<CaptionedControl *>(c)->setDropShadow(shadow);
}

QRect differingPixels(const QImage &a, const QImage &b)
{
    QRect box;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

class TestSkinnedControl : public QObject
{
    Q_OBJECT

private slots:
    void emptyStoreGivesDefaults_data();
    void emptyStoreGivesDefaults();
    void fontSizeOverridesFont_data();
    void fontSizeOverridesFont();
    void settersRaisePropertyChanged();
    void edgeLines_data();
    void edgeLines();
    void frameEdgesExactPixels();
    void sizeRules_data();
    void sizeRules();
    void backgroundCapture_data();
    void backgroundCapture();
    void dropShadowIsBlackCopyOnePixelOff_data();
    void dropShadowIsBlackCopyOnePixelOff();
};

void TestSkinnedControl::emptyStoreGivesDefaults_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<quint32>("back");
    QTest::addColumn<QString>("caption");
    QTest::newRow("button") << "elboton" << 0x44584Cu << "Boton";
    QTest::newRow("panel") << "elpanel" << 0x44584Cu << "Title";
    QTest::newRow("frame") << "elframe" << 0x44584Cu << "";
    QTest::newRow("label") << "ellabel" << 0x37463Eu << "Caption";
    QTest::newRow("radio") << "elradio" << 0x44584Cu << "Caption";
    QTest::newRow("combo") << "elcombo" << 0x37463Eu << "";
}

void TestSkinnedControl::emptyStoreGivesDefaults()
{
    QFETCH(QString, kind);
    QFETCH(quint32, back);
    QFETCH(QString, caption);
    auto control = make(kind);
    setEdges(control.get(), 0x123456u, 0x654321u);   // something the store must overwrite
    QSignalSpy changed(control.get(), &SkinnedControl::PropertyChanged);
    control->ReadProperties(PropertyStore());
    QCOMPARE(changed.count(), 0);
    QCOMPARE(control->BackColor().value(), back);
    QCOMPARE(captionOf(control.get()), caption);
    QVERIFY(control->Enabled());
    PropertyStore written;
    control->WriteProperties(written);
    if (kind != "ellabel") {
        QCOMPARE(written.readColor("color3dlight", 0u).value(), 0x95AAA0u);
        QCOMPARE(written.readColor("color3ddark", 0u).value(), 0x80000008u);
    }
}

void TestSkinnedControl::fontSizeOverridesFont_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("sizeKey");
    QTest::newRow("button") << "elboton" << "fontsize";
    QTest::newRow("panel") << "elpanel" << "FONTSIZE";
    QTest::newRow("label") << "ellabel" << "FontSize";
    QTest::newRow("radio") << "elradio" << "fontSize";
    QTest::newRow("combo") << "elcombo" << "fontsize";
}

void TestSkinnedControl::fontSizeOverridesFont()
{
    QFETCH(QString, kind);
    QFETCH(QString, sizeKey);
    QFont tahoma("Tahoma");
    tahoma.setPointSizeF(9.75);
    tahoma.setBold(true);
    PropertyStore store;
    store.setFont("font", tahoma);
    store.setValue(sizeKey, 120000);
    auto control = make(kind);
    control->ReadProperties(store);
    QCOMPARE(fontSizeOf(control.get()), 12.0f);
    PropertyStore written;
    control->WriteProperties(written);
    QVERIFY(written.readFont("Font", QFont()).bold());
    QCOMPARE(written.value("FontSize").toLongLong(), 120000);
}

void TestSkinnedControl::settersRaisePropertyChanged()
{
    elboton button;
    elpanel panel;
    elradio radio;
    elcombo combo;
    const std::vector<std::tuple<SkinnedControl *, QString, std::function<void()>>> cases = {
        {&button, "Caption", [&] { button.setCaption("Ok"); }},
        {&button, "FontSize", [&] { button.setFontSize(11); }},
        {&panel, "Cerrar", [&] { panel.setCerrar(false); }},
        {&panel, "BackColor", [&] { panel.setBackColor(0x222E28u); }},
        {&radio, "Value", [&] { radio.setValue(true); }},
        {&radio, "DropShadow", [&] { radio.setDropShadow(true); }},
        {&combo, "ListBackColor", [&] { combo.setListBackColor(0xFFu); }},
        {&combo, "DropShadow", [&] { combo.setDropShadow(true); }},
    };
    for (const auto &[control, name, set] : cases) {
        QSignalSpy changed(control, &SkinnedControl::PropertyChanged);
        set();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), name);
    }
    QCOMPARE(combo.DropShadow(), false);
    QCOMPARE(combo.ListBackColor().value(), 0u);
}

void TestSkinnedControl::edgeLines_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("raised");
    QTest::newRow("button") << "elboton" << QSize(120, 24) << true;
    QTest::newRow("panel") << "elpanel" << QSize(300, 200) << true;
    QTest::newRow("frame") << "elframe" << QSize(200, 100) << false;
    QTest::newRow("combo") << "elcombo" << QSize(145, 20) << false;
}

void TestSkinnedControl::edgeLines()
{
    QFETCH(QString, kind);
    QFETCH(QSize, size);
    QFETCH(bool, raised);
    auto control = make(kind);
    control->resize(size);
    control->show();
    const quint32 light = 0x0000FF, dark = 0x00FF00;
    QVERIFY(setEdges(control.get(), light, dark));
    const QRgb topLeft = rgbOf(raised ? light : dark);
    const QRgb bottomRight = rgbOf(raised ? dark : light);
    const int w = size.width(), h = size.height();
    const QImage shown = control->grab().toImage();
    QCOMPARE(shown.pixel(w / 2, 0) & 0xFFFFFF, topLeft);
    QCOMPARE(shown.pixel(0, h / 2) & 0xFFFFFF, topLeft);
    QCOMPARE(shown.pixel(w - 1, h / 2) & 0xFFFFFF, bottomRight);
    QCOMPARE(shown.pixel(w / 2, h - 1) & 0xFFFFFF, bottomRight);
}

void TestSkinnedControl::frameEdgesExactPixels()
{
    elframe frame;
    frame.resize(200, 100);
    frame.setColor3DDark(0x222E28u);
    frame.show();
    const QImage shown = frame.grab().toImage();
    const QRgb light = rgbOf(0x95AAA0), dark = rgbOf(0x222E28), body = rgbOf(0x44584C);
    for (int x = 0; x < 200; ++x) {
        QCOMPARE(shown.pixel(x, 99) & 0xFFFFFF, light);
        if (x < 199)
            QCOMPARE(shown.pixel(x, 0) & 0xFFFFFF, dark);
    }
    for (int y = 0; y < 100; ++y) {
        QCOMPARE(shown.pixel(199, y) & 0xFFFFFF, light);
        if (y < 99)
            QCOMPARE(shown.pixel(0, y) & 0xFFFFFF, dark);
    }
    QCOMPARE(shown.pixel(1, 1) & 0xFFFFFF, body);
    QCOMPARE(shown.pixel(198, 98) & 0xFFFFFF, body);
}

void TestSkinnedControl::sizeRules_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QSize>("asked");
    QTest::addColumn<QSize>("expected");
    // 500 twips is 33.3 pixels: the rule gives the 34 pixels that cover it.
    QTest::newRow("button 300x500 twips") << "elboton" << QSize(20, 33) << QSize(34, 24);
    QTest::newRow("button wide") << "elboton" << QSize(121, 50) << QSize(121, 24);
    QTest::newRow("label 1000 twips high") << "ellabel" << QSize(70, 67) << QSize(70, 20);
    QTest::newRow("radio 10 px high, 20 wide") << "elradio" << QSize(20, 10) << QSize(34, 19);
    QTest::newRow("radio of the dialogs") << "elradio" << QSize(181, 19) << QSize(181, 19);
    QTest::newRow("combo 50 wide, 40 high") << "elcombo" << QSize(50, 40) << QSize(95, 20);
    QTest::newRow("frame any size") << "elframe" << QSize(7, 3) << QSize(7, 3);
    QTest::newRow("panel any size") << "elpanel" << QSize(827, 687) << QSize(827, 687);
}

void TestSkinnedControl::sizeRules()
{
    QFETCH(QString, kind);
    QFETCH(QSize, asked);
    QFETCH(QSize, expected);
    auto control = make(kind);
    control->resize(asked);
    QCOMPARE(control->size(), expected);
}

void TestSkinnedControl::backgroundCapture_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("frame");
    QTest::newRow("button") << "elboton" << 1;
    QTest::newRow("panel") << "elpanel" << 1;
    QTest::newRow("frame") << "elframe" << 1;
    QTest::newRow("label") << "ellabel" << 0;
    QTest::newRow("radio") << "elradio" << 0;
    QTest::newRow("combo") << "elcombo" << 0;
}

void TestSkinnedControl::backgroundCapture()
{
    QFETCH(QString, kind);
    QFETCH(int, frame);
    QImage source(400, 300, QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.setPixel(x, y, qRgb(x % 256, (y * 3) % 256, 77));
    const QPoint origin(5, 7);
    auto control = make(kind);
    control->resize(140, 100);
    const QImage &surface = *control->get_the_hdc();
    const QRgb body = rgbOf(control->BackColor().value());

    QString error;
    QVERIFY2(control->obtener_imagen_fondo(source, origin.x(), origin.y(), 255, &error), qPrintable(error));
    const int w = control->width(), h = control->height();
    for (const QPoint p : {QPoint(frame, frame), QPoint(w / 2, h / 2), QPoint(w - 1 - frame, h - 1 - frame)})
        QCOMPARE(surface.pixel(p) & 0xFFFFFF, source.pixel(origin + p - QPoint(frame, frame)) & 0xFFFFFF);
    if (frame) {
        QCOMPARE(surface.pixel(0, 0) & 0xFFFFFF, body);
        QCOMPARE(surface.pixel(w - 1, h - 1) & 0xFFFFFF, body);
    }

    QVERIFY(control->obtener_imagen_fondo(source, origin.x(), origin.y(), 0));
    QCOMPARE(surface.pixel(w / 2, h / 2) & 0xFFFFFF, body);

    control->get_the_hdc()->fill(Qt::magenta);
    QVERIFY(!control->obtener_imagen_fondo(source, 0, 0, 300, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(surface.pixel(w / 2, h / 2) & 0xFFFFFF, QColor(Qt::magenta).rgb() & 0xFFFFFF);
    QVERIFY(!control->obtener_imagen_fondo(source, 0, 0, -1));
}

void TestSkinnedControl::dropShadowIsBlackCopyOnePixelOff_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("button") << "elboton";
    QTest::newRow("panel") << "elpanel";
    QTest::newRow("label") << "ellabel";
    QTest::newRow("radio") << "elradio";
}

void TestSkinnedControl::dropShadowIsBlackCopyOnePixelOff()
{
    QFETCH(QString, kind);
    auto control = make(kind);
    control->resize(160, 40);
    control->setBackColor(0xFFFFFFu);   // on white, any tint in the shadow would show
    control->show();
    showCaption(control.get(), false, false);
    const QImage bare = control->grab().toImage();
    showCaption(control.get(), false, true);
    const QRect caption = differingPixels(bare, control->grab().toImage());
    showCaption(control.get(), true, false);
    const QImage shadowOnly = control->grab().toImage();
    const QRect shadow = differingPixels(bare, shadowOnly);
    QVERIFY(!caption.isEmpty());
    // The caption is drawn over its shadow and hides part of it; only the right
    // and bottom fringe of the shadow is always bare.
    QVERIFY(caption.translated(1, 1).contains(shadow));
    QCOMPARE(shadow.bottomRight(), caption.bottomRight() + QPoint(1, 1));
    int darkest = 255;
    for (int y = shadow.top(); y <= shadow.bottom(); ++y)
        for (int x = shadow.left(); x <= shadow.right(); ++x) {
            const QRgb p = shadowOnly.pixel(x, y);
            QCOMPARE(qRed(p), qGreen(p));   // grey only: black blended into white
            QCOMPARE(qGreen(p), qBlue(p));
            darkest = qMin(darkest, qRed(p));
        }
    QVERIFY2(darkest < 64, qPrintable(QString::number(darkest)));
}

QTEST_MAIN(TestSkinnedControl)
#include "tst_skinnedcontrol.moc"
