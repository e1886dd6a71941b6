#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class WholeFileSet;

// The game reads BackgroundLayout.txt and BackgroundLoadingLayout.txt from its
// resource folder; both name the resolution and place every tile on screen.

// The exact layout text of resolution 0..3 with CR LF line ends; empty outside 0..3.
QByteArray LayoutFileText(int resolution);

enum class LayoutStatus { Written, ResourceFolderMissing, WriteFailed };

// Writes both layout files of `resolution` into ResourceFolder(exePath,
// relativeFolder), each replaced only once complete. A missing resource folder
// writes nothing; a failure names the file and the reason in `errorString`.
LayoutStatus WriteLayoutFiles(int resolution, const QString &exePath, const QString &relativeFolder,
                              QString *errorString = nullptr);

// Adds both layout files of `resolution` (0..3) to `files`, to be replaced with the others;
// false with the reason in files->errorString().
bool AddLayoutFiles(WholeFileSet *files, int resolution, const QString &exePath,
                    const QString &relativeFolder);

// The names of the two layout files, in the order they are written and packed.
inline constexpr const char *LayoutFileNames[2] = {"BackgroundLayout.txt", "BackgroundLoadingLayout.txt"};

// The full paths of BackgroundLayout.txt and BackgroundLoadingLayout.txt, in
// the order they are written.
QStringList LayoutFilePaths(const QString &exePath, const QString &relativeFolder);
