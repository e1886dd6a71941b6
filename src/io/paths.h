#pragma once

#include <QChar>
#include <QString>

// Paths inside a game installation. They accept '\' and '/' alike and join
// with the separator the executable's path itself uses, so a Windows path
// stays a Windows path on any platform.

// Where the last '\\' or '/' of `path` stands; -1 when it has none.
qsizetype LastSeparator(const QString &path);

// The separator used by `path`: the last '\' or '/' in it, else the native one.
QChar PathSeparatorOf(const QString &path);

// `relative` with every '\' and '/' replaced by `separator`.
QString WithSeparators(const QString &relative, QChar separator);

// The folder of the game executable, up to and including its last separator
// ("C:\Games\Half-Life\hl.exe" gives "C:\Games\Half-Life\"); empty when the
// path has no separator.
QString GameRoot(const QString &exePath);

// `GameRoot(exePath)` followed by `relative`, written with the executable's
// separator.
QString UnderGameRoot(const QString &exePath, const QString &relative);
