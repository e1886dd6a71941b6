#pragma once

#include <QString>

// What a game had before Quiltra first changed its background, kept in the folder
// "quiltra-original" inside its resource folder: a copy of each of the four layout files that
// existed and of every tile they named that existed, under the same relative paths, and a
// manifest that also lists the layout files that did not exist. The tiles are those the layout
// files place in the background folder, as the one layout reader reads them. It is written
// once and never changed after, so it always holds the game's own background.

// The backup folder of the game whose resource folder is `resourceFolder`.
QString OriginalBackupFolder(const QString &resourceFolder);

// Whether that game has a complete backup (its manifest).
bool HasOriginalBackup(const QString &resourceFolder);

// Makes the backup unless there is one: every file is written whole, the manifest last, so a
// backup cut short is made again next time. False, with the file and the reason, when it
// cannot be made, or when a layout file of the game does not parse (its bytes are kept, but
// not the tiles it would name, and no manifest); nothing of the game is changed either way.
bool EnsureOriginalBackup(const QString &resourceFolder, QString *errorString);

// Puts every backed-up file back, tiles first and layout files last, each written whole, and
// removes the layout files that did not exist before. Everything is checked first, so a file
// that cannot be replaced or removed stops it before anything changes. Tiles Quiltra made
// itself are left where they are.
bool RestoreOriginalBackup(const QString &resourceFolder, QString *errorString);
