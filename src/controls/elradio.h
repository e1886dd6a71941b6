#pragma once

#include "controls/captionedcontrol.h"

// The skinned option button: a sunken round indicator with a dot while on, and
// a caption whose colour tells the state. Each click toggles Value, then
// raises Click; a holder that wants one-of-many clears the others itself.
// The radios under one parent form a group: the arrow keys move the focus
// through it, round from the last to the first, and click the radio they reach
// when it is off. Tab makes one stop in a group, at its radio that is on.
class elradio : public CaptionedControl
{
    Q_OBJECT

public:
    explicit elradio(QWidget *parent = nullptr);

    // On an off radio, shows the caption in OverColor until the next repaint.
    void set_over_state();
    // Repaints the indicator, which restores the caption's state colour.
    void set_normal_state();

    ColorValue Color3DLight() const { return m_color3DLight; }
    void setColor3DLight(ColorValue color);
    ColorValue Color3DDark() const { return m_color3DDark; }
    void setColor3DDark(ColorValue color);
    ColorValue CheckedColor() const { return m_checkedColor; }
    ColorValue UncheckedColor() const { return m_uncheckedColor; }
    ColorValue OverColor() const { return m_overColor; }
    void setCheckedColor(ColorValue color);
    void setUncheckedColor(ColorValue color);
    void setOverColor(ColorValue color);
    void setBackColor(ColorValue color) override;
    ColorValue BackColor2() const { return m_backColor2; }
    void setBackColor2(ColorValue color);
    QString Caption() const { return m_caption.text; }
    void setCaption(const QString &text);
    // The on/off state; setting it repaints and raises no Click.
    bool Value() const { return m_value; }
    void setValue(bool on);

    // The caption's current colour (state colour, or OverColor after set_over_state).
    ColorValue captionColor() const { return m_caption.color; }

    void ReadProperties(const PropertyStore &store) override;
    void WriteProperties(PropertyStore &store) const override;

    QSize sizeHint() const override;

signals:
    void Click();
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseMove(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);

protected:
    enum Element { Surface = SurfaceElement, Indicator, Label1, Shadow };

    void layoutCaption() override;
    int elementAt(const QPointF &pos) const override;
    QRect elementRect(int element) const override;
    void elementPressed(int element, int button, int shift, QPointF pos) override;
    void elementMoved(int element, int button, int shift, QPointF pos) override;
    void elementReleased(int element, int button, int shift, QPointF pos, int under) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // The setter of a colour the radio draws itself: store, repaint, report.
    void setDrawnColor(ColorValue &field, ColorValue color, const QString &property);
    void RepaintRadio();
    void toggle();
    // Moves to the next (step 1) or previous (-1) radio of the group; false when there is none.
    bool moveInGroup(int step);
    // The radios under the same parent, this one included, in their order there.
    QList<elradio *> group() const;
    // Only the radios that are on take Tab, or all of them while none is on.
    void updateTabStops();

    QImage m_indicator;   // `Picture1`, 18 x 18
    ColorValue m_checkedColor;
    ColorValue m_uncheckedColor;
    ColorValue m_overColor;
    ColorValue m_backColor2;
    ColorValue m_color3DLight;
    ColorValue m_color3DDark;
    bool m_value = false;
};
