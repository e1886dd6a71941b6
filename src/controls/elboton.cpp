#include "controls/elboton.h"

#include <QKeyEvent>
#include <QPainter>
#include <QtMath>

#include <utility>

namespace {
constexpr int ButtonHeightTwips = 360;
constexpr int MinimumWidthTwips = 500;
constexpr int CaptionMarginTwips = 200;

bool pushesButton(int key)
{
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}
}

elboton::elboton(QWidget *parent)
    : CaptionedControl(parent)
    , m_lightColor(LightEdge)
    , m_darkColor(WindowTextColor)
{
    // label: left 95, top 45, 480 x 240 twips; shadow1 one pixel right and lower.
    m_caption.geometry = QRect(6, 3, 32, 16);
    m_shadow.geometry = QRect(7, 4, 32, 16);
    m_caption.text = m_shadow.text = QStringLiteral("Boton");
    m_caption.color = White;
    for (EdgeLine &line : m_lineA)
        line.color = m_lightColor;
    for (EdgeLine &line : m_lineB)
        line.color = m_darkColor;
    setFocusPolicy(Qt::StrongFocus);
    setFixedHeight(twipsToPixels(ButtonHeightTwips));
    setMinimumWidth(twipsToPixels(MinimumWidthTwips));
    resize(80, height());
    placeFrameLines(m_lineA, m_lineB, width(), height(), 1);
    layoutCaption();
}

void elboton::setColor3DLight(ColorValue color)
{
    m_lightColor = color;
    setLineColors(m_lineA, color, QStringLiteral("Color3DLight"));
}

void elboton::setColor3DDark(ColorValue color)
{
    m_darkColor = color;
    setLineColors(m_lineB, color, QStringLiteral("Color3DDark"));
}

void elboton::setCaption(const QString &text)
{
    setCaptionText(text);
    changed(QStringLiteral("Caption"));
}

void elboton::ReadProperties(const PropertyStore &store)
{
    LoadScope scope(this);
    setForeColor(store.readColor(QStringLiteral("ForeColor"), White));
    setBackColor(store.readColor(QStringLiteral("BackColor"), OliveBody));
    setEnabled(store.readBool(QStringLiteral("Enabled"), true));
    setCaption(store.readText(QStringLiteral("Caption"), QStringLiteral("Boton")));
    setColor3DLight(store.readColor(QStringLiteral("Color3DLight"), LightEdge));
    setColor3DDark(store.readColor(QStringLiteral("Color3DDark"), WindowTextColor));
    readCaptionFont(store);
    readDropShadow(store);
}

void elboton::WriteProperties(PropertyStore &store) const
{
    store.setColor(QStringLiteral("ForeColor"), ForeColor());
    store.setColor(QStringLiteral("BackColor"), BackColor());
    store.setBool(QStringLiteral("Enabled"), Enabled());
    store.setText(QStringLiteral("Caption"), Caption());
    store.setColor(QStringLiteral("Color3DLight"), Color3DLight());
    store.setColor(QStringLiteral("Color3DDark"), Color3DDark());
    writeFontValues(store, Font());
    store.setBool(QStringLiteral("DropShadow"), DropShadow());
}

QSize elboton::sizeHint() const
{
    return {80, twipsToPixels(ButtonHeightTwips)};
}

void elboton::layoutCaption()
{
    // The caption is as wide as the button less 200 twips, and keeps its left edge.
    LayoutCaption(qRound((width() * TwipsPerPixel - CaptionMarginTwips) / double(TwipsPerPixel)));
}

QRect elboton::captureRect() const
{
    return rect().adjusted(1, 1, -1, -1);
}

int elboton::elementAt(const QPointF &pos) const
{
    const int caption = captionElementAt(pos, Label, Shadow);
    if (caption != NoElement)
        return caption;
    return covers(rect(), pos) ? int(Surface) : NoElement;
}

QRect elboton::elementRect(int element) const
{
    switch (element) {
    case Label: return m_caption.geometry;
    case Shadow: return m_shadow.geometry;
    default: return rect();
    }
}

void elboton::elementPressed(int element, int button, int shift, QPointF pos)
{
    if (element == Shadow)
        return;
    // The left button may go down while another is held; its release still clicks.
    if (button & 1)
        m_heldMouse = true;
    if (button == 1)
        showPressed(true);
    emit MouseDown(button, shift, float(pos.x()), float(pos.y()));
}

void elboton::elementMoved(int element, int button, int shift, QPointF pos)
{
    if (element == Label)
        emit MouseMove(button, shift, float(pos.x()), float(pos.y()));
}

void elboton::elementReleased(int element, int button, int shift, QPointF pos, int under)
{
    if (element == Shadow)
        return;
    const bool armed = button == 1 && std::exchange(m_heldMouse, false);
    if (button == 1)
        showPressed(m_heldKey != 0);
    emit MouseUp(button, shift, float(pos.x()), float(pos.y()));
    if (armed && (under == Label || under == Surface))
        emit Click();
}

void elboton::showPressed(bool pressed)
{
    const ColorValue topLeft = pressed ? m_darkColor : m_lightColor;
    const ColorValue bottomRight = pressed ? m_lightColor : m_darkColor;
    m_lineA[0].color = m_lineA[1].color = topLeft;
    m_lineB[0].color = m_lineB[1].color = bottomRight;
    update();
}

void elboton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintSurface(painter);
    paintLines(painter, m_lineA);
    paintLines(painter, m_lineB);
    paintCaption(painter);
    if (showsFocusMark()) {
        painter.setPen(QPen(colorOf(m_caption.color), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

void elboton::resizeEvent(QResizeEvent *event)
{
    CaptionedControl::resizeEvent(event);
    placeFrameLines(m_lineA, m_lineB, width(), height(), 1);
    layoutCaption();
}

void elboton::keyPressEvent(QKeyEvent *event)
{
    if (!pushesButton(event->key())) {
        CaptionedControl::keyPressEvent(event);
        return;
    }
    // The first of Space and Enter to go down holds the button; repeats and a second key
    // are taken, so they reach no default button of the window either.
    if (m_heldKey == 0 && !event->isAutoRepeat()) {
        m_heldKey = event->key();
        showPressed(true);
    }
}

void elboton::keyReleaseEvent(QKeyEvent *event)
{
    if (!pushesButton(event->key())) {
        CaptionedControl::keyReleaseEvent(event);
        return;
    }
    // A key that went down on another button (before a Tab) clicks nothing here.
    if (event->isAutoRepeat() || event->key() != m_heldKey)
        return;
    m_heldKey = 0;
    showPressed(m_heldMouse);
    emit Click();
}

void elboton::focusOutEvent(QFocusEvent *event)
{
    // The user has moved on: the key or mouse release that follows must click nothing,
    // and the button must not stay drawn down.
    if (m_heldKey != 0 || m_heldMouse) {
        m_heldKey = 0;
        m_heldMouse = false;
        showPressed(false);
    }
    CaptionedControl::focusOutEvent(event);
}
