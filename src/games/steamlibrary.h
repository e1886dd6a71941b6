#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Finding the game where Steam installed it, so the player need not look for it.

// The folders Steam keeps itself in on Linux, for the home folder `home`, in the order looked
// at: the native install and its usual links, Flatpak's and Snap's.
QStringList SteamRootCandidates(const QString &home);

// The library folders a steamapps/libraryfolders.vdf names, in its order: the current nested
// form ("libraryfolders" { "0" { "path" "..." } }) and the older flat one ("LibraryFolders"
// { "1" "D:\\SteamLibrary" }), escaped backslashes undone. Empty for a malformed file.
QStringList LibraryFoldersFromVdf(const QByteArray &vdf);

// One Half-Life installation in a Steam library: its folder (steamapps/common/Half-Life) and
// its executable there.
struct SteamInstall {
    QString Folder;
    QString Executable;
};

// The installations in every library of every Steam folder in `steamRoots` that exists: each
// root is a library itself, and its libraryfolders.vdf names the others. Each folder once.
// `executables` are the names looked for, in order (hl.exe on Windows; hl.sh, hl_linux here).
QList<SteamInstall> FindSteamInstalls(const QStringList &steamRoots, const QStringList &executables);
