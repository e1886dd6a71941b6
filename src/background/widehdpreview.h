#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>

// The part of a Wide HD background of `made` size that a screen of `aspectWidth`:`aspectHeight`
// shows: the game scales the background to cover the screen keeping its shape, centred, and
// cuts what overflows.
QRect ScreenCover(const QSize &made, int aspectWidth, int aspectHeight);

// The preview of a Wide HD background: `made` scaled to fit `area` keeping its shape, centred
// on `backColor`, with a thin labelled outline of what a 4:3, a 16:9 and a 21:9 screen show.
QImage WideHdPreview(const QImage &made, const QSize &area, const QColor &backColor);
