#include "background/framing.h"

#include <QtMath>

#include <algorithm>

namespace {

struct Screen
{
    ScreenShape Shape;
    const char *Text;
};
const Screen Screens[ScreenShapeCount] = {{{4, 3}, "4:3"}, {{16, 10}, "16:10"}, {{16, 9}, "16:9"}, {{43, 18}, "21:9"}};

// The narrowest and the widest screen a Wide HD background is made for.
const ScreenShape Narrowest = Screens[0].Shape;
const ScreenShape Widest = Screens[ScreenShapeCount - 1].Shape;

} // namespace

ScreenShape ScreenShapeOf(int screen)
{
    return screen >= 0 && screen < ScreenShapeCount ? Screens[screen].Shape : ScreenShape();
}

QString ScreenShapeText(int screen)
{
    return screen >= 0 && screen < ScreenShapeCount ? QString::fromLatin1(Screens[screen].Text) : QString();
}

int ScreenShapeIndex(const QString &text)
{
    for (int screen = 0; screen < ScreenShapeCount; ++screen)
        if (text == QLatin1String(Screens[screen].Text))
            return screen;
    return -1;
}

QRect LargestCentredArea(const QSize &picture, int screen)
{
    const ScreenShape shape = ScreenShapeOf(screen);
    if (picture.isEmpty() || shape.Width == 0)
        return {};
    return QRect(QPoint(), picture).intersected(ScreenCover(picture, shape.Width, shape.Height));
}

bool HasScreenShape(const QSize &area, int screen)
{
    const ScreenShape shape = ScreenShapeOf(screen);
    if (area.isEmpty() || shape.Width == 0)
        return false;
    // A pixel either way on the longer side, as rounding leaves it.
    const qint64 w = area.width(), h = area.height();
    return qAbs(w * shape.Height - h * shape.Width) <= qMax(shape.Width, shape.Height);
}

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

QRect ShownOnEveryScreen(const QSize &made)
{
    return ScreenCover(made, Narrowest.Width, Narrowest.Height)
        .intersected(ScreenCover(made, Widest.Width, Widest.Height));
}

QRect WideHdTrim(const QSize &picture, const QRect &keep)
{
    if (picture.isEmpty() || keep.isEmpty() || !QRect(QPoint(), picture).contains(keep))
        return {};
    // The narrowest screen shows a band narrowest*height wide about the middle, the widest one
    // a band width/widest high; each must reach over both sides of `keep`. Only cuts mend a
    // band that misses, and each cut narrows the other band, so the sides are cut in turns, each
    // only as far as it must be; the turns shrink (4:3 over 21:9 each round) to the largest
    // part there is. Half a pixel is let pass on each side, as the game's own rounding does.
    const double narrow = double(Narrowest.Width) / Narrowest.Height;
    const double wide = double(Widest.Width) / Widest.Height;
    const double left = keep.x(), right = keep.x() + keep.width();
    const double top = keep.y(), bottom = keep.y() + keep.height();
    double x0 = 0, x1 = picture.width(), y0 = 0, y1 = picture.height();
    for (int round = 0; round < 200; ++round) {
        const double band = narrow * (y1 - y0) + 1;
        const double nx1 = std::min(x1, 2 * left + band - x0);
        const double nx0 = std::max(x0, 2 * right - band - nx1);
        const double high = (nx1 - nx0) / wide + 1;
        const double ny1 = std::min(y1, 2 * top + high - y0);
        const double ny0 = std::max(y0, 2 * bottom - high - ny1);
        const bool settled = x1 - nx1 + nx0 - x0 + y1 - ny1 + ny0 - y0 < 1e-9;
        x0 = nx0, x1 = nx1, y0 = ny0, y1 = ny1;
        if (x0 > left || x1 < right || y0 > top || y1 < bottom)
            return {};
        if (settled)
            break;
    }
    const QRect trim(QPoint(qRound(x0), qRound(y0)), QPoint(qRound(x1) - 1, qRound(y1) - 1));
    return trim.contains(keep) ? trim : QRect();
}
