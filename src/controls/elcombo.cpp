#include "controls/elcombo.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QWheelEvent>
#include <QtMath>

namespace {

constexpr int ComboHeightTwips = 300;
constexpr int MinimumWidthTwips = 1425;
constexpr int SymbolOffsetTwips = 280;
constexpr int FieldHeight = 17;
constexpr int ListHeight = 19;   // the field plus the list's own one-pixel border above and below
constexpr ColorValue ListBody = 0x37463Eu;

} // namespace

// The stock list as the control shows it: the control keeps the focus and hands it the keys,
// the list draws the control's focus mark over its own field and opens below the control.
class elcombo::DropList : public QComboBox
{
public:
    DropList(elcombo *owner, QWidget *parent) : QComboBox(parent), m_owner(owner) { setFocusPolicy(Qt::NoFocus); }

    using QComboBox::keyPressEvent;
    void showPopup() override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    elcombo *m_owner;
};

void elcombo::DropList::showPopup()
{
    QComboBox::showPopup();
    // The style's own popup lays the chosen entry over the field, hiding it; below the
    // control it leaves the field readable, and above it where the screen ends.
    QWidget *popup = view()->window();
    const QRect area = m_owner->screen()->availableGeometry();
    QPoint at = m_owner->mapToGlobal(QPoint(0, m_owner->height()));
    if (at.y() + popup->height() > area.y() + area.height())
        at.setY(m_owner->mapToGlobal(QPoint(0, 0)).y() - popup->height());
    popup->move(at);
}

void elcombo::DropList::paintEvent(QPaintEvent *event)
{
    QComboBox::paintEvent(event);
    if (!m_owner->showsFocusMark())
        return;
    QPainter painter(this);
    painter.setPen(QPen(m_owner->colorOf(m_owner->m_foreColor), 1, Qt::DotLine));
    // Round the text, clear of its first stroke and of the drop symbol; the visible field
    // starts at (1, 1) here.
    const int right = m_owner->m_symbolBox->x() - 2;
    painter.drawRect(QRect(2, 3, right - 2, 12));
}

void elcombo::DropList::wheelEvent(QWheelEvent *event)
{
    if (m_owner->hasFocus())
        QComboBox::wheelEvent(event);
    else
        event->ignore();
}

elcombo::elcombo(QWidget *parent)
    : SkinnedControl(parent)
    , m_foreColor(PaleText)
    , m_symbolColor(LightEdge)
    , m_symbolColorField(LightEdge)
    , m_symbolOverColor(LightEdge)
{
    SkinnedControl::setBackColor(DarkBody);

    m_field = new QWidget(this);
    m_combo = new DropList(this, m_field);
    setOwnFont(designFont());
    // A plain item delegate lets the style sheet colour the selected entry of the open list.
    m_combo->setItemDelegate(new QStyledItemDelegate(m_combo));
    setFocusPolicy(Qt::StrongFocus);
    m_symbolBox = new QWidget(m_field);
    // The drawn symbol takes no mouse input, so a click on it reaches the list's own drop button.
    m_symbolBox->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_symbolBox->installEventFilter(this);
    connect(m_combo, &QComboBox::activated, this, &elcombo::Click);

    setFixedHeight(twipsToPixels(ComboHeightTwips));
    setMinimumWidth(twipsToPixels(MinimumWidthTwips));
    resize(twipsToPixels(MinimumWidthTwips), height());
    placeElements();
    edgeColorsChanged();
}

void elcombo::set_over_state()
{
    if (m_symbolColor != m_symbolOverColor) {
        m_symbolColor = m_symbolOverColor;
        m_symbolBox->update();
    }
}

void elcombo::set_normal_state()
{
    if (m_symbolColor != m_symbolColorField) {
        m_symbolColor = m_symbolColorField;
        m_symbolBox->update();
    }
}

void elcombo::setDropShadow(bool)
{
    changed(QStringLiteral("DropShadow"));
}

QComboBox *elcombo::innerList() const
{
    return m_combo;
}

void elcombo::Clear()
{
    m_combo->clear();
}

void elcombo::AddItem(const QString &item)
{
    // The stock list selects its first entry by itself; ours stays unselected until told.
    const int selected = m_combo->currentIndex();
    m_combo->addItem(item);
    if (selected < 0)
        m_combo->setCurrentIndex(-1);
}

void elcombo::RemoveItem(int donde)
{
    if (donde < 0 || donde >= m_combo->count())
        return;
    // Removing the selected entry leaves nothing selected, as the stock list of the
    // original platform does; Qt would move the selection to a neighbour.
    const bool wasSelected = m_combo->currentIndex() == donde;
    m_combo->removeItem(donde);
    if (wasSelected)
        m_combo->setCurrentIndex(-1);
}

void elcombo::SetListIndex(int donde)
{
    if (donde < 0 || donde >= m_combo->count())
        return;
    m_combo->setCurrentIndex(donde);
    emit Click();
}

int elcombo::GetListIndex() const
{
    return m_combo->currentIndex();
}

int elcombo::ListCount() const
{
    return m_combo->count();
}

void elcombo::SetList(int, const QString &) {}

QString elcombo::GetList(int) const
{
    return {};
}

void elcombo::setForeColor(ColorValue color)
{
    m_foreColor = color;
    applyListStyle();
    changed(QStringLiteral("ForeColor"));
}

void elcombo::edgeColorsChanged()
{
    colorLines(m_lineA, Color3DDark());
    colorLines(m_lineB, Color3DLight());
    applyListStyle();
}

void elcombo::setListBackColor(ColorValue)
{
    changed(QStringLiteral("ListBackColor"));
}

void elcombo::setListForeColor(ColorValue)
{
    changed(QStringLiteral("ListForeColor"));
}

void elcombo::setSymbolColor(ColorValue color)
{
    m_symbolColor = color;
    m_symbolColorField = color;
    m_symbolBox->update();
    changed(QStringLiteral("SymbolColor"));
}

void elcombo::setSymbolOverColor(ColorValue color)
{
    m_symbolOverColor = color;
    changed(QStringLiteral("SymbolOverColor"));
}

void elcombo::setList(const QString &text)
{
    m_list = text;
    changed(QStringLiteral("List"));
}

QSize elcombo::sizeHint() const
{
    return {twipsToPixels(MinimumWidthTwips), twipsToPixels(ComboHeightTwips)};
}

int elcombo::elementAt(const QPointF &) const
{
    // The control's own surface and lines raise nothing; the inner list takes its own input.
    return NoElement;
}

void elcombo::fontChanged()
{
    m_combo->setFont(font());
    m_combo->view()->setFont(font());
}

void elcombo::applyListStyle()
{
    const QString body = colorOf(ListBody).name();
    const QString text = colorOf(m_foreColor).name();
    const QString light = colorOf(Color3DLight()).name();
    const QString dark = colorOf(Color3DDark()).name();
    // The open list is framed sunken like the field, and its chosen entry takes the dark
    // edge colour under the text colour: the light edge behind dark text read poorly.
    m_combo->setStyleSheet(QStringLiteral(
        "QComboBox { background: %1; color: %2; border: 1px solid %1; padding: 0 0 0 3px; }"
        "QComboBox::drop-down { border: none; width: 20px; }"
        "QComboBox::down-arrow { image: none; }"
        "QComboBox QAbstractItemView { background: %1; color: %2; border: 1px solid;"
        " border-color: %4 %3 %3 %4; selection-background-color: %4; selection-color: %2; outline: none; }"
        "QComboBox QAbstractItemView::item:selected { background: %4; color: %2; }")
                               .arg(body, text, light, dark));
}

void elcombo::placeElements()
{
    const int w = width();
    m_field->setGeometry(1, 1, w - 2, FieldHeight);
    m_combo->setGeometry(-1, -1, w, ListHeight);
    const int symbolLeft = qFloor((w * TwipsPerPixel - SymbolOffsetTwips) / double(TwipsPerPixel)) - 2;
    m_symbolBox->setGeometry(symbolLeft, -1, 20, 18);
    m_symbolBox->raise();
    m_lineA[0] = {{0, 0}, {w, 0}, m_lineA[0].color};              // top
    m_lineA[1] = {{0, 0}, {0, 20}, m_lineA[1].color};             // left
    m_lineB[0] = {{w - 1, 1}, {w - 1, 20}, m_lineB[0].color};     // right
    m_lineB[1] = {{0, 19}, {w, 19}, m_lineB[1].color};            // bottom
}

void elcombo::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintSurface(painter);
    paintLines(painter, m_lineA);
    paintLines(painter, m_lineB);
}

void elcombo::resizeEvent(QResizeEvent *event)
{
    SkinnedControl::resizeEvent(event);
    placeElements();
}

void elcombo::keyPressEvent(QKeyEvent *event)
{
    m_combo->keyPressEvent(event);
}

void elcombo::focusInEvent(QFocusEvent *event)
{
    SkinnedControl::focusInEvent(event);
    m_combo->update();
}

void elcombo::focusOutEvent(QFocusEvent *event)
{
    SkinnedControl::focusOutEvent(event);
    m_combo->update();
}

void elcombo::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        applyListStyle();
    SkinnedControl::changeEvent(event);
}

bool elcombo::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_symbolBox && event->type() == QEvent::Paint) {
        QPainter painter(m_symbolBox);
        painter.fillRect(m_symbolBox->rect(), colorOf(ListBody));
        // The drop symbol, a filled down triangle 7 pixels wide and 4 high, as the
        // window-glyph font draws it, centred in its label (1, 2, 18, 15).
        const QColor symbol = colorOf(m_symbolColor);
        for (int row = 0; row < 4; ++row)
            painter.fillRect(7 + row, 7 + row, 7 - 2 * row, 1, symbol);
        return true;
    }
    return SkinnedControl::eventFilter(watched, event);
}
