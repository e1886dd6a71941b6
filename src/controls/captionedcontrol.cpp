#include "controls/captionedcontrol.h"

#include <QtMath>

CaptionedControl::CaptionedControl(QWidget *parent)
    : SkinnedControl(parent)
{
    setOwnFont(designFont());
    m_shadow.color = 0x000000u;
    m_shadow.visible = false;
}

void CaptionedControl::setDropShadow(bool on)
{
    m_shadow.visible = on;
    update();
    changed(QStringLiteral("DropShadow"));
}

void CaptionedControl::setForeColor(ColorValue color)
{
    m_caption.color = color;
    update();
    changed(QStringLiteral("ForeColor"));
}

void CaptionedControl::setCaption(const QString &text)
{
    setCaptionText(text);
    changed(QStringLiteral("Caption"));
}

void CaptionedControl::LayoutCaption(int width)
{
    m_caption.geometry.setWidth(width);
    m_shadow.geometry.setWidth(width);
    // A control no taller than its caption label keeps the caption where its design put it.
    const int inner = height();
    if (inner <= m_caption.geometry.height())
        return;
    const int top = qFloor(inner / 2.0 - fontMetrics().height() / 2.0);
    m_caption.geometry.moveTop(top);
    m_shadow.geometry.moveTop(top + 1);
}

void CaptionedControl::setCaptionText(const QString &text)
{
    m_caption.text = text;
    m_shadow.text = text;
    arrangeCaption();
    update();
}

void CaptionedControl::fontChanged()
{
    arrangeCaption();
}

int CaptionedControl::captionElementAt(const QPointF &pos) const
{
    if (m_caption.visible && covers(m_caption.geometry, pos))
        return CaptionElement;
    // The shadow lies beneath the caption and takes only what falls on its own strip.
    if (m_shadow.visible && covers(m_shadow.geometry, pos))
        return ShadowElement;
    return NoElement;
}

int CaptionedControl::elementAt(const QPointF &pos) const
{
    const int caption = captionElementAt(pos);
    if (caption != NoElement)
        return caption;
    return covers(rect(), pos) ? SurfaceElement : NoElement;
}

QRect CaptionedControl::elementRect(int element) const
{
    switch (element) {
    case CaptionElement: return m_caption.geometry;
    case ShadowElement: return m_shadow.geometry;
    default: return rect();
    }
}

void CaptionedControl::elementPressed(int element, int button, int shift, QPointF pos)
{
    if (element == CaptionElement)
        emit MouseDown(button, shift, float(pos.x()), float(pos.y()));
}

void CaptionedControl::elementMoved(int element, int button, int shift, QPointF pos)
{
    if (element == CaptionElement)
        emit MouseMove(button, shift, float(pos.x()), float(pos.y()));
}

void CaptionedControl::paintCaption(QPainter &painter) const
{
    paintText(painter, m_shadow);
    paintText(painter, m_caption);
}
