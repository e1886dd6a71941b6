#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

// The four screen resolutions a background can be made for, by index:
// 0 640x480, 1 800x600, 2 1024x768, 3 1280x1024. -1 means none.
constexpr int ResolutionCount = 4;

// After the four, the resolution list offers Wide HD: the picture keeps its own shape,
// scaled down to fit within 3840x1600, and the game's HD layout files place it with `fit`
// (covering any screen, centred) instead of stretching it.
constexpr int WideHdResolution = 4;
constexpr int ListedResolutionCount = 5;

// The size a picture of `picture` size is made at in Wide HD: scaled down, keeping its shape,
// to fit within 3840x1600 (never up); empty for an empty picture.
QSize WideHdSize(const QSize &picture);

// Width and height of resolution `index`; an empty size outside 0..3.
QSize ResolutionSize(int index);

// The text the resolution list shows ("800x600"); empty outside 0..3 (Wide HD's is the
// string table's).
QString ResolutionText(int index);

// "There is no resolution number <index>", in the user's language.
QString NoResolutionMessage(int index);

// One tile of a resolution: at most 256x256 pixels, cut at the screen edge.
struct TileSpec
{
    quint32 W = 0;        // resolution width
    int Row = 0;          // from 1 at the top (at most 4, or 7 in Wide HD)
    char Column = 'a';    // from 'a' at the left (at most 'e', or 'o' in Wide HD)
    int X = 0;
    int Y = 0;
    int TileWidth = 0;
    int TileHeight = 0;
    QString FileName;     // "800_3_d_loading.tga"

    QRect rect() const { return QRect(X, Y, TileWidth, TileHeight); }
};

// The tiles of resolution `index`, row by row from the top and left to right
// within a row; empty outside 0..3.
QList<TileSpec> TileGrid(int index);

// The tiles of a Wide HD picture of `size` (at most 3840x1600), in the same order, named
// "hd_<row>_<column>_loading.tga"; empty for a size outside that.
QList<TileSpec> WideHdTileGrid(const QSize &size);

// "<W>_<row>_<column>_loading.tga".
QString TileFileName(quint32 W, int row, char column);

// The folder that receives the tiles: the executable's folder, the game's
// relative background folder and a trailing separator, all written with the
// executable's separator.
QString BackgroundFolder(const QString &exePath, const QString &relativeFolder);

// The parent of the background folder, with no trailing separator; the layout
// files are written here.
QString ResourceFolder(const QString &exePath, const QString &relativeFolder);
