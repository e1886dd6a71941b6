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

public:
    explicit elboton(QWidget *parent = nullptr);

    ColorValue Color3DLight() const { return m_lineA[0].color; }
    void setColor3DLight(ColorValue color);
    ColorValue Color3DDark() const { return m_lineB[0].color; }
    void setColor3DDark(ColorValue color);
    using CaptionedControl::ForeColor;
    using CaptionedControl::setForeColor;
    QString Caption() const { return m_caption.text; }
    void setCaption(const QString &text);

    void ReadProperties(const PropertyStore &store) override;
    void WriteProperties(PropertyStore &store) const override;

    // Whether the edges currently show the pressed (swapped) look.
    bool isPressedLook() const { return m_lineA[0].color == m_darkColor && m_lightColor != m_darkColor; }
    QSize sizeHint() const override;

signals:
    void Click();
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseMove(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);

protected:
    enum Element { Surface = SurfaceElement, Label, Shadow };

    void layoutCaption() override;
    QRect captureRect() const override;
    int elementAt(const QPointF &pos) const override;
    QRect elementRect(int element) const override;
    void elementPressed(int element, int button, int shift, QPointF pos) override;
    void elementMoved(int element, int button, int shift, QPointF pos) override;
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
    ColorValue m_lightColor;
    ColorValue m_darkColor;
    int m_heldKey = 0;          // the key holding the button down, 0 when none
    bool m_heldMouse = false;   // a left press on this button awaits its release
};
