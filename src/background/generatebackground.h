#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

struct GenerateResult {
    enum Status { Done, ResourceFolderMissing, WriteFailed } status = WriteFailed;
    QString errorString;      // names the file and the reason when WriteFailed
    QStringList writtenFiles; // full paths of the files replaced, in order (tiles, then the two layout files)
};

// Cuts `scaledPicture` (exactly the resolution's size) into the tiles of `resolution`, writes them
// into BackgroundFolder(exePath, relativeFolder) and then both layout files. Nothing is replaced
// unless every file was written in full first; then they take their places, tiles first.
GenerateResult GenerateBackgroundFiles(const QImage &scaledPicture, int resolution,
                                       const QString &exePath, const QString &relativeFolder);
