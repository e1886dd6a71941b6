#include "commands/gamefolders.h"

#include "background/tilegrid.h"
#include "games/folderlocate.h"
#include "games/liblist.h"
#include "io/paths.h"

QString GameFolders::workFolder() const
{
    return Addon ? AddonFolderOf(OwnFolder) : OwnFolder;
}

GameFolders ResolveGameFolders(int game, const QString &exePath, const QString &ownFolder, bool useAddon)
{
    GameFolders folders;
    folders.Game = game;
    folders.Executable = exePath;
    folders.InstallRoot = GameRoot(exePath);
    folders.OwnFolder = ownFolder;
    folders.Addon = useAddon;
    const QString ownResource = ResourceFolder(exePath, ownFolder);
    folders.GameFolder = ownResource.left(qMax<qsizetype>(LastSeparator(ownResource), 0));
    folders.Resource = ResourceFolder(exePath, folders.workFolder());
    folders.Background = BackgroundFolder(exePath, folders.workFolder());
    folders.ReadsHd = GameReadsHdLayouts(ownResource);
    return folders;
}
