// What the six skinned controls share, one table across the controls per rule: PropertyChanged,
// edge lines, size rules, background capture, the drop shadow, which inner element raises which event.

#include "common/warnings.h"
#include "controls/controltest.h"

#include <QFontMetrics>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QtTest>

#include <functional>

namespace {

using Rects = QList<QRect>;

void setEdges(SkinnedControl *c, ColorValue light, ColorValue dark)
{
    c->setColor3DLight(light);
    c->setColor3DDark(dark);
}

// Shows or hides the shadow and paints the caption in colour (or in the body colour, invisible).
void showCaption(SkinnedControl *c, bool shadow, bool captionVisible)
{
    const ColorValue colour = captionVisible ? 0x0000FFu : c->BackColor();
    c->setProperty(qobject_cast<elradio *>(c) ? "UncheckedColor" : "ForeColor", QVariant::fromValue(colour));
    c->setProperty("DropShadow", shadow);
}

// Whether every pixel shown is what expected says; the first one that is not is logged.
bool matches(const QImage &shown, const std::function<QRgb(QPoint)> &expected)
{
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if ((shown.pixel(x, y) ^ expected({x, y})) & 0xFFFFFF)
                return qWarning("(%d, %d) is %06x", x, y, shown.pixel(x, y) & 0xFFFFFF), false;
    return true;
}

bool inAny(const Rects &rects, QPoint p)
{
    return std::any_of(rects.begin(), rects.end(), [p](const QRect &r) { return r.contains(p); });
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

// The six controls. caption: whether it has one; font: whether it has one; frame: whether
// background capture stays inside its edges.
void eachControl()
{
    columns<QString, bool, bool, bool>({"kind", "caption", "font", "frame"});
    QTest::newRow("button") << "elboton" << true << true << true;
    QTest::newRow("panel") << "elpanel" << true << true << true;
    QTest::newRow("frame") << "elframe" << false << false << true;
    QTest::newRow("label") << "ellabel" << true << true << false;
    QTest::newRow("radio") << "elradio" << true << true << false;
    QTest::newRow("combo") << "elcombo" << false << true << false;
}

} // namespace

// Logs every mouse signal a control raises, in order, with its arguments.
class Recorder : public QObject
{
    Q_OBJECT

public:
    explicit Recorder(QObject *control)
    {
        const QMetaObject *meta = control->metaObject();
        const QMetaMethod plain = metaObject()->method(metaObject()->indexOfSlot("plain()"));
        const QMetaMethod mouse = metaObject()->method(metaObject()->indexOfSlot("mouse(int,int,float,float)"));
        for (int i = SkinnedControl::staticMetaObject.methodOffset(); i < meta->methodCount(); ++i) {
            const QMetaMethod s = meta->method(i);
            if (s.methodType() == QMetaMethod::Signal && !s.name().endsWith("Changed"))
                connect(control, s, this, s.parameterCount() ? mouse : plain);
        }
    }
    QString take() { return std::exchange(m_log, {}).join(' '); }

public slots:
    void plain() { m_log << name(); }
    void mouse(int button, int shift, float x, float y)
    {
        m_log << QString("%1(%2,%3,%4,%5)").arg(name()).arg(button).arg(shift).arg(x).arg(y);
    }

private:
    QString name() const { return sender()->metaObject()->method(senderSignalIndex()).name(); }
    QStringList m_log;
};

class TestSkinnedControl : public QObject
{
    Q_OBJECT

private slots:
    void init() { FailOnUndeclaredWarnings(); }
    void storedValuesAnnounced_data() { eachControl(); }
    void storedValuesAnnounced();
    void edgeLines_data();
    void edgeLines();
    void sizeRules_data();
    void sizeRules();
    void backgroundCapture_data() { eachControl(); }
    void backgroundCapture();
    void dropShadowIsBlackCopyOnePixelOff_data() { eachControl(); }
    void dropShadowIsBlackCopyOnePixelOff();
    void mouseEvents_data();
    void mouseEvents();
    void closeBoxColours();
    void fontAndEnabledThroughQWidget_data() { eachControl(); }
    void fontAndEnabledThroughQWidget();
};

void TestSkinnedControl::storedValuesAnnounced()
{
    // Each stored value set to another through its property, as a holder does, is announced once.
    const auto [kind] = fetch<QString>("kind");
    auto control = makeControl(kind);
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
        QVERIFY2(property.write(control.get(), next), qPrintable(name));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), name);
    }
    if (auto *combo = qobject_cast<elcombo *>(control.get())) {   // kept for holders, never stored
        QSignalSpy changed(combo, &SkinnedControl::PropertyChanged);
        combo->setListBackColor(0xFFu);
        QCOMPARE(changed.count(), 1);
    }
}

void TestSkinnedControl::edgeLines_data()
{
    // A left press at pressAt swaps the edge colours inside swapped.
    columns<QString, QSize, Rects, Rects, QPoint, QRect>({"kind", "size", "light", "dark", "pressAt", "swapped"});
    // Each line stops one pixel short of its end point; right and bottom are drawn last.
    QTest::newRow("button, raised, bottom edge from x = 1") << "elboton" << QSize(121, 24)
        << Rects{{0, 0, 120, 1}, {0, 0, 1, 23}} << Rects{{120, 0, 1, 23}, {1, 23, 120, 1}}
        << QPoint(60, 12) << QRect(0, 0, 121, 24);
    QTest::newRow("panel and close box, raised") << "elpanel" << QSize(300, 200)
        << Rects{{0, 0, 299, 1}, {0, 0, 1, 199}, {274, 8, 17, 1}, {274, 8, 1, 17}}
        << Rects{{299, 0, 1, 199}, {0, 199, 300, 1}, {291, 8, 1, 18}, {274, 25, 18, 1}}
        << QPoint(283, 17) << QRect(274, 8, 18, 18);
    QTest::newRow("frame, sunken") << "elframe" << QSize(200, 100)
        << Rects{{199, 0, 1, 99}, {0, 99, 200, 1}} << Rects{{0, 0, 199, 1}, {0, 0, 1, 99}} << QPoint() << QRect();
    QTest::newRow("combo, sunken") << "elcombo" << QSize(145, 20)
        << Rects{{144, 1, 1, 19}, {0, 19, 145, 1}} << Rects{{0, 0, 145, 1}, {0, 0, 1, 19}} << QPoint() << QRect();
}

void TestSkinnedControl::edgeLines()
{
    const auto [kind, size, light, dark, pressAt, swapped] =
        fetch<QString, QSize, Rects, Rects, QPoint, QRect>("kind", "size", "light", "dark", "pressAt", "swapped");
    // A dark desktop theme (light window text) leaves the default dark edges black.
    const QPalette saved = QApplication::palette();
    const auto restore = qScopeGuard([&] { QApplication::setPalette(saved); });
    QPalette darkTheme = saved;
    darkTheme.setColor(QPalette::WindowText, Qt::white);
    QApplication::setPalette(darkTheme);
    auto control = makeControl(kind);
    control->resize(size);
    control->show();
    for (const QRect &edge : dark)
        QCOMPARE(shownAt(control.get(), edge.x(), edge.y()), 0u);
    const QRgb red = rgbOf(0x0000FF), green = rgbOf(0x00FF00);
    const QImage before = control->grab().toImage();
    setEdges(control.get(), 0x0000FFu, 0x80000008u);   // the light colour only
    const QImage lit = control->grab().toImage();
    QVERIFY(matches(lit, [&](QPoint p) { return inAny(light, p) ? red : before.pixel(p); }));
    setEdges(control.get(), 0x0000FFu, 0x00FF00u);
    const QImage both = control->grab().toImage();
    QVERIFY(matches(both, [&](QPoint p) { return inAny(dark, p) ? green : lit.pixel(p); }));
    if (pressAt.isNull())
        return;
    QTest::mousePress(control.get(), Qt::LeftButton, {}, pressAt);
    QVERIFY(matches(control->grab().toImage(), [&](QPoint p) {
        return !swapped.contains(p) ? both.pixel(p) : inAny(light, p) ? green : inAny(dark, p) ? red : both.pixel(p);
    }));
    QTest::mouseRelease(control.get(), Qt::LeftButton, {}, pressAt);
    QCOMPARE(control->grab().toImage(), both);
}

void TestSkinnedControl::sizeRules_data()
{
    columns<QString, QSize, QSize>({"kind", "asked", "expected"});
    // 500 twips is 33.3 pixels: the rule gives the 34 pixels that cover it.
    QTest::newRow("button 300x500 twips") << "elboton" << QSize(20, 33) << QSize(34, 24);
    QTest::newRow("label 1000 twips high") << "ellabel" << QSize(70, 67) << QSize(70, 20);
    QTest::newRow("radio 10 px high, 20 wide") << "elradio" << QSize(20, 10) << QSize(34, 19);
    QTest::newRow("combo 50 wide, 40 high") << "elcombo" << QSize(50, 40) << QSize(95, 20);
    QTest::newRow("frame any size") << "elframe" << QSize(7, 3) << QSize(7, 3);
    QTest::newRow("panel 827") << "elpanel" << QSize(827, 687) << QSize(827, 687);
}

void TestSkinnedControl::sizeRules()
{
    const auto [kind, asked, expected] = fetch<QString, QSize, QSize>("kind", "asked", "expected");
    auto control = makeControl(kind);
    control->resize(asked);
    QCOMPARE(control->size(), expected);
    if (auto *panel = qobject_cast<elpanel *>(control.get()))   // close box, then title
        QCOMPARE(Rects({panel->closeBoxGeometry(), panel->titleGeometry()}),
                 Rects({{asked.width() - 26, 8, 18, 18}, {30, 9, asked.width() - 55, 18}}));
    if (auto *panel = qobject_cast<elpanel *>(control.get())) {   // a long title stops under the close box
        panel->setTitle(QString(200, QChar(0x2588)));
        for (int y = 9; y < 25; ++y)
            QCOMPARE(shownAt(panel, asked.width() - 26, y), rgbOf(0x95AAA0));
    }
}

void TestSkinnedControl::backgroundCapture()
{
    const auto [kind, frame] = fetch<QString, bool>("kind", "frame");
    QImage source(400, 300, QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.setPixel(x, y, qRgb(x % 256, (y * 3) % 256, 77));
    auto control = makeControl(kind);
    control->resize(140, 100);
    const QPoint origin(5, 7), inFrame(frame, frame), centre = control->rect().center();
    const QImage &surface = *control->get_the_hdc();
    const QRgb body = rgbOf(control->BackColor().value());
    auto *panel = qobject_cast<elpanel *>(control.get());
    // Inside the close box the picture goes on seamlessly: its frame, not the panel's, is left out.
    const QPoint inBox = panel ? panel->closeBoxGeometry().topLeft() + QPoint(3, 12) : QPoint();

    QString error;
    QVERIFY2(control->obtener_imagen_fondo(source, origin.x(), origin.y(), 255, &error), qPrintable(error));
    for (const QPoint p : {inFrame, centre, control->rect().bottomRight() - inFrame})
        QCOMPARE(surface.pixel(p) & 0xFFFFFF, source.pixel(origin + p - inFrame) & 0xFFFFFF);
    QCOMPARE(surface.pixel(0, 0) & 0xFFFFFF, frame ? body : source.pixel(origin) & 0xFFFFFF);
    if (panel)
        QCOMPARE(shownAt(panel, inBox.x(), inBox.y()), source.pixel(origin + inBox - inFrame) & 0xFFFFFF);

    const QImage captured = surface.copy(), shown = control->grab().toImage();
    QVERIFY(!control->obtener_imagen_fondo(source, 0, 0, 300, &error));
    QVERIFY(error.contains("300"));
    QCOMPARE(surface, captured);
    QCOMPARE(control->grab().toImage(), shown);

    QVERIFY(control->obtener_imagen_fondo(source, origin.x(), origin.y(), 0));
    QCOMPARE(surface.pixel(centre) & 0xFFFFFF, body);
    if (panel)
        QCOMPARE(shownAt(panel, inBox.x(), inBox.y()), body);
}

void TestSkinnedControl::dropShadowIsBlackCopyOnePixelOff()
{
    const auto [kind, caption] = fetch<QString, bool>("kind", "caption");
    if (!caption)
        QSKIP("a control without a caption has no shadow");
    auto control = makeControl(kind);
    control->resize(160, 40);
    control->setBackColor(0xFFFFFFu);   // on white, any tint in the shadow would show
    control->show();
    showCaption(control.get(), false, false);
    const QImage bare = control->grab().toImage();
    showCaption(control.get(), false, true);
    const QRect captionBox = differingPixels(bare, control->grab().toImage());
    showCaption(control.get(), true, false);
    const QImage shadowOnly = control->grab().toImage();
    const QRect shadow = differingPixels(bare, shadowOnly);
    QVERIFY(!captionBox.isEmpty());
    // The caption hides part of its shadow; only the right and bottom fringe is always bare.
    QVERIFY(captionBox.translated(1, 1).contains(shadow));
    QCOMPARE(shadow.bottomRight(), captionBox.bottomRight() + QPoint(1, 1));
    // Black blended into white: grey only, and dark where the strokes are.
    const QImage region = shadowOnly.copy(shadow).convertToFormat(QImage::Format_RGB32);
    const QImage grey = region.convertToFormat(QImage::Format_Grayscale8);
    QCOMPARE(grey.convertToFormat(QImage::Format_RGB32), region);
    QVERIFY(*std::min_element(grey.constBits(), grey.constBits() + grey.sizeInBytes()) < 64);
}

void TestSkinnedControl::mouseEvents_data()
{
    // Steps: p(ress), r(elease), d(ouble-click) or m(ove) with the L, R or N(o) button at x,y ("T": the
    // caption's top) on a control of 300 x 200 or as near as its size rules allow; raised: the signals of
    // each step, steps apart by " | "; pressedLook: whether the first step changes the look.
    columns<QString, QString, QString, QString, bool>({"kind", "setup", "script", "raised", "pressedLook"});
    QTest::newRow("button surface, released outside") << "elboton" << "" << "pL296,20 rL400,80"
        << "MouseDown(1,0,296,20) | MouseUp(1,0,400,80)" << true;
    QTest::newRow("button left pressed with right held") << "elboton" << "rightheld" << "pL20,T+4 rL20,T+4 rR20,T+4"
        << "MouseDown(3,0,14,4) | MouseUp(1,0,14,4) Click | MouseUp(2,0,14,4)" << false;
    QTest::newRow("button disabled") << "elboton" << "disabled" << "pL20,T+4 rL20,T+4" << " | " << false;
    QTest::newRow("button moves: margin, right of caption, caption") << "elboton" << ""
        << "mN2,2 mN296,12 mN16,T+4" << " |  | MouseMove(0,0,10,4)" << false;
    QTest::newRow("label: above, on and below the caption") << "ellabel" << ""
        << "pL150,T-1 rL150,T-1 pL150,T+0 rL150,T+15 pL150,T+16 rL150,T+16 mN150,T+16"
        << " |  | MouseDown(1,0,150,0) | MouseUp(1,0,150,15) Click |  |  | " << false;
    QTest::newRow("panel close box, right, then left") << "elpanel" << "" << "pR283,17 rR283,17 pL283,17 rL283,17"
        << " |  |  | CloseClick" << false;
    QTest::newRow("panel close box, moved away") << "elpanel" << "" << "pL283,17 mL100,100 rL100,100"
        << " |  | " << true;
    QTest::newRow("panel without Cerrar") << "elpanel" << "nocerrar" << "pL283,17 rL283,17"
        << "MouseDown(1,0,283,17) | MouseUp(1,0,283,17) Click" << false;
    QTest::newRow("panel title click, then drag") << "elpanel" << "" << "pL40,15 rL40,15 pL40,15 mL150,120 rL150,120"
        << "TitleMouseDown(1,0,10,6) | TitleMouseUp(1,0,10,6) Click | TitleMouseDown(1,0,10,6) | "
           "TitleMouseMove(1,0,120,111) | TitleMouseUp(1,0,120,111)" << false;
    QTest::newRow("panel shadow strip, icon") << "elpanel" << "shadow" << "pL100,27 rL100,27 pL12,14 rL12,14"
        << " |  | IconMouseDown(1,0,3,4) | IconMouseUp(1,0,3,4)" << false;
    QTest::newRow("frame, then a double-click") << "elframe" << "" << "pL50,40 mL60,41 rL60,41 dL60,41 rL60,41"
        << "MouseDown(1,0,50,40) | MouseMove(1,0,60,41) | MouseUp(1,0,60,41) Click | DblClick | MouseUp(1,0,60,41)"
        << false;
    QTest::newRow("radio: indicator, bare surface, right, caption") << "elradio" << ""
        << "pL9,9 rL9,9 pL22,9 rL22,9 mN22,9 pR9,9 rR9,9 pL38,T+4 rL38,T+4"
        << " | Click |  |  |  |  |  | MouseDown(1,0,10,4) | MouseUp(1,0,10,4) Click" << false;
    QTest::newRow("radio: a double-click toggles once") << "elradio" << "" << "pL9,9 rL9,9 dL9,9 rL9,9 pL38,T+4 rL38,T+4"
        << " | Click |  |  | MouseDown(1,0,10,4) | MouseUp(1,0,10,4) Click" << false;
}

void TestSkinnedControl::mouseEvents()
{
    const auto [kind, setup, script, raised, pressedLook] =
        fetch<QString, QString, QString, QString, bool>("kind", "setup", "script", "raised", "pressedLook");
    auto control = makeControl(kind);
    control->resize(300, 200);
    control->setEnabled(setup != "disabled");
    int top = 0;   // where LayoutCaption puts the caption: centred, rounding down
    if (auto *captioned = qobject_cast<CaptionedControl *>(control.get())) {
        captioned->setDropShadow(setup == "shadow");
        top = int(std::floor(control->height() / 2.0 - captioned->fontMetrics().height() / 2.0));
    }
    if (auto *panel = qobject_cast<elpanel *>(control.get()))
        panel->setCerrar(setup != "nocerrar");
    control->show();
    if (setup == "rightheld")
        QTest::mousePress(control.get(), Qt::RightButton, {}, QPoint(20, top + 4));
    const QImage initial = control->grab().toImage();
    Recorder recorder(control.get());
    QStringList log;
    static const QRegularExpression stepForm("^([prdm])([LRN])(\\d+),(T?)([+-]?\\d+)$");
    for (const QString &step : script.split(' ')) {
        const QRegularExpressionMatch m = stepForm.match(step);
        QVERIFY2(m.hasMatch(), qPrintable(step));
        const QPoint at(m.captured(3).toInt(), m.captured(5).toInt() + (m.captured(4).isEmpty() ? 0 : top));
        const Qt::MouseButton button = m.captured(2) == "L" ? Qt::LeftButton
            : m.captured(2) == "R" ? Qt::RightButton : Qt::NoButton;
        // A disabled control takes no press or release, and QTest says so.
        if (!control->isEnabled() && (m.captured(1) == "p" || m.captured(1) == "r"))
            QTest::ignoreMessage(QtWarningMsg, m.captured(1) == "p"
                                     ? "Mouse event \"MousePress\" not accepted by receiving widget"
                                     : "Mouse event \"MouseRelease\" not accepted by receiving widget");
        if (m.captured(1) == "p")
            QTest::mousePress(control.get(), button, {}, at);
        else if (m.captured(1) == "r")
            QTest::mouseRelease(control.get(), button, {}, at);
        else if (m.captured(1) == "d")   // as the toolkit sends the second press of a double-click
            QTest::mouseDClick(control.get(), button, {}, at);
        else {   // straight to the control, with the button held
            QMouseEvent move(QEvent::MouseMove, at, control->mapToGlobal(at), Qt::NoButton, button, {});
            QApplication::sendEvent(control.get(), &move);
        }
        if (log.isEmpty())
            QCOMPARE(control->grab().toImage() != initial, pressedLook);
        log << recorder.take();
    }
    QCOMPARE(log.join(" | "), raised);
    QCOMPARE(control->grab().toImage(), initial);
}

void TestSkinnedControl::closeBoxColours()
{
    // The close box at (274, 8) of a 300 x 200 panel, from stored colours that differ from each other.
    elpanel panel;
    PropertyStore store;
    store.setValue("color3ddark", 0x222E28);
    store.setValue("backcolor", 0x302010);
    store.setValue("closecolor", 0x0000FF);
    panel.ReadProperties(store);
    panel.resize(300, 200);
    panel.show();
    const QImage shown = panel.grab().toImage();
    const auto at = [&](int x, int y) { return shown.pixel(274 + x, 8 + y) & 0xFFFFFF; };
    // The x in CloseColor: two strokes two pixels wide meeting at (8, 8), 8 x 7 pixels from (5, 5).
    for (const QPoint p : {QPoint(5, 5), QPoint(12, 5), QPoint(8, 8), QPoint(9, 8), QPoint(5, 11), QPoint(12, 11)})
        QCOMPARE(at(p.x(), p.y()), rgbOf(0x0000FF));
    for (const QPoint p : {QPoint(8, 5), QPoint(3, 8), QPoint(14, 8), QPoint(8, 11), QPoint(2, 15)})   // the face
        QCOMPARE(at(p.x(), p.y()), rgbOf(0x302010));
    QCOMPARE(at(0, 9), rgbOf(0x95AAA0));   // light left and top edges, dark right and bottom ones
    QCOMPARE(at(9, 0), rgbOf(0x95AAA0));
    QCOMPARE(at(17, 9), rgbOf(0x222E28));
    QCOMPARE(at(9, 17), rgbOf(0x222E28));
}

void TestSkinnedControl::fontAndEnabledThroughQWidget()
{
    // As a holder or a style sets them, knowing nothing of the control: through QWidget.
    const auto [kind, font] = fetch<QString, bool>("kind", "font");
    QWidget holder;
    auto twin = makeControl(kind);
    SkinnedControl *skinned = makeControl(kind).release();
    skinned->setParent(&holder);
    QWidget *control = skinned;
    for (SkinnedControl *each : {skinned, twin.get()}) {
        each->setGeometry(0, 0, 160, 40);
        each->show();
        if (auto *combo = qobject_cast<elcombo *>(each)) {   // text to show the font
            combo->AddItem("800x600");
            combo->SetListIndex(0);
        }
    }
    holder.show();
    if (font) {   // looks as the same font read from the store
        QFont big = control->font();
        big.setPointSizeF(14);
        big.setBold(true);
        PropertyStore stored;
        stored.setFont("Font", big);
        twin->ReadProperties(stored);
        const QImage before = control->grab().toImage();
        control->setFont(big);
        QCOMPARE(control->grab().toImage(), twin->grab().toImage());
        QVERIFY(control->grab().toImage() != before);
    }
    // The holder's state is not the control's; disabled, the caption keeps its own colour.
    QSignalSpy changed(skinned, &SkinnedControl::PropertyChanged);
    holder.setEnabled(false);
    holder.setEnabled(true);
    QCOMPARE(changed.count(), 0);
    const QImage enabled = control->grab().toImage();
    control->setEnabled(false);
    QVERIFY(!skinned->Enabled());
    QCOMPARE(control->grab().toImage(), enabled);
}

QTEST_MAIN(TestSkinnedControl)
#include "tst_skinnedcontrol.moc"
