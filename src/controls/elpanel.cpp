#include "controls/elpanel.h"

#include <QPainter>

namespace {

constexpr int CloseBoxSize = 18;
constexpr int CloseBoxFromRight = 26;   // leaves 8 pixels of body to the right of the box
constexpr int TitleShorterBy = 55;      // the title ends one pixel left of the close box

// The panel's own emblem: a small white quilt of four patches on the panel colour.
QImage makeEmblem(const QColor &body)
{
    QImage emblem(16, 16, QImage::Format_RGB32);
    emblem.fill(body);
    QPainter painter(&emblem);
    const QColor white(255, 255, 255);
    painter.fillRect(2, 2, 5, 5, white);
    painter.fillRect(9, 9, 5, 5, white);
    painter.setPen(white);
    painter.drawRect(9, 2, 4, 4);
    painter.drawRect(2, 9, 4, 4);
    painter.drawPoint(11, 4);
    painter.drawPoint(4, 11);
    return emblem;
}

} // namespace

elpanel::elpanel(QWidget *parent)
    : CaptionedControl(parent)
    , m_iconBox(9, 10, 16, 16)
    , m_closeColor(0x809188u)
{
    m_caption.text = m_shadow.text = QStringLiteral("Title");
    m_caption.color = White;
    m_line1A[0] = {{0, 0}, {0, CloseBoxSize}, {}};                    // left
    m_line1A[1] = {{0, 0}, {CloseBoxSize, 0}, {}};                    // top
    m_line1B[0] = {{0, 17}, {CloseBoxSize, 17}, {}};                  // bottom
    m_line1B[1] = {{17, 0}, {17, CloseBoxSize}, {}};                  // right
    edgeColorsChanged();
    m_iconSurface = makeEmblem(colorOf(OliveBody));
    m_closeSurface = QImage(CloseBoxSize, CloseBoxSize, QImage::Format_RGB32);
    m_closeSurface.fill(colorOf(BackColor()));
    resize(300, 200);
    placeElements();
}

void elpanel::set_icon(const QImage &hdc)
{
    QPainter painter(&m_iconSurface);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, hdc, 0, 0, 16, 16);
    painter.end();
    update(m_iconBox);
}

QImage *elpanel::get_icon_hdc()
{
    return &m_iconSurface;
}

int elpanel::set_the_hdc(const QImage &hdc)
{
    QPainter painter(&m_surface);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, hdc, 0, 0, width(), height());
    painter.end();
    update();
    return 0;
}

bool elpanel::obtener_imagen_fondo(const QImage &origen, int X, int Y, int cantidad, QString *errorString)
{
    if (!CaptionedControl::obtener_imagen_fondo(origen, X, Y, cantidad, errorString))
        return false;
    m_closeSurface.fill(colorOf(BackColor()));
    blendOnto(m_closeSurface, QRect(1, 1, CloseBoxSize - 2, CloseBoxSize - 2), origen,
              QPoint(X, Y) + closeBoxGeometry().topLeft(), cantidad);
    update(closeBoxGeometry());
    return true;
}

void elpanel::setBackColor(ColorValue color)
{
    m_closeSurface.fill(colorOf(color));
    CaptionedControl::setBackColor(color);
}

void elpanel::setCloseColor(ColorValue color)
{
    m_closeColor = color;
    update(closeBoxGeometry());
    changed(QStringLiteral("CloseColor"));
}

void elpanel::edgeColorsChanged()
{
    // The close box is raised like the panel.
    colorLines(m_lineA, Color3DLight());
    colorLines(m_line1A, Color3DLight());
    colorLines(m_lineB, Color3DDark());
    colorLines(m_line1B, Color3DDark());
}

void elpanel::setTitle(const QString &text)
{
    setCaptionText(text);
    changed(QStringLiteral("Title"));
}

void elpanel::setIcon(bool shown)
{
    m_icon = shown;
    update(m_iconBox);
    changed(QStringLiteral("Icon"));
}

void elpanel::setCerrar(bool shown)
{
    m_cerrar = shown;
    update(closeBoxGeometry());
    changed(QStringLiteral("Cerrar"));
}

QRect elpanel::captureRect() const
{
    return rect().adjusted(1, 1, -1, -1);
}

int elpanel::elementAt(const QPointF &pos) const
{
    if (!covers(rect(), pos))
        return NoElement;
    if (m_cerrar && covers(closeBoxGeometry(), pos))
        return CloseBox;
    if (m_icon && covers(m_iconBox, pos))
        return IconBox;
    const int caption = captionElementAt(pos);
    return caption != NoElement ? caption : int(Surface);
}

QRect elpanel::elementRect(int element) const
{
    switch (element) {
    case IconBox: return m_iconBox;
    case CloseBox: return closeBoxGeometry();
    default: return CaptionedControl::elementRect(element);
    }
}

void elpanel::elementPressed(int element, int button, int shift, QPointF pos)
{
    const float x = float(pos.x()), y = float(pos.y());
    switch (element) {
    case Surface: emit MouseDown(button, shift, x, y); break;
    case Label1: emit TitleMouseDown(button, shift, x, y); break;
    case IconBox: emit IconMouseDown(button, shift, x, y); break;
    case CloseBox:
        if (button == 1)
            showClosePressed(true);
        break;
    default: break;
    }
}

void elpanel::elementMoved(int element, int button, int shift, QPointF pos)
{
    const float x = float(pos.x()), y = float(pos.y());
    switch (element) {
    case Surface: emit MouseMove(button, shift, x, y); break;
    case Label1: emit TitleMouseMove(button, shift, x, y); break;
    case IconBox: emit IconMouseMove(button, shift, x, y); break;
    default: break;
    }
}

void elpanel::elementReleased(int element, int button, int shift, QPointF pos, int under)
{
    const float x = float(pos.x()), y = float(pos.y());
    switch (element) {
    case Surface:
        emit MouseUp(button, shift, x, y);
        break;
    case Label1:
        emit TitleMouseUp(button, shift, x, y);
        break;
    case IconBox:
        emit IconMouseUp(button, shift, x, y);
        return;
    case CloseBox:
        // Any left release restores the raised look; only one over the box is a click.
        if (button == 1) {
            showClosePressed(false);
            if (under == CloseBox)
                emit CloseClick();
        }
        return;
    default:
        return;
    }
    if (button == 1 && under == element)
        emit Click();
}

void elpanel::elementDoubleClicked(int element, int button, int shift, QPointF pos)
{
    if (element == Surface || element == Label1)
        emit DblClick();
    else
        elementPressed(element, button, shift, pos);
}

void elpanel::showClosePressed(bool pressed)
{
    if (pressed) {
        m_line1A[0].color = m_lineB[0].color;
        m_line1A[1].color = m_lineB[1].color;
        m_line1B[0].color = m_lineA[1].color;
        m_line1B[1].color = m_lineA[0].color;
    } else {
        m_line1A[0].color = m_lineA[0].color;
        m_line1A[1].color = m_lineA[1].color;
        m_line1B[0].color = m_lineB[0].color;
        m_line1B[1].color = m_lineB[1].color;
    }
    update(closeBoxGeometry());
}

void elpanel::paintCloseBox(QPainter &painter) const
{
    const QPoint origin = closeBoxGeometry().topLeft();
    painter.drawImage(origin, m_closeSurface);
    paintLines(painter, m_line1A, origin);
    paintLines(painter, m_line1B, origin);
    // The close mark, drawn as the window-glyph font draws its x at 9.75 points:
    // two strokes two pixels thick, 8 x 7 pixels, centred in the glyph label.
    const QColor mark = colorOf(m_closeColor);
    const QPoint corner = origin + QPoint(5, 5);
    for (int row = 0; row < 7; ++row) {
        const int inset = row < 4 ? row : 6 - row;
        painter.fillRect(corner.x() + inset, corner.y() + row, 2, 1, mark);
        painter.fillRect(corner.x() + 6 - inset, corner.y() + row, 2, 1, mark);
    }
}

void elpanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintSurface(painter);
    paintLines(painter, m_lineA);
    paintLines(painter, m_lineB);
    if (m_icon)
        painter.drawImage(m_iconBox.topLeft(), m_iconSurface);
    paintCaption(painter);
    // The close box lies above the title, so a long title never covers it.
    if (m_cerrar)
        paintCloseBox(painter);
}

void elpanel::resizeEvent(QResizeEvent *event)
{
    CaptionedControl::resizeEvent(event);
    placeElements();
}

void elpanel::placeElements()
{
    placeFrameLines(m_lineA, m_lineB, width(), height());
    m_caption.geometry = titleGeometry();
    m_shadow.geometry = titleGeometry().translated(1, 1);
}

QRect elpanel::titleGeometry() const
{
    return QRect(30, 9, width() - TitleShorterBy, 18);
}

QRect elpanel::closeBoxGeometry() const
{
    return QRect(width() - CloseBoxFromRight, 8, CloseBoxSize, CloseBoxSize);
}
