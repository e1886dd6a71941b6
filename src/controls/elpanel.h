#pragma once

#include "controls/captionedcontrol.h"

// The skinned window body: raised border, a 16 x 16 icon at the top left, the
// title text and a close box at the top right. It reports mouse actions on the
// title, the icon and the close box; the holding window drags and closes.
class elpanel : public CaptionedControl
{
    Q_OBJECT
    Q_CLASSINFO("StoredValues", "BackColor ForeColor CloseColor Enabled Title Icon Cerrar Color3DLight "
                                "Color3DDark Font FontName FontSize FontItalic FontUnderline DropShadow")

public:
    Q_INVOKABLE explicit elpanel(QWidget *parent = nullptr);

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
    // The colour of the close box's mark.
    Q_PROPERTY(ColorValue CloseColor READ CloseColor WRITE setCloseColor NOTIFY designChanged)
    ColorValue CloseColor() const { return m_closeColor; }
    void setCloseColor(ColorValue color);
    // The caption, and whether the icon and the close box show.
    Q_PROPERTY(QString Title READ Title WRITE setTitle NOTIFY designChanged)
    Q_PROPERTY(bool Icon READ Icon WRITE setIcon NOTIFY designChanged)
    Q_PROPERTY(bool Cerrar READ Cerrar WRITE setCerrar NOTIFY designChanged)
    QString Title() const { return m_caption.text; }
    void setTitle(const QString &text);
    bool Icon() const { return m_icon; }
    void setIcon(bool shown);
    bool Cerrar() const { return m_cerrar; }
    void setCerrar(bool shown);

    // Where the title text (`Label1`) lies in the panel; the Title events report
    // positions relative to its top-left corner, so a window adds this to them
    // to get the grabbed point in panel coordinates.
    QRect titleGeometry() const;
    // Where the close box (`Picture2`) lies in the panel: 26 pixels from the right edge.
    QRect closeBoxGeometry() const;

signals:
    void TitleMouseDown(int Button, int Shift, float X, float Y);
    void TitleMouseMove(int Button, int Shift, float X, float Y);
    void TitleMouseUp(int Button, int Shift, float X, float Y);
    void IconMouseDown(int Button, int Shift, float X, float Y);
    void IconMouseMove(int Button, int Shift, float X, float Y);
    void IconMouseUp(int Button, int Shift, float X, float Y);
    void DblClick();
    void CloseClick();

protected:
    // The inner elements, as elementAt() numbers them.
    enum { Surface = SurfaceElement, Label1 = CaptionElement, Shadow = ShadowElement, IconBox, CloseBox };

    void edgeColorsChanged() override;
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
