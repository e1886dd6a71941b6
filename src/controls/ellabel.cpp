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
