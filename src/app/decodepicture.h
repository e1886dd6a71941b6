#pragma once

#include <QImage>
#include <QString>

// Decodes a BMP or JPEG file. Pictures larger than 2560x2048 (twice the largest background
// each way) are decoded scaled down to fit, keeping their aspect, so a huge photograph does
// not exhaust memory; the stretch to a background size loses nothing by it.
// False, with the file and the reason in errorString, when the file cannot be decoded.
bool DecodePicture(const QString &fileName, QImage &picture, QString *errorString = nullptr);
