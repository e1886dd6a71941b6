#pragma once

#include "controls/captionedcontrol.h"

// A one-line text label on a dark body, 300 twips high, with the shared
// caption layout and optional drop shadow. Only the caption label (`Label2`)
// raises events; the strips of the surface above and below it raise nothing.
class ellabel : public CaptionedControl
{
    Q_OBJECT
    Q_CLASSINFO("StoredValues", "BackColor ForeColor Enabled Caption Font FontName FontSize FontItalic "
                                "FontUnderline DropShadow")

public:
    Q_INVOKABLE explicit ellabel(QWidget *parent = nullptr);

    using CaptionedControl::ForeColor;
    using CaptionedControl::setForeColor;
    using CaptionedControl::Caption;
    using CaptionedControl::setCaption;

    QSize sizeHint() const override;

signals:
    void DblClick();

protected:
    // The inner elements, as elementAt() numbers them.
    enum { Surface = SurfaceElement, Label2 = CaptionElement, Shadow = ShadowElement };

    void arrangeCaption() override;
    void elementReleased(int element, int button, int shift, QPointF pos, int under) override;
    void elementDoubleClicked(int element, int button, int shift, QPointF pos) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
};
