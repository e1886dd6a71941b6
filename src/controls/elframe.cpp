#include "controls/elframe.h"

#include <QPainter>

elframe::elframe(QWidget *parent)
    : SkinnedControl(parent)
{
    edgeColorsChanged();
    resize(100, 100);
    placeFrameLines(m_lineA, m_lineB, width(), height());
}

void elframe::edgeColorsChanged()
{
    colorLines(m_lineA, Color3DDark());
    colorLines(m_lineB, Color3DLight());
}

QRect elframe::captureRect() const
{
    return rect().adjusted(1, 1, -1, -1);
}

int elframe::elementAt(const QPointF &pos) const
{
    return covers(rect(), pos) ? SurfaceElement : NoElement;
}

void elframe::elementPressed(int, int button, int shift, QPointF pos)
{
    emit MouseDown(button, shift, float(pos.x()), float(pos.y()));
}

void elframe::elementMoved(int, int button, int shift, QPointF pos)
{
    emit MouseMove(button, shift, float(pos.x()), float(pos.y()));
}

void elframe::elementReleased(int, int button, int shift, QPointF pos, int under)
{
    emit MouseUp(button, shift, float(pos.x()), float(pos.y()));
    if (button == 1 && under == SurfaceElement)
        emit Click();
}

void elframe::elementDoubleClicked(int, int, int, QPointF)
{
    emit DblClick();
}

void elframe::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintSurface(painter);
    paintLines(painter, m_lineA);
    paintLines(painter, m_lineB);
}

void elframe::resizeEvent(QResizeEvent *event)
{
    SkinnedControl::resizeEvent(event);
    placeFrameLines(m_lineA, m_lineB, width(), height());
}
