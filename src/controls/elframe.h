#pragma once

#include "controls/skinnedcontrol.h"

// A captionless rectangle of body colour with an engraved one-pixel border:
// dark top and left, light right and bottom. Takes any size.
class elframe : public SkinnedControl
{
    Q_OBJECT

public:
    explicit elframe(QWidget *parent = nullptr);

    ColorValue Color3DLight() const { return m_lineB[0].color; }
    void setColor3DLight(ColorValue color);
    ColorValue Color3DDark() const { return m_lineA[0].color; }
    void setColor3DDark(ColorValue color);

    void ReadProperties(const PropertyStore &store) override;
    void WriteProperties(PropertyStore &store) const override;

signals:
    void Click();
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseMove(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);
    void DblClick();

protected:
    QRect captureRect() const override;
    int elementAt(const QPointF &pos) const override;
    void elementPressed(int element, int button, int shift, QPointF pos) override;
    void elementMoved(int element, int button, int shift, QPointF pos) override;
    void elementReleased(int element, int button, int shift, QPointF pos, int under) override;
    void elementDoubleClicked(int element, int button, int shift, QPointF pos) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    EdgeLine m_lineA[2];   // top, left (dark)
    EdgeLine m_lineB[2];   // right, bottom (light)
};
