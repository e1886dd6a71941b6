#include "background/widehdpreview.h"

#include <QPainter>

QRect ScreenCover(const QSize &made, int aspectWidth, int aspectHeight)
{
    if (made.isEmpty() || aspectWidth <= 0 || aspectHeight <= 0)
        return {};
    const qint64 w = made.width(), h = made.height();
    if (w * aspectHeight > h * aspectWidth) {   // wider than the screen: the sides are cut
        const int shown = int(qRound(double(h) * aspectWidth / aspectHeight));
        return QRect(int((w - shown) / 2), 0, shown, int(h));
    }
    const int shown = int(qRound(double(w) * aspectHeight / aspectWidth));
    return QRect(0, int((h - shown) / 2), int(w), shown);
}

QImage WideHdPreview(const QImage &made, const QSize &area, const QColor &backColor)
{
    QImage preview(area, QImage::Format_RGB32);
    preview.fill(backColor);
    if (made.isNull() || area.isEmpty())
        return preview;
    const QSize shown = made.size().scaled(area, Qt::KeepAspectRatio);
    const QRect target(QPoint((area.width() - shown.width()) / 2, (area.height() - shown.height()) / 2), shown);
    QPainter painter(&preview);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, made);

    // One colour an outline, bright enough on any picture, each labelled at its top-left.
    struct Screen { int w, h; const char *label; QColor colour; };
    const Screen screens[] = {{4, 3, "4:3", QColor(255, 214, 10)},
                              {16, 9, "16:9", QColor(80, 220, 255)},
                              {21, 9, "21:9", QColor(255, 110, 200)}};
    const double scale = double(shown.width()) / made.width();
    QFont font = painter.font();
    font.setPixelSize(11);
    painter.setFont(font);
    for (const Screen &screen : screens) {
        const QRect cover = ScreenCover(made.size(), screen.w, screen.h);
        const QRect drawn(target.left() + int(cover.left() * scale), target.top() + int(cover.top() * scale),
                          qMax(1, int(cover.width() * scale)) - 1, qMax(1, int(cover.height() * scale)) - 1);
        painter.setPen(QPen(screen.colour, 1));
        painter.drawRect(drawn);
        const QString label = QString::fromLatin1(screen.label);
        const QRect box = painter.fontMetrics().boundingRect(label).adjusted(-3, -1, 3, 1);
        const QPoint at = drawn.topLeft() + QPoint(2, 2) - box.topLeft();
        painter.fillRect(box.translated(at), QColor(0, 0, 0, 160));
        painter.drawText(at, label);
    }
    return preview;
}
