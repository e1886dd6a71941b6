#pragma once

#include "background/layoutfiles.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

class WholeFileSet;

struct GenerateResult {
    enum Status { Done, ResourceFolderMissing, WriteFailed } status = WriteFailed;
    QString errorString;      // names the file and the reason when WriteFailed
    QStringList writtenFiles; // full paths of the files replaced, in order (tiles, then the layout files)
    LayoutPlan made;          // what was written, when Done
};

struct GenerateOptions {
    bool GameReadsHd = false;   // the HD pair is written at the classic resolutions too
    bool MakeFolders = false;   // missing folders are made with the files; else a missing resource folder stops it
    // Adds what must change together with the background (the backup's record) to the same set,
    // or says why it cannot.
    std::function<bool(WholeFileSet *, QString *)> BeforeCommit;
};

// Cuts `scaledPicture` into the tiles of `resolution` and writes them into `backgroundFolder`
// (given with its trailing separator), then the layout files into `resourceFolder`, the folder
// above it: the classic pair, and the HD pair in Wide HD or when the game reads it. At 0..3 the
// picture is exactly the resolution's size; in Wide HD it is the picture as made, fitted within
// 3840x1600. Everything is checked before the first write (names, targets, free space), and the
// files are put in place together or not at all.
GenerateResult GenerateBackgroundFiles(const QImage &scaledPicture, int resolution,
                                       const QString &resourceFolder, const QString &backgroundFolder,
                                       const GenerateOptions &options = {});
