#pragma once

#include "controls/skinnedcontrol.h"

// A skinned control with a caption label and its black drop shadow `shadow1`:
// the shared font properties and DropShadow. Caption and shadow always carry
// the same text and font; ForeColor never reaches the shadow.
class CaptionedControl : public SkinnedControl
{
    Q_OBJECT

public:
    explicit CaptionedControl(QWidget *parent = nullptr);

    // Whether the black copy of the caption shows (and takes clicks on its own strip).
    bool DropShadow() const { return m_shadow.visible; }
    void setDropShadow(bool on);
    // The caption's font; setting it updates caption and shadow, then the layout.
    QFont Font() const { return m_caption.font; }
    void setFont(const QFont &font);
    QString FontName() const { return m_caption.font.family(); }
    void setFontName(const QString &name);
    float FontSize() const { return float(m_caption.font.pointSizeF()); }
    void setFontSize(float points);
    bool FontItalic() const { return m_caption.font.italic(); }
    void setFontItalic(bool on);
    bool FontUnderline() const { return m_caption.font.underline(); }
    void setFontUnderline(bool on);

protected:
    // The caption's colour, never the shadow's; offered by the controls that have ForeColor.
    ColorValue ForeColor() const { return m_caption.color; }
    void setForeColor(ColorValue color);

    // Runs after every change of caption text or font and at every resize.
    virtual void layoutCaption() {}
    // LayoutCaption: caption and shadow become `width` wide; when the control is
    // taller than the caption label, the caption is centred vertically
    // (rounding the top down) and the shadow sits one pixel lower.
    void LayoutCaption(int width);
    void setCaptionText(const QString &text);
    void applyFont(const QFont &font, const QString &property);
    void readCaptionFont(const PropertyStore &store);
    void readDropShadow(const PropertyStore &store);
    // Which of caption and shadow lies under pos (caption first, the shadow only while shown).
    int captionElementAt(const QPointF &pos, int captionElement, int shadowElement) const;
    void paintCaption(QPainter &painter) const;

    TextElement m_caption;
    TextElement m_shadow;
};
