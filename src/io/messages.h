#pragma once

#include <QString>

// The texts several layers give for the same failure, each naming the file or folder in
// native separators, in the user's language.

// `path` in native separators, each control character written out ("\n", "\t", "\x01"), so a
// hostile file name cannot break a message into lines or hide part of it.
QString ShownPath(const QString &path);

// "Cannot write <file>: <reason>".
QString CannotWriteMessage(const QString &fileName, const QString &reason);

// "Cannot read <file>: <reason>".
QString CannotReadMessage(const QString &fileName, const QString &reason);

// "Cannot find the folder <folder>".
QString CannotFindFolderMessage(const QString &folder);
