#include "controls/captionedcontrol.h"

#include <QFontMetrics>
#include <QPainter>
#include <QtMath>

CaptionedControl::CaptionedControl(QWidget *parent)
    : SkinnedControl(parent)
{
    m_caption.font = designFont();
    m_shadow.font = m_caption.font;
    m_shadow.color = 0x000000u;
    m_shadow.visible = false;
    m_shadow.enabled = false;
}

void CaptionedControl::setDropShadow(bool on)
{
    m_shadow.visible = on;
    m_shadow.enabled = on;
    update();
    changed(QStringLiteral("DropShadow"));
}

void CaptionedControl::setFont(const QFont &font)
{
    applyFont(font, QStringLiteral("Font"));
}

void CaptionedControl::setFontName(const QString &name)
{
    QFont font = m_caption.font;
    font.setFamily(name);
    applyFont(font, QStringLiteral("FontName"));
}

void CaptionedControl::setFontSize(float points)
{
    QFont font = m_caption.font;
    font.setPointSizeF(points);
    applyFont(font, QStringLiteral("FontSize"));
}

void CaptionedControl::setFontItalic(bool on)
{
    QFont font = m_caption.font;
    font.setItalic(on);
    applyFont(font, QStringLiteral("FontItalic"));
}

void CaptionedControl::setFontUnderline(bool on)
{
    QFont font = m_caption.font;
    font.setUnderline(on);
    applyFont(font, QStringLiteral("FontUnderline"));
}

void CaptionedControl::setForeColor(ColorValue color)
{
    m_caption.color = color;
    update();
    changed(QStringLiteral("ForeColor"));
}

void CaptionedControl::LayoutCaption(int width)
{
    m_caption.geometry.setWidth(width);
    m_shadow.geometry.setWidth(width);
    // A control no taller than its caption label keeps the caption where its design put it.
    const int inner = height();
    if (inner <= m_caption.geometry.height())
        return;
    const int textHeight = QFontMetrics(m_caption.font).height();
    const int top = qFloor(inner / 2.0 - textHeight / 2.0);
    m_caption.geometry.moveTop(top);
    m_shadow.geometry.moveTop(top + 1);
}

void CaptionedControl::setCaptionText(const QString &text)
{
    m_caption.text = text;
    m_shadow.text = text;
    layoutCaption();
    update();
}

void CaptionedControl::applyFont(const QFont &font, const QString &property)
{
    m_caption.font = font;
    m_shadow.font = font;
    layoutCaption();
    update();
    changed(property);
}

void CaptionedControl::readCaptionFont(const PropertyStore &store)
{
    const QFont font = readFontValues(store);
    m_caption.font = font;
    m_shadow.font = font;
    layoutCaption();
    update();
}

void CaptionedControl::readDropShadow(const PropertyStore &store)
{
    const bool on = store.readBool(QStringLiteral("DropShadow"), false);
    m_shadow.visible = on;
    m_shadow.enabled = on;
    update();
}

int CaptionedControl::captionElementAt(const QPointF &pos, int captionElement, int shadowElement) const
{
    if (m_caption.visible && covers(m_caption.geometry, pos))
        return captionElement;
    // The shadow lies beneath the caption and takes only what falls on its own strip.
    if (m_shadow.visible && m_shadow.enabled && covers(m_shadow.geometry, pos))
        return shadowElement;
    return NoElement;
}

void CaptionedControl::paintCaption(QPainter &painter) const
{
    paintText(painter, m_shadow);
    paintText(painter, m_caption);
}
