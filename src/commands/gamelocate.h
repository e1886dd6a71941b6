#pragma once

#include "games/steamlibrary.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Finding a game's executable and background folder without asking.

// The names the game's executable goes by here, in the order looked for: hl.exe on Windows;
// elsewhere the Linux build's hl.sh and hl_linux.
QStringList ExecutableNames();

// Where Steam keeps itself here: the registry's SteamPath on Windows; elsewhere its usual
// folders under the home folder.
QStringList SteamFoldersHere();

// The short name scripts use for game `gameIndex`: cstrike, czero, dod or valve; and back, -1
// for a name that is none of them.
QString GameKey(int gameIndex);
int GameFromKey(const QString &key);

// The background folder of `gameIndex` under the executable's folder, relative, as config.dat
// holds it: `stored` (the game's usual folder when empty) where it is a real resource/background
// folder there, else the game's alternate one. Empty when neither is there.
QString FoundBackgroundFolder(const QString &exePath, int gameIndex, const QString &stored = {});

// Of `installs`, the one whose folder holds the folder of `gameIndex`, else the first; nothing
// for none.
std::optional<SteamInstall> InstallFor(const QList<SteamInstall> &installs, int gameIndex);
