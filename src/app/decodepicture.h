#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The size a picture of `original` size is decoded at: unchanged unless it exceeds twice the
// largest background (2560x2048) on both axes; then reduced, keeping its aspect, only as far
// as both axes stay at least that large, so the stretch to a background loses nothing.
QSize DecodedSize(const QSize &original);

// Decodes a BMP or JPEG file at DecodedSize, so a huge photograph does not exhaust memory.
// False, with the file and the reason in errorString, when the file cannot be decoded.
bool DecodePicture(const QString &fileName, QImage &picture, QString *errorString = nullptr);
