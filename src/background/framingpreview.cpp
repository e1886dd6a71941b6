#include "background/framingpreview.h"

#include "background/framing.h"

#include <QPainter>

QRect PreviewPlace(const QSize &picture, const QSize &area)
{
    if (picture.isEmpty() || area.isEmpty())
        return {};
    const QSize shown = picture.scaled(area, Qt::KeepAspectRatio);
    return QRect(QPoint((area.width() - shown.width()) / 2, (area.height() - shown.height()) / 2), shown);
}

QImage FramingPreview(const QImage &picture, const QSize &area, const QColor &backColor, const QRect &kept,
                      const QRect &keep)
{
    QImage preview(area, QImage::Format_RGB32);
    preview.fill(backColor);
    const QRect target = PreviewPlace(picture.size(), area);
    if (target.isEmpty())
        return preview;
    QPainter painter(&preview);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture);
    const double scale = double(target.width()) / picture.width();
    const auto placed = [&](const QRect &part) {
        return QRect(target.left() + int(part.left() * scale), target.top() + int(part.top() * scale),
                     qMax(1, int(part.width() * scale)), qMax(1, int(part.height() * scale)));
    };
    const QRect keptShown = placed(kept);
    const QRegion dimmed = QRegion(target).subtracted(QRegion(keptShown));
    for (const QRect &part : dimmed)
        painter.fillRect(part, QColor(0, 0, 0, 150));
    if (keep.isEmpty())
        return preview;

    // One colour an outline, bright enough on any picture, each labelled at its top-left.
    struct Screen { int shape; const char *label; QColor colour; };
    const Screen screens[] = {{0, "4:3", QColor(255, 214, 10)},
                              {2, "16:9", QColor(80, 220, 255)},
                              {3, "21:9", QColor(255, 110, 200)}};
    QFont font = painter.font();
    font.setPixelSize(11);
    painter.setFont(font);
    for (const Screen &screen : screens) {
        const ScreenShape shape = ScreenShapeOf(screen.shape);
        const QRect drawn = placed(ScreenCover(kept.size(), shape.Width, shape.Height).translated(kept.topLeft()))
                                .adjusted(0, 0, -1, -1);
        painter.setPen(QPen(screen.colour, 1));
        painter.drawRect(drawn);
        const QString label = QString::fromLatin1(screen.label);
        const QRect box = painter.fontMetrics().boundingRect(label).adjusted(-3, -1, 3, 1);
        const QPoint at = drawn.topLeft() + QPoint(2, 2) - box.topLeft();
        painter.fillRect(box.translated(at), QColor(0, 0, 0, 160));
        painter.drawText(at, label);
    }
    painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
    painter.drawRect(placed(keep).adjusted(0, 0, -1, -1));
    return preview;
}
