#pragma once

#include "background/tilegrid.h"

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

class WholeFileSet;

// The game reads BackgroundLayout.txt and BackgroundLoadingLayout.txt from its resource
// folder, or, where its liblist.gam switches the HD menu on, HD_BackgroundLayout.txt and
// HD_BackgroundLoadingLayout.txt; each names the resolution and places every tile on screen.

// The names of the classic pair and of the HD pair, each in the order written and packed.
inline constexpr const char *LayoutFileNames[2] = {"BackgroundLayout.txt", "BackgroundLoadingLayout.txt"};
inline constexpr const char *HdLayoutFileNames[2] = {"HD_BackgroundLayout.txt", "HD_BackgroundLoadingLayout.txt"};

// All four layout file names: the classic pair, then the HD pair.
QStringList AllLayoutFileNames();

// One tile a layout text places: its file relative to the game's folder, '/'-separated, and
// the corner it is drawn at.
struct PlacedTile
{
    QString Path;
    QPoint At;
};

// A layout text: "resolution   W   H", then the tiles row by row (a row is a run of tiles at the
// same height), each row after an empty line, one line a tile with `keyword` ("scaled"
// stretches to the screen, "fit" covers it keeping the shape) and its corner; a path holding a
// blank is quoted. CR LF line ends.
QByteArray LayoutText(const QSize &size, const QList<PlacedTile> &tiles, const char *keyword);

// The exact layout text of resolution 0..3 with CR LF line ends; empty outside 0..3.
QByteArray LayoutFileText(int resolution);

// What one make writes: its tiles, and which layout files with which text.
struct LayoutPlan
{
    int Resolution = -1;    // 0..3, or WideHdResolution
    QSize Size;             // the layout's resolution
    QList<TileSpec> Tiles;
    bool HdPair = false;    // the HD pair is written too
    QByteArray ClassicText;
    QByteArray HdText;

    bool isValid() const { return !Tiles.isEmpty(); }
    // The layout file names, classic pair first, then the HD pair where written.
    QStringList layoutNames() const;
    // The text of layout file `name` (one of layoutNames()).
    QByteArray textOf(const QString &name) const;
};

// The plan of a make at `resolution` of a picture of `pictureSize`: the classic resolutions
// stretch it to their size and write the HD pair, with the classic text, only when the game
// reads it (`gameReadsHd`); Wide HD writes the classic pair with "scaled" and the HD pair with
// "fit" over the picture's own size, which must fit within 3840x1600. Invalid otherwise.
LayoutPlan PlanBackground(int resolution, const QSize &pictureSize, bool gameReadsHd);

enum class LayoutStatus { Written, ResourceFolderMissing, WriteFailed };

// Writes both layout files of `resolution` into ResourceFolder(exePath,
// relativeFolder), each replaced only once complete. A missing resource folder
// writes nothing; a failure names the file and the reason in `errorString`.
LayoutStatus WriteLayoutFiles(int resolution, const QString &exePath, const QString &relativeFolder,
                              QString *errorString = nullptr);

// Adds the layout files of `plan` to `files`, into `resourceFolder`, to be replaced with the
// others; false with the reason in files->errorString().
bool AddLayoutFiles(WholeFileSet *files, const LayoutPlan &plan, const QString &resourceFolder);

// The full path of layout file `name` in `resourceFolder`, joined with the folder's separator.
QString LayoutFilePath(const QString &resourceFolder, const QString &name);

// The one reader of layout texts, however they were written: lines end in CR LF, LF or CR;
// blanks or tabs separate the words; a word in quotes may hold blanks; "//" starts a comment.
// First "resolution W H" (at most 3840x2400, once, before any tile), then "<tile> <scaled|fit>
// X Y" lines, the keywords in any letter case. A tile path may use '\' or '/' (read as '/')
// and must stay inside the game's folder: relative, no drive, no "..". False, with the reason
// in `reason` and `size` and `tiles` untouched, for anything else.
bool ParseLayout(const QByteArray &text, QSize *size, QList<PlacedTile> *tiles, QString *reason);

// The largest layout file read: a few hundred tile lines at the most.
inline constexpr qint64 MaxLayoutFileBytes = 64 * 1024;

// Reads and parses layout file `path` (an ordinary file of at most MaxLayoutFileBytes); false with the file and the reason in `errorString`.
bool ReadLayoutFile(const QString &path, QSize *size, QList<PlacedTile> *tiles, QString *errorString);

// The file name of the tile at `path` (as PlacedTile::Path) when it lies in the background
// folder, "resource/background/<name>" with those two folders in any letter case; empty when
// it lies anywhere else.
QString BackgroundTileName(const QString &path);

// The file names of the tiles `tiles` places in the background folder, each once in the order
// first placed; the path of every tile placed anywhere else goes to `elsewhere` (when given),
// so a caller that takes only the background folder can refuse it.
QStringList BackgroundTileNames(const QList<PlacedTile> &tiles, QStringList *elsewhere);
