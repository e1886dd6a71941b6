#pragma once

#include "background/layoutfiles.h"

#include <QString>
#include <QStringList>

struct ZipBackgroundResult
{
    bool ok = false;
    QString errorString;   // names the file and the reason when !ok
    QStringList entries;   // entry names in archive order when ok
};

// Packs the layout files of the make `made` (the classic pair, then the HD pair where it was
// written) and then its tiles from ResourceFolder(exePath, relativeFolder) into archivePath,
// replacing an existing file only once the new archive is complete. A missing file, or a
// pair whose twins differ: ok false, no archive, errorString names the files.
ZipBackgroundResult ZipBackground(const QString &exePath, const QString &relativeFolder,
                                  const LayoutPlan &made, const QString &archivePath);

// The same for a classic make at `lastGeneratedResolution` (0..3) without the HD pair.
ZipBackgroundResult ZipBackground(const QString &exePath, const QString &relativeFolder,
                                  int lastGeneratedResolution, const QString &archivePath);

// Packs the background the game shows now, whatever made it: the classic pair from
// ResourceFolder(exePath, relativeFolder), the HD pair too when the game reads it (`hdPair`),
// then every tile they name, each of which must lie in the background folder. A layout file
// that is missing or unreadable, a tile elsewhere or missing, or twins that differ: ok false,
// no archive.
ZipBackgroundResult ZipShownBackground(const QString &exePath, const QString &relativeFolder, bool hdPair,
                                       const QString &archivePath);
