#pragma once

#include "controls/captionedcontrol.h"

// A one-line text label on a dark body, 300 twips high, with the shared
// caption layout and optional drop shadow. Only the caption label (`Label2`)
// raises events; the strips of the surface above and below it raise nothing.
class ellabel : public CaptionedControl
{
    Q_OBJECT

public:
    explicit ellabel(QWidget *parent = nullptr);

    using CaptionedControl::ForeColor;
    using CaptionedControl::setForeColor;
    QString Caption() const { return m_caption.text; }
    void setCaption(const QString &text);

    void ReadProperties(const PropertyStore &store) override;
    void WriteProperties(PropertyStore &store) const override;

    QSize sizeHint() const override;

signals:
    void Click();
    void DblClick();
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseMove(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);

protected:
    enum Element { Surface = SurfaceElement, Label2, Shadow };

    void layoutCaption() override;
    int elementAt(const QPointF &pos) const override;
    QRect elementRect(int element) const override;
    void elementPressed(int element, int button, int shift, QPointF pos) override;
    void elementMoved(int element, int button, int shift, QPointF pos) override;
    void elementReleased(int element, int button, int shift, QPointF pos, int under) override;
    void elementDoubleClicked(int element, int button, int shift, QPointF pos) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
};
