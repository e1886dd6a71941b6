#pragma once

#include "controls/colorvalue.h"
#include "controls/propertystore.h"

#include <QFont>
#include <QImage>
#include <QMetaProperty>
#include <QWidget>

#include <cmath>
#include <type_traits>

class QPainter;

// The shared base of the six skinned controls: the control's own drawing
// surface (painted first, under every inner element), the body colour, the
// Enabled flag, background capture, edge lines, transparent text elements,
// twips, the stored design values and the routing of mouse actions to inner
// elements. Inner elements are drawn on the control itself; each control finds
// the element under a point in one place, elementAt().
//
// Each design value is a Q_PROPERTY of the class that keeps it. A control stores those named
// by its class info "StoredValues", in that order, and a new control of its kind (the
// constructors are Q_INVOKABLE for that) shows the default of each, so neither is written twice.
class SkinnedControl : public QWidget
{
    Q_OBJECT

public:
    // Twips per logical pixel (1440 twips per inch at 96 logical dots per inch).
    static constexpr int TwipsPerPixel = 15;
    // The smallest whole pixel length covering at least the given twips.
    static int twipsToPixels(int twips);

    // The default palette of the set, in the stored 0x00BBGGRR form.
    static constexpr ColorValue OliveBody = 0x44584Cu;       // 76,88,68
    static constexpr ColorValue DarkBody = 0x37463Eu;        // 62,70,55
    static constexpr ColorValue LightEdge = 0x95AAA0u;       // 160,170,149
    static constexpr ColorValue WindowTextColor = 0x80000008u;
    static constexpr ColorValue White = 0xFFFFFFu;
    static constexpr ColorValue PaleText = 0xD3DED8u;        // 216,222,211

    explicit SkinnedControl(QWidget *parent = nullptr);

    // The control's own drawing surface: cleared to BackColor and painted under
    // every inner element; an owner may draw on it and call update().
    QImage *get_the_hdc();
    // Shows the part of origen at (X, Y) behind the control, blended over
    // BackColor at constant opacity cantidad (0..255). A cantidad outside
    // 0..255 draws nothing and returns false with the reason in errorString.
    virtual bool obtener_imagen_fondo(const QImage &origen, int X, int Y, int cantidad,
                                      QString *errorString = nullptr);

    // Whether the control takes mouse and keyboard input, as QWidget::setEnabled sets it; the
    // look never changes. Its own flag, not the holder's: a disabled window leaves its
    // controls' values alone.
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled NOTIFY designChanged)
    bool Enabled() const;
    // The colour of the control's own surface.
    Q_PROPERTY(ColorValue BackColor READ BackColor WRITE setBackColor NOTIFY designChanged)
    ColorValue BackColor() const { return m_backColor; }
    virtual void setBackColor(ColorValue color);
    // The colours of the edges; the label, which has none, neither shows nor stores them.
    Q_PROPERTY(ColorValue Color3DLight READ Color3DLight WRITE setColor3DLight NOTIFY designChanged)
    Q_PROPERTY(ColorValue Color3DDark READ Color3DDark WRITE setColor3DDark NOTIFY designChanged)
    ColorValue Color3DLight() const { return m_color3DLight; }
    ColorValue Color3DDark() const { return m_color3DDark; }
    void setColor3DLight(ColorValue color);
    void setColor3DDark(ColorValue color);
    // The font is the widget's own (QWidget::font), so one set through QWidget is stored too;
    // the parts stored beside it refine it. The frame shows no text and stores none of them.
    Q_PROPERTY(QFont Font READ font WRITE setFont NOTIFY designChanged)
    Q_PROPERTY(QString FontName READ FontName WRITE setFontName NOTIFY designChanged)
    Q_PROPERTY(float FontSize READ FontSize WRITE setFontSize NOTIFY designChanged)
    Q_PROPERTY(bool FontItalic READ FontItalic WRITE setFontItalic NOTIFY designChanged)
    Q_PROPERTY(bool FontUnderline READ FontUnderline WRITE setFontUnderline NOTIFY designChanged)
    QString FontName() const { return font().family(); }
    void setFontName(const QString &name) { changeFont(&QFont::setFamily, name, "FontName"); }
    float FontSize() const { return float(font().pointSizeF()); }
    void setFontSize(float points) { changeFont(&QFont::setPointSizeF, qreal(points), "FontSize"); }
    bool FontItalic() const { return font().italic(); }
    void setFontItalic(bool on) { changeFont(&QFont::setItalic, on, "FontItalic"); }
    bool FontUnderline() const { return font().underline(); }
    void setFontUnderline(bool on) { changeFont(&QFont::setUnderline, on, "FontUnderline"); }

    // Applies the stored design values (defaults for missing keys) without
    // raising PropertyChanged. Called once by the holder after creation.
    void ReadProperties(const PropertyStore &store);
    // Stores every design value under its own name.
    void WriteProperties(PropertyStore &store) const;

    // The colour to paint a ColorValue with, system colours from the platform's scheme.
    QColor colorOf(ColorValue value) const;

signals:
    // The mouse events of the element that takes them (the list takes none: its inner list
    // raises Click alone). Button and Shift are 1/2/4 as for elementPressed; X, Y element-relative.
    void Click();
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseMove(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);
    // A stored value changed through its setter; name is the property's name.
    void PropertyChanged(const QString &name);
    // Raised with every PropertyChanged: the change signal of each stored Q_PROPERTY, as Qt
    // takes only a signal without arguments from a base class for that.
    void designChanged();

protected:
    // A one-pixel line drawn as GDI draws it: from `from` up to, not including, `to`.
    struct EdgeLine
    {
        QPoint from;
        QPoint to;
        ColorValue color;
    };
    // A transparent one-line label: caption, drop shadow or glyph-free text.
    struct TextElement
    {
        QRect geometry;
        QString text;
        ColorValue color;
        bool visible = true;
    };
    // Element number meaning "no element takes the action here".
    static constexpr int NoElement = -1;
    // Element number of the control's own surface.
    static constexpr int SurfaceElement = 0;

    // The design font of the captions: Tahoma 9.75 pt, or the platform's sans-serif.
    static QFont designFont();
    // The holding window's font, the default of every Font property.
    QFont ambientFont() const;
    // Takes font whole, so the font of the holder no longer shows through any of its
    // attributes, as a font read from the store shows nothing else.
    void setOwnFont(QFont font);
    // Runs after every change of the control's font.
    virtual void fontChanged() {}
    // Runs after every change of Color3DLight or Color3DDark: the lines take them anew.
    virtual void edgeColorsChanged() {}

    // Raises PropertyChanged unless ReadProperties is running.
    void changed(const QString &name);
    // Keeps setters silent while ReadProperties applies the stored values through them.
    class LoadScope
    {
    public:
        explicit LoadScope(SkinnedControl *control) : m_control(control) { control->m_loading = true; }
        ~LoadScope() { m_control->m_loading = false; }
        LoadScope(const LoadScope &) = delete;
        LoadScope &operator=(const LoadScope &) = delete;

    private:
        SkinnedControl *m_control;
    };

    // Blends origen at (X, Y) onto target inside rect, as obtener_imagen_fondo does.
    static void blendOnto(QImage &target, const QRect &rect, const QImage &origen, QPoint from,
                          int cantidad);
    // The rectangle of the surface that background capture fills (framed controls: inside the frame).
    virtual QRect captureRect() const;

    void paintSurface(QPainter &painter) const;
    void paintLine(QPainter &painter, const EdgeLine &line, QPoint origin = {}) const;
    // Paints a pair of lines (index 0, then 1), so the later one wins the shared corner.
    void paintLines(QPainter &painter, const EdgeLine (&lines)[2], QPoint origin = {}) const;
    // Gives both lines of a pair one colour.
    static void colorLines(EdgeLine (&lines)[2], ColorValue color) { lines[0].color = lines[1].color = color; }
    void paintText(QPainter &painter, const TextElement &text, QPoint origin = {}) const;
    // The four frame lines of a W x H part: index 0/1 of first are top/left,
    // index 0/1 of second are right/bottom; bottomStart is the bottom line's first x.
    static void placeFrameLines(EdgeLine *first, EdgeLine *second, int w, int h, int bottomStart = 0);

    // Whether the pixel under pos belongs to area (pos may be fractional).
    static bool covers(const QRect &area, const QPointF &pos)
    {
        return area.contains(QPoint(int(std::floor(pos.x())), int(std::floor(pos.y()))));
    }
    // The single place per control that says which inner element lies under pos.
    virtual int elementAt(const QPointF &pos) const = 0;
    // Where an element lies in the control, for element-relative coordinates.
    virtual QRect elementRect(int element) const;
    // Mouse actions, already routed to the element that takes them. Button and
    // Shift are 1/2/4 as the events report them (a press reports every button
    // held); pos is element-relative. The second press of a double-click goes
    // to elementDoubleClicked. A release goes to the element that took the
    // press; under is the element below the pointer when the release completes
    // a click (NoElement outside the control, and after a double-click).
    virtual void elementPressed(int element, int button, int shift, QPointF pos);
    virtual void elementMoved(int element, int button, int shift, QPointF pos);
    virtual void elementReleased(int element, int button, int shift, QPointF pos, int under);
    virtual void elementDoubleClicked(int element, int button, int shift, QPointF pos);

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

    // Whether to draw the focus mark: focused, and the focus came from the keyboard.
    bool showsFocusMark() const { return hasFocus() && m_keyboardFocus; }

    QImage m_surface;

private:
    // The design values this kind of control stores, in the order stored.
    QList<QMetaProperty> storedProperties() const;
    void refillSurface();
    QPointF relativeTo(int element, const QPointF &pos) const;
    // A font setter: font with one attribute set, announced as property.
    template<typename Value>
    void changeFont(void (QFont::*set)(Value), std::type_identity_t<Value> value, const char *property)
    {
        QFont next = font();
        (next.*set)(value);
        m_fontProperty = property;
        setFont(next);
        m_fontProperty = "Font";
    }

    ColorValue m_backColor;
    ColorValue m_color3DLight = LightEdge;
    ColorValue m_color3DDark = WindowTextColor;
    bool m_enabled = true;                 // Enabled as last announced
    const char *m_fontProperty = "Font";   // what the next font change announces
    bool m_loading = false;
    int m_captured = NoElement;
    bool m_doubleClicked = false;   // the held buttons went down as a double-click
    bool m_keyboardFocus = false;
};
