#pragma once

#include "background/layoutfiles.h"

#include <QImage>
#include <QString>
#include <QStringList>

struct GenerateResult {
    enum Status { Done, ResourceFolderMissing, WriteFailed } status = WriteFailed;
    QString errorString;      // names the file and the reason when WriteFailed
    QStringList writtenFiles; // full paths of the files replaced, in order (tiles, then the layout files)
    LayoutPlan made;          // what was written, when Done
};

// Cuts `scaledPicture` into the tiles of `resolution` and writes them into `backgroundFolder`
// (given with its trailing separator), then the layout files into `resourceFolder`, the folder
// above it: the classic pair, and the HD pair in Wide HD or when the game reads it
// (`gameReadsHd`). At 0..3 the picture is exactly
// the resolution's size; in Wide HD it is the picture as made, fitted within 3840x1600.
// Nothing is replaced unless every file was written in full first; then they take their
// places, tiles first.
GenerateResult GenerateBackgroundFiles(const QImage &scaledPicture, int resolution,
                                       const QString &resourceFolder, const QString &backgroundFolder,
                                       bool gameReadsHd = false);
