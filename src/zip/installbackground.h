#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class WholeFileSet;

struct InstallOptions {
    bool GameReadsHd = false;   // the game reads the HD pair (its liblist.gam says so)
    bool MakeFolders = false;   // missing folders are made with the files; else a missing resource folder stops it
    // Adds what must change together with the background (the backup's record) to the same set,
    // or says why it cannot.
    std::function<bool(WholeFileSet *, QString *)> BeforeCommit;
};

// Installs the background in the ZIP archive `archivePath`, shared by someone else, into the
// game whose resource folder is `resourceFolder`, so that it is the background the game shows.
// The archive may hold the layout files and tiles at its top level (as Quiltra packs them) or
// under "resource/", "resource/background/" or "<game>/resource/"; layout files go into
// `resourceFolder`, tiles into its "background" folder. Everything is read and checked first:
// an entry whose name is not UTF-8 text, holds a control character or is longer than the file
// system takes, climbs out of its folder, is not a layout file or a TGA tile the game can show
// (at most 256x256), is encrypted, damaged or too large; a layout file that does not parse, or
// names a tile neither in the archive nor (one the game can show) in the background folder; or
// two files of a pair that differ: each refuses the archive with nothing written and
// `errorString` naming the entry and the reason. Every pair is written whole: one file of a
// pair brings its twin; an archive with only the HD pair gets the classic pair too, its tiles
// "scaled"; one with only the classic pair gets the HD pair with the same text where the game
// reads it or has HD layout files. Names, targets and free space are checked before the first
// write; then every file is put in place together, or none; `installed` gets the files put in
// place. True only when all of them were.
bool InstallBackground(const QString &archivePath, const QString &resourceFolder, const InstallOptions &options,
                       QStringList *installed, QString *errorString);
