#pragma once

#include "controls/skinnedcontrol.h"

// A captionless rectangle of body colour with an engraved one-pixel border:
// dark top and left, light right and bottom. Takes any size.
class elframe : public SkinnedControl
{
    Q_OBJECT
    Q_CLASSINFO("StoredValues", "BackColor Enabled Color3DLight Color3DDark")

public:
    Q_INVOKABLE explicit elframe(QWidget *parent = nullptr);

signals:
    void DblClick();

protected:
    void edgeColorsChanged() override;
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
