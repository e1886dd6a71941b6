#pragma once

#include <QString>
#include <QStringList>

struct ZipBackgroundResult
{
    bool ok = false;
    QString errorString;   // names the file and the reason when !ok
    QStringList entries;   // entry names in archive order when ok
};

// Packs the two layout files and the tiles of lastGeneratedResolution from
// ResourceFolder(exePath, relativeFolder) into archivePath (replacing an
// existing file only once the new archive is complete). A missing file: ok
// false, no archive, errorString names it.
ZipBackgroundResult ZipBackground(const QString &exePath, const QString &relativeFolder,
                                  int lastGeneratedResolution, const QString &archivePath);
