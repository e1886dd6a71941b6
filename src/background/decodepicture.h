#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The most pixels a picture may have; a larger one is refused before it is decoded.
inline constexpr qint64 MaxPicturePixels = 100'000'000;

// The least size a picture of `original` size is decoded at: reduced, keeping its shape, only as
// far as fitting it within 3840x1600 and stretching it to 1280x1024 still lose nothing.
QSize DecodedSize(const QSize &original);

// The size a JPEG of `original` size is decoded at: the smallest whole eighth of it that is no
// smaller than DecodedSize, when the sides divide into exactly that eighth; else DecodedSize.
QSize JpegDecodedSize(const QSize &original);

// Decodes a BMP or JPEG file, as small as above, into an RGB32 picture, turned as the photo says.
// False, with the file and the reason in errorString, when the file cannot be decoded, is damaged
// or incomplete, or has more than MaxPicturePixels. One thread at a time: while it decodes, it
// changes Qt's process-wide allocation limit and message handler.
bool DecodePicture(const QString &fileName, QImage &picture, QString *errorString = nullptr);
