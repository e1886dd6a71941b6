#pragma once

#include "controls/captionedcontrol.h"

// The skinned window body: raised border, a 16 x 16 icon at the top left, the
// title text and a close box at the top right. It reports mouse actions on the
// title, the icon and the close box; the holding window drags and closes.
class elpanel : public CaptionedControl
{
    Q_OBJECT

public:
    explicit elpanel(QWidget *parent = nullptr);

    // Copies the 16 x 16 square at (0, 0) of hdc onto the icon box.
    void set_icon(const QImage &hdc);
    // The icon box's own drawing surface (16 x 16).
    QImage *get_icon_hdc();
    // Copies hdc from (0, 0) onto the whole panel surface; always returns 0.
    int set_the_hdc(const QImage &hdc);
    // Background capture of the panel (inside its frame) and of the close box.
    bool obtener_imagen_fondo(const QImage &origen, int X, int Y, int cantidad,
                              QString *errorString = nullptr) override;

    void setBackColor(ColorValue color) override;
    using CaptionedControl::ForeColor;
    using CaptionedControl::setForeColor;
    ColorValue CloseColor() const { return m_closeColor; }
    void setCloseColor(ColorValue color);
    ColorValue Color3DLight() const { return m_lineA[0].color; }
    void setColor3DLight(ColorValue color);
    ColorValue Color3DDark() const { return m_lineB[0].color; }
    void setColor3DDark(ColorValue color);
    QString Title() const { return m_caption.text; }
    void setTitle(const QString &text);
    bool Icon() const { return m_icon; }
    void setIcon(bool shown);
    bool Cerrar() const { return m_cerrar; }
    void setCerrar(bool shown);

    void ReadProperties(const PropertyStore &store) override;
    void WriteProperties(PropertyStore &store) const override;

    // Where the title text (`Label1`) lies in the panel; the Title events report
    // positions relative to its top-left corner, so a window adds this to them
    // to get the grabbed point in panel coordinates.
    QRect titleGeometry() const;
    // Where the close box (`Picture2`) lies in the panel: 26 pixels from the right edge.
    QRect closeBoxGeometry() const;
    // Whether the close box currently shows its sunken (pressed) look.
    bool isClosePressedLook() const;

signals:
    void Click();
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseMove(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);
    void TitleMouseDown(int Button, int Shift, float X, float Y);
    void TitleMouseMove(int Button, int Shift, float X, float Y);
    void TitleMouseUp(int Button, int Shift, float X, float Y);
    void IconMouseDown(int Button, int Shift, float X, float Y);
    void IconMouseMove(int Button, int Shift, float X, float Y);
    void IconMouseUp(int Button, int Shift, float X, float Y);
    void DblClick();
    void CloseClick();

protected:
    enum Element { Surface = SurfaceElement, Label1, Shadow, IconBox, CloseBox };

    QRect captureRect() const override;
    int elementAt(const QPointF &pos) const override;
    QRect elementRect(int element) const override;
    void elementPressed(int element, int button, int shift, QPointF pos) override;
    void elementMoved(int element, int button, int shift, QPointF pos) override;
    void elementReleased(int element, int button, int shift, QPointF pos, int under) override;
    void elementDoubleClicked(int element, int button, int shift, QPointF pos) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeElements();
    void showClosePressed(bool pressed);
    void paintCloseBox(QPainter &painter) const;

    EdgeLine m_lineA[2];    // top, left of the panel (light)
    EdgeLine m_lineB[2];    // right, bottom of the panel (dark)
    EdgeLine m_line1A[2];   // left, top of the close box
    EdgeLine m_line1B[2];   // bottom, right of the close box
    QRect m_iconBox;
    QImage m_iconSurface;
    QImage m_closeSurface;
    ColorValue m_closeColor;
    bool m_icon = true;
    bool m_cerrar = true;
};
