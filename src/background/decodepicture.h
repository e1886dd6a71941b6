#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The most pixels a picture may have; a larger one is refused before it is decoded.
inline constexpr qint64 MaxPicturePixels = 100'000'000;

// The least size a picture of `original` size is decoded at: reduced, keeping its shape, only as
// far as it still covers `needed` on both sides (never enlarged). An empty `needed` stands for
// every use at once: fitting it within 3840x1600 and stretching it to 1280x1024 still lose nothing.
QSize DecodedSize(const QSize &original, const QSize &needed = {});

// The size a JPEG of `original` size is decoded at, covering DecodedSize(original, needed), by
// the way of Qt's reader that holds the fewest pixels at once: an eighth of it that the reader
// hands over as libjpeg made it (a half, quarter or eighth always; another eighth when both
// sides divide into it), or DecodedSize itself, which the reader smooth-scales from the
// smallest eighth that covers it, holding both.
QSize JpegDecodedSize(const QSize &original, const QSize &needed = {});

// Decodes a BMP or JPEG file, as small as above, into an RGB32 picture, turned as the photo says;
// `needed` is the least size, as shown, its callers will stretch it to. False, with the file and
// the reason in errorString, when the file cannot be decoded, is damaged or incomplete, or has
// more than MaxPicturePixels. One thread at a time: while it decodes, it changes Qt's
// process-wide allocation limit and message handler.
bool DecodePicture(const QString &fileName, QImage &picture, QString *errorString = nullptr,
                   const QSize &needed = {});
