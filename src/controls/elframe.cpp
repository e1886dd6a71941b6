#include "controls/elframe.h"

#include <QPainter>

elframe::elframe(QWidget *parent)
    : SkinnedControl(parent)
{
    for (EdgeLine &line : m_lineA)
        line.color = WindowTextColor;
    for (EdgeLine &line : m_lineB)
        line.color = LightEdge;
    resize(100, 100);
    placeFrameLines(m_lineA, m_lineB, width(), height());
}

void elframe::setColor3DLight(ColorValue color)
{
    setLineColors(m_lineB, color, QStringLiteral("Color3DLight"));
}

void elframe::setColor3DDark(ColorValue color)
{
    setLineColors(m_lineA, color, QStringLiteral("Color3DDark"));
}

void elframe::ReadProperties(const PropertyStore &store)
{
    LoadScope scope(this);
    setBackColor(store.readColor(QStringLiteral("BackColor"), OliveBody));
    setEnabled(store.readBool(QStringLiteral("Enabled"), true));
    setColor3DLight(store.readColor(QStringLiteral("Color3DLight"), LightEdge));
    setColor3DDark(store.readColor(QStringLiteral("Color3DDark"), WindowTextColor));
}

void elframe::WriteProperties(PropertyStore &store) const
{
    store.setColor(QStringLiteral("BackColor"), BackColor());
    store.setBool(QStringLiteral("Enabled"), Enabled());
    store.setColor(QStringLiteral("Color3DLight"), Color3DLight());
    store.setColor(QStringLiteral("Color3DDark"), Color3DDark());
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
