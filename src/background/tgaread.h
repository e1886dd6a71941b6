#pragma once

#include <QImage>
#include <QString>

// Reads the TGA tiles a game ships, which other programs wrote: uncompressed or run-length
// encoded true colour (types 2 and 10), 24 or 32 bits a pixel, any corner first, an image ID
// to skip. A 32-bit pixel whose descriptor declares alpha bits is composed over black, as the
// menu shows it; without alpha bits the fourth byte is ignored. At most 4096x4096 pixels.

// The largest tile the game's menu shows, in either direction, and the most bytes its file may
// take: every pixel at 32 bits in a packet of its own, an image ID, and room for the TGA 2.0
// extension area and footer.
inline constexpr int MaxTileSide = 256;
inline constexpr qint64 MaxTileFileBytes = 384 * 1024;

// The one TGA reader and validator: decodes the whole file `bytes` into `picture`
// (Format_RGB32), refusing a picture wider or higher than `largestSide` (at most 4096) before
// any pixel is read. False, with the reason in `reason` and `picture` untouched, for anything
// that is not such a TGA picture or is shorter than its header says.
bool DecodeTgaPicture(const QByteArray &bytes, QImage *picture, QString *reason, int largestSide = 4096);

// The check of every tile packed or installed, so what is installed can be packed and shown
// again: a file of at most MaxTileFileBytes that DecodeTgaPicture reads within MaxTileSide.
// False with the reason in `reason`.
bool CheckTgaTile(const QByteArray &bytes, QString *reason);

// Reads `fileName` into `picture` (Format_RGB32); false, with "Cannot read <file>: <reason>"
// in `errorString` and `picture` untouched, for a file that is unreadable, not such a TGA
// picture, or shorter than its header says.
bool ReadTgaPicture(const QString &fileName, QImage *picture, QString *errorString);
