#pragma once

#include "controls/captionedcontrol.h"

// The skinned push button: a fixed-height face (360 twips) at least 500 twips
// wide with raised one-pixel edges that swap while the left button, Space or
// Enter holds it down, and a left-aligned caption 95 twips from the left edge.
// Click comes only with the release of what pressed this very button; losing
// the focus lets the button up without a Click.
class elboton : public CaptionedControl
{
    Q_OBJECT
    Q_CLASSINFO("StoredValues", "ForeColor BackColor Enabled Caption Color3DLight Color3DDark Font FontName "
                                "FontSize FontItalic FontUnderline DropShadow")

public:
    Q_INVOKABLE explicit elboton(QWidget *parent = nullptr);

    using CaptionedControl::ForeColor;
    using CaptionedControl::setForeColor;
    using CaptionedControl::Caption;
    using CaptionedControl::setCaption;

    // Whether the edges currently show the pressed (swapped) look.
    bool isPressedLook() const { return m_lineA[0].color == Color3DDark() && Color3DLight() != Color3DDark(); }
    QSize sizeHint() const override;

protected:
    // The inner elements, as elementAt() numbers them.
    enum { Surface = SurfaceElement, Label = CaptionElement, Shadow = ShadowElement };

    void arrangeCaption() override;
    void edgeColorsChanged() override;
    QRect captureRect() const override;
    void elementPressed(int element, int button, int shift, QPointF pos) override;
    void elementReleased(int element, int button, int shift, QPointF pos, int under) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showPressed(bool pressed);

    EdgeLine m_lineA[2];   // top, left
    EdgeLine m_lineB[2];   // right, bottom
    int m_heldKey = 0;          // the key holding the button down, 0 when none
    bool m_heldMouse = false;   // a left press on this button awaits its release
};
