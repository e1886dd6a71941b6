#include "games/gameprofile.h"

#include "io/paths.h"

#include <QDir>

namespace {

const GameProfile Profiles[GameCount] = {
    {"Counter Strike 1.6", "cstrike\\resource\\background", nullptr,
     "Locate Cs background Folder", " (Usually in valve\\cstrike\\resource\\background)",
     "-game cstrike", "cs_default.jpg", 4, 6, 0, 1, 11, 10},
    // Condition Zero's own folder is often named "czero" rather than "cz",
    // so that location is worth trying before the user is asked.
    {"Counter Strike Condition Zero", "cz\\resource\\background", "czero\\resource\\background",
     "Locate Cz background Folder", " (Usually in valve\\cz\\resource\\background)",
     "-game cz", "cz_default.jpg", 9, 13, 10, 3, 12, 80},
    {"Day Of Defeat", "dod\\resource\\background", nullptr,
     "Locate Dod background Folder", " (Usually in valve\\dod\\resource\\background)",
     "-game dod", "dod_default.jpg", 15, 18, 20, 14, 17, 30},
    {"Half-Life DeathMatch", "valve\\resource\\background", nullptr,
     "Locate Half-Life background Folder", " (Usually in valve\\valve\\resource\\background)",
     nullptr, "hl_default.jpg", 22, 24, 30, 21, 23, 70},
};

QString NativeFolder(const char *folder)
{
    return folder ? WithSeparators(QString::fromLatin1(folder), QDir::separator()) : QString();
}

} // namespace

const GameProfile &ProfileOf(int gameIndex)
{
    return gameIndex >= 0 && gameIndex < GameCount ? Profiles[gameIndex] : Profiles[GameCount - 1];
}

QString DefaultFolder(int gameIndex)
{
    return NativeFolder(ProfileOf(gameIndex).FolderDefault);
}

QString AlternateFolder(int gameIndex)
{
    return NativeFolder(ProfileOf(gameIndex).AlternateFolder);
}
