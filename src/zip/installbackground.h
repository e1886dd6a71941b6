#pragma once

#include <QString>
#include <QStringList>

// Installs the background in the ZIP archive `archivePath`, shared by someone else, into the
// game whose resource folder is `resourceFolder`. The archive may hold the layout files and
// tiles at its top level (as Quiltra packs them) or under "resource/", "resource/background/"
// or "<game>/resource/"; layout files go into `resourceFolder`, tiles into its "background"
// folder. Everything is read and checked first: an entry that climbs out of its folder, is
// not a layout file or a TGA tile of at most 256x256, is encrypted, damaged or too large, or
// a layout file naming a tile that is nowhere, refuses the archive with nothing written and
// `errorString` naming the entry and the reason. Otherwise the game's own background is
// backed up once, then every file is replaced whole, tiles first; `installed` gets the files
// put in place. True only when all of them were.
bool InstallBackground(const QString &archivePath, const QString &resourceFolder, QStringList *installed,
                       QString *errorString);
