#pragma once

#include <QString>

class WholeFileSet;

// What a game had before Quiltra first changed its background, kept in the folder
// "quiltra-original" inside its resource folder, so that a restore leaves the game's folders as
// they were. It holds a copy of each of the four layout files that existed, of every tile they
// named that existed, and of every other file Quiltra replaced or removed since, each under its
// path relative to the resource folder, and "manifest.txt":
//
//   kept <size> <sha256 in hex> <path>   a file kept here, as it was
//   added <path>                         a file Quiltra wrote where there was none
//   absent <path>                        a layout file the game did not have
//   folder <path>                        a folder Quiltra made: "." the resource folder itself,
//                                        ".." and "../.." the folders above it
//   lines <n>                            the count of the lines above, always last
//
// paths '/'-separated, one entry a line, each line ending in LF. A kept copy is never written
// over: the backup only grows, in the same set as the change it comes with.

// The backup folder of the game whose resource folder is `resourceFolder`.
QString OriginalBackupFolder(const QString &resourceFolder);

// Whether that game has a backup (its manifest).
bool HasOriginalBackup(const QString &resourceFolder);

// Adds to `files`, once every other file of the change is in it and before its commit, what keeps
// the game's own files safe: at the first change the backup of its layout files and their tiles,
// then a copy of every file the set replaces or removes that is not kept yet nor Quiltra's own,
// and the manifest, which records the files and folders the set adds. The files of the game are
// read, never changed. False, adding nothing, when a layout file of the game does not read (its
// file and the reason), when the backup is damaged (its manifest and the reason), or when a file
// to keep cannot be read; false with files->errorString() when the set refuses a file.
bool AddToOriginalBackup(WholeFileSet *files, const QString &resourceFolder, QString *errorString);

// Puts the game's folders back as they were before Quiltra's first change: every kept file back,
// every file Quiltra added and the backup itself removed, in one set, then the folders Quiltra
// made removed where empty. The manifest and every kept file are checked first; false, changing
// nothing, naming the first damaged file, or the file and the reason the set gave.
bool RestoreOriginalBackup(const QString &resourceFolder, QString *errorString);
