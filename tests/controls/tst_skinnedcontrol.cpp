// What the skinned controls share: edge lines, size rules, background capture, the drop shadow,
// which inner element raises which event, and font and Enabled set through QWidget.

#include "controls/controltest.h"

#include <QBitmap>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

namespace {

using Points = QList<QPoint>;

void kinds(std::initializer_list<const char *> names)
{
    columns<QString>({"kind"});
    for (const char *kind : names)
        QTest::newRow(kind) << QString(kind);
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
        for (int i = SkinnedControl::staticMetaObject.methodOffset(); i < meta->methodCount(); ++i)
            if (const QMetaMethod s = meta->method(i); s.methodType() == QMetaMethod::Signal && !s.name().endsWith("Changed"))
                connect(control, s, this, s.parameterCount() ? mouse : plain);
    }
    QString take() { return std::exchange(m_log, {}).join(' '); }

public slots:
    void plain() { m_log << name(); }
    void mouse(int button, int shift, float x, float y) { m_log << QString("%1(%2,%3,%4,%5)").arg(name()).arg(button).arg(shift).arg(x).arg(y); }

private:
    QString name() const { return sender()->metaObject()->method(senderSignalIndex()).name(); }
    QStringList m_log;
};

class TestSkinnedControl : public QObject
{
    Q_OBJECT

private slots:
    void edgeLines_data();
    void edgeLines();
    void sizeRules_data();
    void sizeRules();
    void backgroundCapture_data() { kinds({"elboton", "elpanel", "elframe", "ellabel", "elradio", "elcombo"}); }
    void backgroundCapture();
    void dropShadowIsBlackCopyOnePixelOff_data() { kinds({"elboton", "elpanel", "ellabel", "elradio"}); }
    void dropShadowIsBlackCopyOnePixelOff();
    void mouseEvents_data();
    void mouseEvents();
    void closeBoxColours();
    void fontAndEnabledThroughQWidget();
};

void TestSkinnedControl::edgeLines_data()
{
    // Each line stops one pixel short of its end point; right and bottom are drawn last.
    // A left press at pressAt swaps the edge colours inside swapped.
    columns<QString, QSize, Points, Points, QPoint, QRect>({"kind", "size", "light", "dark", "pressAt", "swapped"});
    QTest::newRow("button, raised, bottom edge from x = 1") << "elboton" << QSize(121, 24)
        << Points{{0, 0}, {119, 0}, {0, 22}} << Points{{120, 0}, {120, 22}, {1, 23}, {120, 23}} << QPoint() << QRect();
    QTest::newRow("panel and close box, raised") << "elpanel" << QSize(300, 200)
        << Points{{0, 0}, {298, 0}, {0, 198}, {274, 24}, {290, 8}}
        << Points{{299, 0}, {0, 199}, {299, 199}, {291, 8}, {274, 25}, {291, 25}} << QPoint(283, 17) << QRect(274, 8, 18, 18);
    QTest::newRow("frame, sunken") << "elframe" << QSize(200, 100)
        << Points{{199, 0}, {0, 99}, {199, 99}} << Points{{0, 0}, {198, 0}, {0, 98}} << QPoint() << QRect();
    QTest::newRow("combo, sunken, right edge from y = 1") << "elcombo" << QSize(145, 20)
        << Points{{144, 1}, {0, 19}, {144, 19}} << Points{{0, 0}, {144, 0}, {0, 18}} << QPoint() << QRect();
}

void TestSkinnedControl::edgeLines()
{
    const auto [kind, size, light, dark, pressAt, swapped] =
        fetch<QString, QSize, Points, Points, QPoint, QRect>("kind", "size", "light", "dark", "pressAt", "swapped");
    auto control = makeControl(kind);
    control->resize(size);
    control->setPalette(QPalette(Qt::white, Qt::black));   // a dark theme leaves the default dark edges black
    control->show();
    for (const QPoint p : dark)
        QCOMPARE(shownAt(control.get(), p.x(), p.y()), 0u);
    if (kind == "elboton")
        QCOMPARE(shownAt(control.get(), 0, 23), 0x4C5844u);
    control->setColor3DLight(0x0000FFu);
    control->setColor3DDark(0x00FF00u);
    const auto check = [&](QRect pressed) {
        for (const QPoint p : light + dark)
            QCOMPARE(shownAt(control.get(), p.x(), p.y()), light.contains(p) != pressed.contains(p) ? 0xFF0000u : 0x00FF00u);
    };
    check({});
    if (pressAt.isNull())
        return;
    QTest::mousePress(control.get(), Qt::LeftButton, {}, pressAt);
    check(swapped);
    QTest::mouseRelease(control.get(), Qt::LeftButton, {}, pressAt);
    check({});
}

void TestSkinnedControl::sizeRules_data()
{
    columns<QString, QSize, QSize>({"kind", "asked", "expected"});
    QTest::newRow("button 300x500 twips") << "elboton" << QSize(20, 33) << QSize(34, 24);   // 33.3 pixels: 34
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
    if (auto *panel = qobject_cast<elpanel *>(control.get())) {   // a long title stops under the close box
        panel->setTitle(QString(200, QChar(0x2588)));
        QCOMPARE(shownAt(panel, 801, 16), 0xA0AA95u);
    }
}

void TestSkinnedControl::backgroundCapture()
{
    const auto [kind] = fetch<QString>("kind");
    QImage source(400, 300, QImage::Format_RGB32);
    for (int i = 0; i < 400 * 300; ++i)
        source.setPixel(i % 400, i / 400, qRgb(i % 256, i / 400 * 3 % 256, 77));
    auto control = makeControl(kind);
    control->resize(140, 100);
    // Framed controls capture inside their edges; inside the close box the picture goes on seamlessly.
    const bool framed = QStringList{"elboton", "elpanel", "elframe"}.contains(kind);
    const QPoint origin(5, 7), inFrame(framed, framed), centre = control->rect().center();
    const QImage &surface = *control->get_the_hdc();
    const QRgb body = control->BackColor().toColor().rgb() & 0xFFFFFF;
    auto *panel = qobject_cast<elpanel *>(control.get());
    const QPoint inBox = panel ? panel->closeBoxGeometry().topLeft() + QPoint(3, 12) : QPoint();
    const auto sourceAt = [&](QPoint p) { return source.pixel(origin + p - inFrame) & 0xFFFFFF; };
    QString error;
    QVERIFY2(control->obtener_imagen_fondo(source, origin.x(), origin.y(), 255, &error), qPrintable(error));
    for (const QPoint p : {inFrame, centre, control->rect().bottomRight() - inFrame})
        QCOMPARE(surface.pixel(p) & 0xFFFFFF, sourceAt(p));
    QCOMPARE(surface.pixel(0, 0) & 0xFFFFFF, framed ? body : sourceAt({}));
    if (panel)
        QCOMPARE(shownAt(panel, inBox.x(), inBox.y()), sourceAt(inBox));
    const QImage captured = surface.copy();
    QVERIFY(!control->obtener_imagen_fondo(source, 0, 0, 300, &error) && error.contains("300"));
    QCOMPARE(surface, captured);
    QVERIFY(control->obtener_imagen_fondo(source, origin.x(), origin.y(), 0));
    QCOMPARE(surface.pixel(centre) & 0xFFFFFF, body);
    if (panel)
        QCOMPARE(shownAt(panel, inBox.x(), inBox.y()), body);
}

void TestSkinnedControl::dropShadowIsBlackCopyOnePixelOff()
{
    // All white but a red caption, unsmoothed: the shadow is its strokes in black, one pixel right and down, beneath.
    const auto [kind] = fetch<QString>("kind");
    auto control = makeControl(kind);
    control->resize(160, 40);
    for (const char *name : {"BackColor", "BackColor2", "Color3DLight", "Color3DDark", "ForeColor", "UncheckedColor"})
        control->setProperty(name, QVariant::fromValue(ColorValue(name[0] == 'F' || name[0] == 'U' ? 0xFFu : 0xFFFFFFu)));
    control->setProperty("Icon", false);
    control->setProperty("Cerrar", false);
    QFont font = control->font();
    font.setStyleStrategy(QFont::NoAntialias);
    control->setFont(font);
    control->show();
    const QImage caption = control->grab().toImage();
    const QRegion strokes(QBitmap::fromImage(caption.createMaskFromColor(qRgb(255, 0, 0), Qt::MaskOutColor)));
    QImage expected = caption;
    QPainter painter(&expected);
    painter.setClipRegion(strokes.translated(1, 1) - strokes);
    painter.fillRect(expected.rect(), Qt::black);
    painter.end();
    QVERIFY(!strokes.isEmpty());
    control->setProperty("DropShadow", true);
    QCOMPARE(control->grab().toImage(), expected);
}

void TestSkinnedControl::mouseEvents_data()
{
    // Steps: p(ress), r(elease), d(ouble-click) or m(ove) with the L, R or N(o) button at x,y ("T": the caption's
    // top) on a control of 300 x 200 or as near as its size rules allow; raised: each step's signals, " | " apart.
    columns<QString, QString, QString, QString>({"kind", "setup", "script", "raised"});
    QTest::newRow("button surface, released outside") << "elboton" << "" << "pL296,20 rL400,80"
        << "MouseDown(1,0,296,20) | MouseUp(1,0,400,80)";
    QTest::newRow("button left pressed with right held") << "elboton" << "rightheld" << "pL20,T+4 rL20,T+4 rR20,T+4"
        << "MouseDown(3,0,14,4) | MouseUp(1,0,14,4) Click | MouseUp(2,0,14,4)";
    QTest::newRow("label: above, on and below the caption") << "ellabel" << ""
        << "pL150,T-1 rL150,T-1 pL150,T+0 rL150,T+15 pL150,T+16 rL150,T+16 mN150,T+16 mN150,T+2"
        << " |  | MouseDown(1,0,150,0) | MouseUp(1,0,150,15) Click |  |  |  | MouseMove(0,0,150,2)";
    QTest::newRow("panel close box, right, then left") << "elpanel" << "" << "pR283,17 rR283,17 pL283,17 rL283,17"
        << " |  |  | CloseClick";
    QTest::newRow("panel close box, moved away") << "elpanel" << "" << "pL283,17 mL100,100 rL100,100" << " |  | ";
    QTest::newRow("panel title click, then drag") << "elpanel" << "" << "pL40,15 rL40,15 pL40,15 mL150,120 rL150,120"
        << "TitleMouseDown(1,0,10,6) | TitleMouseUp(1,0,10,6) Click | TitleMouseDown(1,0,10,6) | "
           "TitleMouseMove(1,0,120,111) | TitleMouseUp(1,0,120,111)";
    QTest::newRow("panel shadow strip, icon") << "elpanel" << "shadow" << "pL100,27 rL100,27 pL12,14 rL12,14"
        << " |  | IconMouseDown(1,0,3,4) | IconMouseUp(1,0,3,4)";
    QTest::newRow("frame, then a double-click") << "elframe" << "" << "pL50,40 mL60,41 rL60,41 dL60,41 rL60,41"
        << "MouseDown(1,0,50,40) | MouseMove(1,0,60,41) | MouseUp(1,0,60,41) Click | DblClick | MouseUp(1,0,60,41)";
    QTest::newRow("radio: indicator, bare surface, right, caption, indicator left") << "elradio" << ""
        << "pL9,9 rL9,9 pL22,9 rL22,9 mN22,9 pR9,9 rR9,9 pL38,T+4 rL38,T+4 pL9,9 rL22,9"
        << " | Click |  |  |  |  |  | MouseDown(1,0,10,4) | MouseUp(1,0,10,4) Click |  | ";
}

void TestSkinnedControl::mouseEvents()
{
    const auto [kind, setup, script, raised] = fetch<QString, QString, QString, QString>("kind", "setup", "script", "raised");
    auto control = makeControl(kind);
    control->resize(300, 200);
    control->setProperty("DropShadow", setup == "shadow");
    const int top = int(std::floor(control->height() / 2.0 - control->fontMetrics().height() / 2.0));   // centred
    control->show();
    if (setup == "rightheld")
        QTest::mousePress(control.get(), Qt::RightButton, {}, QPoint(20, top + 4));
    const QImage initial = control->grab().toImage();
    Recorder recorder(control.get());
    QStringList log;
    static const QRegularExpression stepForm("^([prdm])([LRN])(\\d+),(T?)([+-]?\\d+)$");
    for (const QString &step : script.split(' ')) {
        const QRegularExpressionMatch m = stepForm.match(step);
        const QPoint at(m.captured(3).toInt(), m.captured(5).toInt() + (m.captured(4).isEmpty() ? 0 : top));
        const Qt::MouseButton button = m.captured(2) == "L" ? Qt::LeftButton : m.captured(2) == "R" ? Qt::RightButton : Qt::NoButton;
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
        log << recorder.take();
    }
    QCOMPARE(log.join(" | "), raised);
    QCOMPARE(control->grab().toImage(), initial);   // every pressed look let go
}

void TestSkinnedControl::closeBoxColours()
{
    // The x in CloseColor, two strokes two pixels wide meeting at (8, 8), on the face in BackColor.
    elpanel panel;
    PropertyStore store;
    store.setValue("backcolor", 0x302010);
    store.setValue("closecolor", 0x0000FF);
    panel.ReadProperties(store);
    panel.show();
    for (const QPoint p : {QPoint(5, 5), QPoint(12, 5), QPoint(8, 8), QPoint(9, 8), QPoint(5, 11), QPoint(12, 11)})
        QCOMPARE(shownAt(&panel, 274 + p.x(), 8 + p.y()), 0xFF0000u);
    for (const QPoint p : {QPoint(8, 5), QPoint(3, 8), QPoint(14, 8), QPoint(8, 11), QPoint(2, 15)})
        QCOMPARE(shownAt(&panel, 274 + p.x(), 8 + p.y()), 0x102030u);
}

void TestSkinnedControl::fontAndEnabledThroughQWidget()
{
    // Set through QWidget, as a holder or a style does: the font reaches the inner list and the store.
    QWidget holder;
    auto *combo = new elcombo(&holder);
    combo->AddItem("800x600");
    combo->SetListIndex(0);
    holder.show();
    const QImage before = combo->grab().toImage();
    static_cast<QWidget *>(combo)->setFont(QFont("Courier New", 14, QFont::Bold));
    const QImage enabled = combo->grab().toImage();
    QVERIFY(enabled != before);
    PropertyStore stored;
    combo->WriteProperties(stored);
    QCOMPARE(stored.readFont("Font", {}), QFont("Courier New", 14, QFont::Bold));
    // The holder's state is not the control's; disabled, the control keeps its look.
    QSignalSpy changed(combo, &SkinnedControl::PropertyChanged);
    holder.setEnabled(false);
    holder.setEnabled(true);
    QCOMPARE(changed.count(), 0);
    static_cast<QWidget *>(combo)->setEnabled(false);
    QVERIFY(!combo->Enabled());
    QCOMPARE(combo->grab().toImage(), enabled);
}

QTEST_MAIN(TestSkinnedControl)
#include "tst_skinnedcontrol.moc"
