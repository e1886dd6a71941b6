#pragma once

#include "controls/skinnedcontrol.h"

// A skinned control with a caption label and its black drop shadow `shadow1`,
// both in the control's font, and DropShadow. Caption and shadow always carry
// the same text; ForeColor never reaches the shadow.
class CaptionedControl : public SkinnedControl
{
    Q_OBJECT

public:
    explicit CaptionedControl(QWidget *parent = nullptr);

    // Whether the black copy of the caption shows (and takes clicks on its own strip).
    Q_PROPERTY(bool DropShadow READ DropShadow WRITE setDropShadow NOTIFY designChanged)
    bool DropShadow() const { return m_shadow.visible; }
    void setDropShadow(bool on);

protected:
    // The caption's colour, never the shadow's, and its text; offered by the controls that
    // have them under these names.
    Q_PROPERTY(ColorValue ForeColor READ ForeColor WRITE setForeColor NOTIFY designChanged)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption NOTIFY designChanged)
    ColorValue ForeColor() const { return m_caption.color; }
    void setForeColor(ColorValue color);
    QString Caption() const { return m_caption.text; }
    void setCaption(const QString &text);

    // Runs after every change of caption text or font and at every resize.
    virtual void arrangeCaption() {}
    // LayoutCaption: caption and shadow become `width` wide; when the control is
    // taller than the caption label, the caption is centred vertically
    // (rounding the top down) and the shadow sits one pixel lower.
    void LayoutCaption(int width);
    void setCaptionText(const QString &text);
    void fontChanged() override;
    // The element numbers of caption and shadow in every captioned control.
    static constexpr int CaptionElement = SurfaceElement + 1;
    static constexpr int ShadowElement = SurfaceElement + 2;
    // Which of caption and shadow lies under pos (caption first, the shadow only while shown).
    int captionElementAt(const QPointF &pos) const;
    // Caption, then shadow, then the surface under pos.
    int elementAt(const QPointF &pos) const override;
    QRect elementRect(int element) const override;
    // Only the caption reports presses and moves, as MouseDown and MouseMove.
    void elementPressed(int element, int button, int shift, QPointF pos) override;
    void elementMoved(int element, int button, int shift, QPointF pos) override;
    void paintCaption(QPainter &painter) const;

    TextElement m_caption;
    TextElement m_shadow;
};
