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
{
    // label: left 95, top 45, 480 x 240 twips; shadow1 one pixel right and lower.
    m_caption.geometry = QRect(6, 3, 32, 16);
    m_shadow.geometry = QRect(7, 4, 32, 16);
    m_caption.text = m_shadow.text = QStringLiteral("Boton");
    m_caption.color = White;
    edgeColorsChanged();
    setFocusPolicy(Qt::StrongFocus);
    setFixedHeight(twipsToPixels(ButtonHeightTwips));
    setMinimumWidth(twipsToPixels(MinimumWidthTwips));
    resize(80, height());
    placeFrameLines(m_lineA, m_lineB, width(), height(), 1);
    arrangeCaption();
}

void elboton::edgeColorsChanged()
{
    colorLines(m_lineA, Color3DLight());
    colorLines(m_lineB, Color3DDark());
}

QSize elboton::sizeHint() const
{
    return {80, twipsToPixels(ButtonHeightTwips)};
}

void elboton::arrangeCaption()
{
    // The caption is as wide as the button less 200 twips, and keeps its left edge.
    LayoutCaption(qRound((width() * TwipsPerPixel - CaptionMarginTwips) / double(TwipsPerPixel)));
}

QRect elboton::captureRect() const
{
    return rect().adjusted(1, 1, -1, -1);
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
    colorLines(m_lineA, pressed ? Color3DDark() : Color3DLight());
    colorLines(m_lineB, pressed ? Color3DLight() : Color3DDark());
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
    arrangeCaption();
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
