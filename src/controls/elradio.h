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
    Q_CLASSINFO("StoredValues", "BackColor BackColor2 CheckedColor UncheckedColor OverColor Enabled Caption Value "
                                "Color3DLight Color3DDark Font FontName FontSize FontItalic FontUnderline DropShadow")

public:
    Q_INVOKABLE explicit elradio(QWidget *parent = nullptr);

    // On an off radio, shows the caption in OverColor until the next repaint.
    void set_over_state();
    // Repaints the indicator, which restores the caption's state colour.
    void set_normal_state();

    using CaptionedControl::Caption;
    using CaptionedControl::setCaption;

    // The colours the radio draws itself: the disc, the dot and the caption in each state.
    Q_PROPERTY(ColorValue BackColor2 READ BackColor2 WRITE setBackColor2 NOTIFY designChanged)
    Q_PROPERTY(ColorValue CheckedColor READ CheckedColor WRITE setCheckedColor NOTIFY designChanged)
    Q_PROPERTY(ColorValue UncheckedColor READ UncheckedColor WRITE setUncheckedColor NOTIFY designChanged)
    Q_PROPERTY(ColorValue OverColor READ OverColor WRITE setOverColor NOTIFY designChanged)
    ColorValue BackColor2() const { return m_backColor2; }
    ColorValue CheckedColor() const { return m_checkedColor; }
    ColorValue UncheckedColor() const { return m_uncheckedColor; }
    ColorValue OverColor() const { return m_overColor; }
    void setBackColor2(ColorValue color);
    void setCheckedColor(ColorValue color);
    void setUncheckedColor(ColorValue color);
    void setOverColor(ColorValue color);
    void setBackColor(ColorValue color) override;
    // The on/off state; setting it repaints and raises no Click.
    Q_PROPERTY(bool Value READ Value WRITE setValue NOTIFY designChanged)
    bool Value() const { return m_value; }
    void setValue(bool on);

    // The caption's current colour (state colour, or OverColor after set_over_state).
    ColorValue captionColor() const { return m_caption.color; }

    QSize sizeHint() const override;

protected:
    // The inner elements, as elementAt() numbers them.
    enum { Surface = SurfaceElement, Label1 = CaptionElement, Shadow = ShadowElement, Indicator };

    void arrangeCaption() override;
    void edgeColorsChanged() override;
    int elementAt(const QPointF &pos) const override;
    QRect elementRect(int element) const override;
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
    bool m_value = false;
};
