#pragma once

#include <QImage>
#include <QString>

// Reads the TGA tiles a game ships, which other programs wrote: uncompressed or run-length
// encoded true colour (types 2 and 10), 24 or 32 bits a pixel, any corner first, an image ID
// to skip. A 32-bit pixel whose descriptor declares alpha bits is composed over black, as the
// menu shows it; without alpha bits the fourth byte is ignored. At most 4096x4096 pixels.

// Reads `fileName` into `picture` (Format_RGB32); false, with "Cannot read <file>: <reason>"
// in `errorString` and `picture` untouched, for a file that is unreadable, not such a TGA
// picture, or shorter than its header says.
bool ReadTgaPicture(const QString &fileName, QImage *picture, QString *errorString);
