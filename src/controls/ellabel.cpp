#include "controls/ellabel.h"

#include <QPainter>

namespace {
constexpr int LabelHeightTwips = 300;
}

ellabel::ellabel(QWidget *parent)
    : CaptionedControl(parent)
{
    // Label2: 645 x 240 twips at the top left; shadow1 one pixel right and lower.
    m_caption.geometry = QRect(0, 0, 43, 16);
    m_shadow.geometry = QRect(1, 1, 43, 16);
    m_caption.text = m_shadow.text = QStringLiteral("Caption");
    m_caption.color = PaleText;
    CaptionedControl::setBackColor(DarkBody);
    setFixedHeight(twipsToPixels(LabelHeightTwips));
    resize(320, height());
    arrangeCaption();
}

QSize ellabel::sizeHint() const
{
    return {320, twipsToPixels(LabelHeightTwips)};
}

void ellabel::arrangeCaption()
{
    LayoutCaption(width());
}

int ellabel::elementAt(const QPointF &pos) const
{
    const int caption = captionElementAt(pos, Label2, Shadow);
    if (caption != NoElement)
        return caption;
    return covers(rect(), pos) ? int(Surface) : NoElement;
}

QRect ellabel::elementRect(int element) const
{
    switch (element) {
    case Label2: return m_caption.geometry;
    case Shadow: return m_shadow.geometry;
    default: return rect();
    }
}

void ellabel::elementPressed(int element, int button, int shift, QPointF pos)
{
    if (element == Label2)
        emit MouseDown(button, shift, float(pos.x()), float(pos.y()));
}

void ellabel::elementMoved(int element, int button, int shift, QPointF pos)
{
    if (element == Label2)
        emit MouseMove(button, shift, float(pos.x()), float(pos.y()));
}

void ellabel::elementReleased(int element, int button, int shift, QPointF pos, int under)
{
    if (element != Label2)
        return;
    emit MouseUp(button, shift, float(pos.x()), float(pos.y()));
    if (button == 1 && under == Label2)
        emit Click();
}

void ellabel::elementDoubleClicked(int element, int, int, QPointF)
{
    if (element == Label2)
        emit DblClick();
}

void ellabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintSurface(painter);
    paintCaption(painter);
}

void ellabel::resizeEvent(QResizeEvent *event)
{
    CaptionedControl::resizeEvent(event);
    arrangeCaption();
}
