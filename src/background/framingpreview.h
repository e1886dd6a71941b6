#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>

// Where a picture of `picture` size lies in a preview of `area`: scaled to fit it keeping its
// shape, centred.
QRect PreviewPlace(const QSize &picture, const QSize &area);

// The preview of a make that keeps `kept` of `picture`: the picture in its PreviewPlace on
// `backColor`, darkened outside `kept`. For Wide HD, given the area `keep` every screen must show,
// a thin labelled outline of what a 4:3, a 16:9 and a 21:9 screen show of `kept`, and a white
// one around `keep`.
QImage FramingPreview(const QImage &picture, const QSize &area, const QColor &backColor, const QRect &kept,
                      const QRect &keep = {});
