#pragma once

#include <QString>
#include <QStringList>

struct ZipBackgroundResult
{
    bool ok = false;
    QString errorString;   // names the file and the reason when !ok
    QStringList entries;   // entry names in archive order when ok
};

// Packs the background the layout files in `resourceFolder` describe, whatever made it, into
// `archivePath`, each entry under its bare file name at the archive's root: every layout file
// there (the classic pair, then the HD pair), then every tile they name, each once in the order
// first named. An existing archive is replaced only once the new one is complete. No layout
// file, one that does not parse, twins of a pair that differ, or a tile that is missing, not
// in the background folder or not a TGA tile the game can show: ok false, no archive, and
// errorString names the file and the reason.
ZipBackgroundResult ZipBackground(const QString &resourceFolder, const QString &archivePath);
