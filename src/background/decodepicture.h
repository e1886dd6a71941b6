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

// Decodes a picture file into an RGB32 picture, turned as the photo says, covering `needed`, the
// least size, as shown, its callers will stretch it to. A JPEG comes at the smallest eighth of its
// size (as TurboJPEG reduces while decoding) that covers DecodedSize(shown, needed), not scaled
// again; any other format at exactly DecodedSize. False, with the file and the reason in
// errorString, when the file cannot be decoded, is damaged or incomplete, or has more than
// MaxPicturePixels. Any thread may call it: it installs no handler and JPEGs change nothing
// process-wide; another format too large for Qt's allocation limit raises it for its read, one
// such read at a time.
bool DecodePicture(const QString &fileName, QImage &picture, QString *errorString = nullptr,
                   const QSize &needed = {});
