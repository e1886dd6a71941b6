#include "controls/elradio.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <algorithm>

namespace {

constexpr int RadioHeightTwips = 285;
constexpr int MinimumWidthTwips = 500;
constexpr int IndicatorSize = 18;

} // namespace

elradio::elradio(QWidget *parent)
    : CaptionedControl(parent)
    , m_indicator(IndicatorSize, IndicatorSize, QImage::Format_RGB32)
    , m_checkedColor(0x50B5C4u)
    , m_uncheckedColor(PaleText)
    , m_overColor(0xFF0000u)
    , m_backColor2(DarkBody)
{
    m_caption.geometry = QRect(28, 1, 120, 16);
    m_shadow.geometry = QRect(29, 2, 120, 18);
    m_caption.text = m_shadow.text = QStringLiteral("Caption");
    setFocusPolicy(Qt::StrongFocus);
    setFixedHeight(twipsToPixels(RadioHeightTwips));
    setMinimumWidth(twipsToPixels(MinimumWidthTwips));
    resize(120, height());
    arrangeCaption();
    RepaintRadio();
}

void elradio::set_over_state()
{
    if (!m_value && m_caption.color != m_overColor) {
        m_caption.color = m_overColor;
        update();
    }
}

void elradio::set_normal_state()
{
    RepaintRadio();
}

void elradio::setDrawnColor(ColorValue &field, ColorValue color, const QString &property)
{
    field = color;
    RepaintRadio();
    changed(property);
}

void elradio::edgeColorsChanged()
{
    RepaintRadio();
}

void elradio::setCheckedColor(ColorValue color)
{
    setDrawnColor(m_checkedColor, color, QStringLiteral("CheckedColor"));
}

void elradio::setUncheckedColor(ColorValue color)
{
    setDrawnColor(m_uncheckedColor, color, QStringLiteral("UncheckedColor"));
}

void elradio::setOverColor(ColorValue color)
{
    setDrawnColor(m_overColor, color, QStringLiteral("OverColor"));
}

void elradio::setBackColor(ColorValue color)
{
    CaptionedControl::setBackColor(color);
    RepaintRadio();
}

void elradio::setBackColor2(ColorValue color)
{
    setDrawnColor(m_backColor2, color, QStringLiteral("BackColor2"));
}

void elradio::setValue(bool on)
{
    m_value = on;
    RepaintRadio();
    updateTabStops();
    changed(QStringLiteral("Value"));
}

QSize elradio::sizeHint() const
{
    return {120, twipsToPixels(RadioHeightTwips)};
}

void elradio::arrangeCaption()
{
    LayoutCaption(width());
}

int elradio::elementAt(const QPointF &pos) const
{
    if (!covers(rect(), pos))
        return NoElement;
    if (covers(QRect(0, 0, IndicatorSize, IndicatorSize), pos))
        return Indicator;
    const int caption = captionElementAt(pos);
    return caption != NoElement ? caption : int(Surface);
}

QRect elradio::elementRect(int element) const
{
    return element == Indicator ? QRect(0, 0, IndicatorSize, IndicatorSize) : CaptionedControl::elementRect(element);
}

void elradio::elementReleased(int element, int button, int shift, QPointF pos, int under)
{
    if (element == Label1)
        emit MouseUp(button, shift, float(pos.x()), float(pos.y()));
    // A click on the caption counts as one on the indicator.
    const bool clickable = element == Indicator || element == Label1;
    if (clickable && button == 1 && under == element)
        toggle();
}

void elradio::toggle()
{
    m_value = !m_value;
    RepaintRadio();
    changed(QStringLiteral("Value"));
    emit Click();
    updateTabStops();   // after the holder has set the others
}

void elradio::RepaintRadio()
{
    m_indicator.fill(colorOf(BackColor()));
    QPainter painter(&m_indicator);
    // The box shows what the control shows behind it, a background capture included.
    painter.drawImage(0, 0, m_surface, 0, 0, IndicatorSize, IndicatorSize);
    // Aliased, so every arc and dot pixel shows its colour exactly. An aliased
    // 12 x 12 rectangle covers pixels 3..15: a circle of radius 6 round pixel (9, 9).
    const QRect circle(3, 3, 12, 12);
    const QColor disc = colorOf(m_backColor2);
    painter.setPen(disc);
    painter.setBrush(disc);
    painter.drawEllipse(circle);
    painter.setBrush(Qt::NoBrush);
    // Each arc repaints the disc's own outline pixels inside its angles.
    const auto arc = [&](double from, double to, ColorValue color) {
        QPainterPath sector(QPointF(9.5, 9.5));
        sector.arcTo(QRectF(0, 0, 19, 19), qRadiansToDegrees(from), qRadiansToDegrees(to - from));
        sector.closeSubpath();
        painter.setClipPath(sector);
        painter.setPen(colorOf(color));
        painter.drawEllipse(circle);
    };
    arc(0.5, 4.0, Color3DDark());
    arc(4.0, 2 * M_PI + 0.5, Color3DLight());
    painter.setClipping(false);
    if (m_value) {
        const QColor dot = colorOf(m_checkedColor);
        painter.setPen(dot);
        painter.setBrush(dot);
        painter.drawEllipse(circle.adjusted(3, 3, -3, -3));
    }
    painter.end();
    m_caption.color = m_value ? m_checkedColor : m_uncheckedColor;
    update();
}

void elradio::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintSurface(painter);
    painter.drawImage(0, 0, m_indicator);
    paintCaption(painter);
    if (showsFocusMark()) {
        painter.setPen(QPen(colorOf(m_caption.color), 1, Qt::DotLine));
        const int textWidth = fontMetrics().horizontalAdvance(m_caption.text);
        const QRect mark(m_caption.geometry.left() - 2, m_caption.geometry.top(), textWidth + 3,
                         m_caption.geometry.height() - 1);
        painter.drawRect(mark.intersected(rect().adjusted(0, 0, -1, -1)));
    }
}

void elradio::resizeEvent(QResizeEvent *event)
{
    CaptionedControl::resizeEvent(event);
    arrangeCaption();
    RepaintRadio();
}

void elradio::keyPressEvent(QKeyEvent *event)
{
    // Space clicks the radio from the keyboard.
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        toggle();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        if (moveInGroup(-1))
            return;
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        if (moveInGroup(1))
            return;
        break;
    default: break;
    }
    CaptionedControl::keyPressEvent(event);
}

QList<elradio *> elradio::group() const
{
    if (!parentWidget())
        return {const_cast<elradio *>(this)};
    return parentWidget()->findChildren<elradio *>(Qt::FindDirectChildrenOnly);
}

void elradio::updateTabStops()
{
    const QList<elradio *> radios = group();
    const bool anyOn = std::any_of(radios.begin(), radios.end(), [](const elradio *r) { return r->m_value; });
    for (elradio *radio : radios)
        radio->setFocusPolicy(radio->m_value || !anyOn ? Qt::StrongFocus : Qt::ClickFocus);
}

void elradio::showEvent(QShowEvent *event)
{
    CaptionedControl::showEvent(event);
    updateTabStops();
}

bool elradio::moveInGroup(int step)
{
    QList<elradio *> group;
    for (elradio *radio : this->group()) {
        if (radio == this || (radio->isEnabled() && !radio->isHidden()))
            group.append(radio);
    }
    if (group.size() < 2)
        return false;
    const qsizetype at = group.indexOf(this);
    elradio *next = group[(at + step + group.size()) % group.size()];
    next->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    // The radio reached is checked as a click would check it, so the holder clears the rest.
    if (!next->m_value)
        next->toggle();
    return true;
}
