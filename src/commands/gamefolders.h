#pragma once

#include <QString>

// One game's folders, worked out once from where its executable is and which background folder
// it uses, and handed to every command. Paths keep the executable's own separator.
struct GameFolders
{
    int Game = -1;
    QString Executable;    // the game's executable
    QString InstallRoot;   // the executable's folder, with its trailing separator
    QString OwnFolder;     // the game's own background folder, relative, as config.dat holds it
    QString GameFolder;    // the game's own folder ("...\cstrike"), holding its liblist.gam
    QString Resource;      // the resource folder the commands work in: the game's own or its addon twin
    QString Background;    // the background folder inside it, with its trailing separator
    bool Addon = false;    // Resource and Background lie in the game's addon folder
    bool ReadsHd = false;  // the game's own liblist.gam switches the HD layout files on

    // The work folder relative to InstallRoot: OwnFolder or its addon twin.
    QString workFolder() const;
};

// The folders of game `game` whose executable is `exePath` and whose own background folder,
// relative to the executable's folder, is `ownFolder`; in its addon folder when `useAddon`.
// It reads the game's liblist.gam once.
GameFolders ResolveGameFolders(int game, const QString &exePath, const QString &ownFolder, bool useAddon);
