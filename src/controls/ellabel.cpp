#include "controls/ellabel.h"

#include <QPainter>

namespace {
constexpr int LabelHeightTwips = 300;
}

ellabel::ellabel(QWidget *parent)
    : CaptionedControl(parent)
{
    // Label2: 645 x 240 twips at the top left; shadow1 one pixel right and lower.
    m_caption.geometry = QRect(0, 0, 43, 16);
    m_shadow.geometry = QRect(1, 1, 43, 16);
    m_caption.text = m_shadow.text = QStringLiteral("Caption");
    m_caption.color = PaleText;
    CaptionedControl::setBackColor(DarkBody);
    setFixedHeight(twipsToPixels(LabelHeightTwips));
    resize(320, height());
    layoutCaption();
}

void ellabel::setCaption(const QString &text)
{
    setCaptionText(text);
    changed(QStringLiteral("Caption"));
}

void ellabel::ReadProperties(const PropertyStore &store)
{
    LoadScope scope(this);
    setForeColor(store.readColor(QStringLiteral("ForeColor"), PaleText));
    setBackColor(store.readColor(QStringLiteral("BackColor"), DarkBody));
    setEnabled(store.readBool(QStringLiteral("Enabled"), true));
    setCaption(store.readText(QStringLiteral("Caption"), QStringLiteral("Caption")));
    readCaptionFont(store);
    readDropShadow(store);
}

void ellabel::WriteProperties(PropertyStore &store) const
{
    store.setColor(QStringLiteral("BackColor"), BackColor());
    store.setColor(QStringLiteral("ForeColor"), ForeColor());
    store.setBool(QStringLiteral("Enabled"), Enabled());
    store.setText(QStringLiteral("Caption"), Caption());
    writeFontValues(store, Font());
    store.setBool(QStringLiteral("DropShadow"), DropShadow());
}

QSize ellabel::sizeHint() const
{
    return {320, twipsToPixels(LabelHeightTwips)};
}

void ellabel::layoutCaption()
{
    LayoutCaption(width());
}

int ellabel::elementAt(const QPointF &pos) const
{
    const int caption = captionElementAt(pos, Label2, Shadow);
    if (caption != NoElement)
        return caption;
    return covers(rect(), pos) ? int(Surface) : NoElement;
}

QRect ellabel::elementRect(int element) const
{
    switch (element) {
    case Label2: return m_caption.geometry;
    case Shadow: return m_shadow.geometry;
    default: return rect();
    }
}

void ellabel::elementPressed(int element, int button, int shift, QPointF pos)
{
    if (element == Label2)
        emit MouseDown(button, shift, float(pos.x()), float(pos.y()));
}

void ellabel::elementMoved(int element, int button, int shift, QPointF pos)
{
    if (element == Label2)
        emit MouseMove(button, shift, float(pos.x()), float(pos.y()));
}

void ellabel::elementReleased(int element, int button, int shift, QPointF pos, int under)
{
    if (element != Label2)
        return;
    emit MouseUp(button, shift, float(pos.x()), float(pos.y()));
    if (button == 1 && under == Label2)
        emit Click();
}

void ellabel::elementDoubleClicked(int element, int, int, QPointF)
{
    if (element == Label2)
        emit DblClick();
}

void ellabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintSurface(painter);
    paintCaption(painter);
}

void ellabel::resizeEvent(QResizeEvent *event)
{
    CaptionedControl::resizeEvent(event);
    layoutCaption();
}
