#pragma once

#include <QString>

// Whether two paths that differ only in letter case name the same folder here.
#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity GamePathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity GamePathCase = Qt::CaseSensitive;
#endif

// Whether `path` ends with the folders resource and background (either separator, any letter
// case, trailing separators allowed), the first at a folder boundary.
bool EndsWithBackgroundFolder(const QString &path);

// The same folder inside the game's addon folder, which the game reads before its own when
// custom addon content is allowed: "cstrike\\resource\\background" gives
// "cstrike_addon\\resource\\background". Files there survive the game's updates and checks.
QString AddonFolderOf(const QString &relativeFolder);

// The picked folder relative to gameRoot, or an empty string when it is not usable: not ending
// as EndsWithBackgroundFolder requires, or not starting
// with gameRoot (letter case ignored on Windows only; either separator).
QString RelativeBackgroundFolder(const QString &picked, const QString &gameRoot,
                                 Qt::CaseSensitivity cs = GamePathCase);
