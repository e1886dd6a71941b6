#include "controls/skinnedcontrol.h"

#include <QApplication>
#include <QMetaProperty>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

#include <memory>

namespace {

int buttonCode(Qt::MouseButtons buttons)
{
    // Left, right and middle carry the same bits (1, 2, 4) in Qt as in the events.
    return int(buttons & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton));
}

int shiftCode(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
        | (modifiers & Qt::AltModifier ? 4 : 0);
}

} // namespace

int SkinnedControl::twipsToPixels(int twips)
{
    return (twips + TwipsPerPixel - 1) / TwipsPerPixel;
}

namespace {

// Where Tahoma is not installed (most Linux desktops) the captions take the
// nearest narrow sans-serif instead of the wider default one, so captions such
// as "Make Cs Background" still fit their buttons.
void substituteTahoma()
{
    static const bool done = [] {
        QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                    QStringLiteral("Arial"), QStringLiteral("DejaVu Sans Condensed")});
        return true;
    }();
    Q_UNUSED(done);
}

} // namespace

SkinnedControl::SkinnedControl(QWidget *parent)
    : QWidget(parent)
    , m_backColor(OliveBody)
{
    substituteTahoma();
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    refillSurface();
}

QImage *SkinnedControl::get_the_hdc()
{
    return &m_surface;
}

bool SkinnedControl::obtener_imagen_fondo(const QImage &origen, int X, int Y, int cantidad,
                                         QString *errorString)
{
    if (cantidad < 0 || cantidad > 255) {
        if (errorString)
            *errorString = tr("Overflow: the opacity %1 is outside 0..255").arg(cantidad);
        return false;
    }
    refillSurface();
    blendOnto(m_surface, captureRect(), origen, QPoint(X, Y), cantidad);
    update();
    return true;
}

bool SkinnedControl::Enabled() const
{
    return !testAttribute(Qt::WA_ForceDisabled);
}

void SkinnedControl::setBackColor(ColorValue color)
{
    m_backColor = color;
    refillSurface();
    update();
    changed(QStringLiteral("BackColor"));
}

void SkinnedControl::setColor3DLight(ColorValue color)
{
    m_color3DLight = color;
    edgeColorsChanged();
    update();
    changed(QStringLiteral("Color3DLight"));
}

void SkinnedControl::setColor3DDark(ColorValue color)
{
    m_color3DDark = color;
    edgeColorsChanged();
    update();
    changed(QStringLiteral("Color3DDark"));
}

QColor SkinnedControl::colorOf(ColorValue value) const
{
    return value.toColor();
}

QFont SkinnedControl::designFont()
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(9.75);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont SkinnedControl::ambientFont() const
{
    // A skinned holder's font is its caption's; the holder's own is that of the window it lies in.
    const QWidget *holder = parentWidget();
    while (qobject_cast<const SkinnedControl *>(holder))
        holder = holder->parentWidget();
    return holder ? holder->font() : QApplication::font();
}

void SkinnedControl::setOwnFont(QFont font)
{
    font.setResolveMask(QFont::AllPropertiesResolved);
    setFont(font);
}

void SkinnedControl::changed(const QString &name)
{
    if (!m_loading) {
        emit PropertyChanged(name);
        emit designChanged();
    }
}

namespace {

// A stored value in the type of property, or def where none is stored. Colours are stored
// as 32-bit integers, FontSize (the one float) in ten-thousandths of a point.
QVariant readStored(const PropertyStore &store, const QMetaProperty &property, const QVariant &def)
{
    const QString name = QString::fromLatin1(property.name());
    switch (property.typeId()) {
    case QMetaType::Bool: return store.readBool(name, def.toBool());
    case QMetaType::QString: return store.readText(name, def.toString());
    case QMetaType::QFont: return store.readFont(name, def.value<QFont>());
    case QMetaType::Float: {
        // A size of 0 or less is no size at all.
        const double points = store.readFontSize(name, def.toDouble());
        return points > 0 ? QVariant(float(points)) : def;
    }
    default: return QVariant::fromValue(store.readColor(name, def.value<ColorValue>()));
    }
}

void writeStored(PropertyStore &store, const QMetaProperty &property, const QVariant &value)
{
    const QString name = QString::fromLatin1(property.name());
    switch (property.typeId()) {
    case QMetaType::Bool: store.setBool(name, value.toBool()); break;
    case QMetaType::QString: store.setText(name, value.toString()); break;
    case QMetaType::QFont: store.setFont(name, value.value<QFont>()); break;
    case QMetaType::Float: store.setFontSize(name, value.toDouble()); break;
    default: store.setColor(name, value.value<ColorValue>()); break;
    }
}

} // namespace

void SkinnedControl::ReadProperties(const PropertyStore &store)
{
    LoadScope scope(this);
    // What a new control of this kind shows is the default of each value not stored; the
    // font's is the holder's, and a part of the font not stored keeps what Font gave.
    const std::unique_ptr<QObject> fresh(metaObject()->newInstance());
    Q_ASSERT(fresh);
    for (const QMetaProperty &property : storedProperties()) {
        const bool isFont = property.typeId() == QMetaType::QFont;
        const QVariant def = isFont ? QVariant(ambientFont())
            : QByteArray(property.name()).startsWith("Font") ? property.read(this)
                                                              : property.read(fresh.get());
        const QVariant value = readStored(store, property, def);
        if (isFont)
            setOwnFont(value.value<QFont>());
        else
            property.write(this, value);
    }
}

void SkinnedControl::WriteProperties(PropertyStore &store) const
{
    for (const QMetaProperty &property : storedProperties())
        writeStored(store, property, property.read(this));
}

QList<QMetaProperty> SkinnedControl::storedProperties() const
{
    const QMetaObject *meta = metaObject();
    const QByteArray names = meta->classInfo(meta->indexOfClassInfo("StoredValues")).value();
    QList<QMetaProperty> properties;
    for (const QByteArray &name : names.split(' ')) {
        properties.append(meta->property(meta->indexOfProperty(name.constData())));
        Q_ASSERT(properties.last().isValid());
    }
    return properties;
}

void SkinnedControl::blendOnto(QImage &target, const QRect &rect, const QImage &origen, QPoint from,
                               int cantidad)
{
    // Parts of the source rectangle outside origen leave the body colour showing.
    const QRect source = QRect(from, rect.size()).intersected(origen.rect());
    if (source.isEmpty() || cantidad == 0)
        return;
    // Constant opacity only: the source's own alpha channel plays no part.
    const QImage opaque = origen.copy(source).convertToFormat(QImage::Format_RGB32);
    QPainter painter(&target);
    painter.setOpacity(cantidad / 255.0);
    painter.drawImage(rect.topLeft() + (source.topLeft() - from), opaque);
}

QRect SkinnedControl::captureRect() const
{
    return rect();
}

void SkinnedControl::paintSurface(QPainter &painter) const
{
    painter.drawImage(0, 0, m_surface);
}

void SkinnedControl::paintLine(QPainter &painter, const EdgeLine &line, QPoint origin) const
{
    const QPoint a = line.from + origin;
    const QPoint b = line.to + origin;
    QRect pixels;
    if (a.y() == b.y() && a.x() != b.x())
        pixels = a.x() < b.x() ? QRect(a.x(), a.y(), b.x() - a.x(), 1)
                               : QRect(b.x() + 1, a.y(), a.x() - b.x(), 1);
    else if (a.x() == b.x() && a.y() != b.y())
        pixels = a.y() < b.y() ? QRect(a.x(), a.y(), 1, b.y() - a.y())
                               : QRect(a.x(), b.y() + 1, 1, a.y() - b.y());
    painter.fillRect(pixels, colorOf(line.color));
}

void SkinnedControl::paintLines(QPainter &painter, const EdgeLine (&lines)[2], QPoint origin) const
{
    paintLine(painter, lines[0], origin);
    paintLine(painter, lines[1], origin);
}

void SkinnedControl::paintText(QPainter &painter, const TextElement &text, QPoint origin) const
{
    if (!text.visible || text.text.isEmpty())
        return;
    const QRect box = text.geometry.translated(origin);
    painter.save();
    painter.setClipRect(box);
    painter.setFont(font());
    painter.setPen(colorOf(text.color));
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text.text);
    painter.restore();
}

void SkinnedControl::placeFrameLines(EdgeLine *first, EdgeLine *second, int w, int h, int bottomStart)
{
    first[0].from = {0, 0};
    first[0].to = {w, 0};
    first[1].from = {0, 0};
    first[1].to = {0, h - 1};
    second[0].from = {w - 1, 0};
    second[0].to = {w - 1, h - 1};
    second[1].from = {bottomStart, h - 1};
    second[1].to = {w, h - 1};
}

QRect SkinnedControl::elementRect(int element) const
{
    return element == SurfaceElement ? rect() : QRect();
}

void SkinnedControl::elementPressed(int, int, int, QPointF) {}
void SkinnedControl::elementMoved(int, int, int, QPointF) {}
void SkinnedControl::elementReleased(int, int, int, QPointF, int) {}

void SkinnedControl::elementDoubleClicked(int element, int button, int shift, QPointF pos)
{
    elementPressed(element, button, shift, pos);
}

void SkinnedControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintSurface(painter);
}

void SkinnedControl::resizeEvent(QResizeEvent *event)
{
    // The surface keeps what was drawn on it; new area shows the body colour.
    QImage grown(size(), QImage::Format_RGB32);
    grown.fill(colorOf(m_backColor));
    QPainter painter(&grown);
    painter.drawImage(0, 0, m_surface);
    painter.end();
    m_surface = grown;
    QWidget::resizeEvent(event);
}

QPointF SkinnedControl::relativeTo(int element, const QPointF &pos) const
{
    return pos - QPointF(elementRect(element).topLeft());
}

void SkinnedControl::mousePressEvent(QMouseEvent *event)
{
    // The first button down captures the element under the pointer; every
    // further action until the last button goes up belongs to that element.
    if (event->buttons() == event->button()) {
        m_captured = elementAt(event->position());
        m_doubleClicked = false;
    }
    // A press reports every button held: left pressed while right is held gives 3.
    if (m_captured != NoElement)
        elementPressed(m_captured, buttonCode(event->buttons()), shiftCode(event->modifiers()),
                       relativeTo(m_captured, event->position()));
}

void SkinnedControl::mouseMoveEvent(QMouseEvent *event)
{
    const int element = event->buttons() != Qt::NoButton ? m_captured : elementAt(event->position());
    if (element != NoElement)
        elementMoved(element, buttonCode(event->buttons()), shiftCode(event->modifiers()),
                     relativeTo(element, event->position()));
}

void SkinnedControl::mouseReleaseEvent(QMouseEvent *event)
{
    const int element = m_captured;
    // The release after the second press of a double-click completes no click.
    const bool completesClick = !m_doubleClicked && covers(rect(), event->position());
    if (event->buttons() == Qt::NoButton) {
        m_captured = NoElement;
        m_doubleClicked = false;
    }
    if (element == NoElement)
        return;
    const int under = completesClick ? elementAt(event->position()) : NoElement;
    elementReleased(element, buttonCode(event->button()), shiftCode(event->modifiers()),
                    relativeTo(element, event->position()), under);
}

void SkinnedControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->buttons() == event->button())
        m_captured = elementAt(event->position());
    m_doubleClicked = true;
    if (m_captured != NoElement)
        elementDoubleClicked(m_captured, buttonCode(event->buttons()), shiftCode(event->modifiers()),
                             relativeTo(m_captured, event->position()));
}

void SkinnedControl::focusInEvent(QFocusEvent *event)
{
    // Only focus from the keyboard shows the mark; a click clears it, a window coming back keeps it.
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason: m_keyboardFocus = true; break;
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason: break;
    default: m_keyboardFocus = false; break;
    }
    QWidget::focusInEvent(event);
}

void SkinnedControl::changeEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::FontChange:
        fontChanged();
        update();
        changed(QString::fromLatin1(m_fontProperty));
        break;
    case QEvent::EnabledChange:
        // The holder's state reaches the control too, but changes none of its values.
        if (Enabled() != m_enabled) {
            m_enabled = Enabled();
            changed(QStringLiteral("Enabled"));
        }
        break;
    case QEvent::PaletteChange: update(); break;
    default: break;
    }
    QWidget::changeEvent(event);
}

void SkinnedControl::refillSurface()
{
    if (m_surface.size() != size())
        m_surface = QImage(size(), QImage::Format_RGB32);
    m_surface.fill(colorOf(m_backColor));
}
