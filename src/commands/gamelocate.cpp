#include "commands/gamelocate.h"

#include "games/folderlocate.h"
#include "games/gameprofile.h"
#include "io/paths.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {
const char *const GameKeys[GameCount] = {"cstrike", "czero", "dod", "valve"};
}

QStringList ExecutableNames()
{
#ifdef Q_OS_WIN
    return {QStringLiteral("hl.exe")};
#else
    return {QStringLiteral("hl.sh"), QStringLiteral("hl_linux")};
#endif
}

QStringList SteamFoldersHere()
{
#ifdef Q_OS_WIN
    const QSettings steam(QStringLiteral("HKEY_CURRENT_USER\\Software\\Valve\\Steam"), QSettings::NativeFormat);
    const QString path = steam.value(QStringLiteral("SteamPath")).toString();
    return path.isEmpty() ? QStringList() : QStringList{path};
#else
    return SteamRootCandidates(QDir::homePath());
#endif
}

QString GameKey(int gameIndex)
{
    return gameIndex >= 0 && gameIndex < GameCount ? QLatin1String(GameKeys[gameIndex]) : QString();
}

int GameFromKey(const QString &key)
{
    for (int game = 0; game < GameCount; ++game) {
        if (key == QLatin1String(GameKeys[game]))
            return game;
    }
    return -1;
}

QString FoundBackgroundFolder(const QString &exePath, int gameIndex, const QString &stored)
{
    const QString first = stored.trimmed().isEmpty() ? DefaultFolder(gameIndex) : stored;
    for (const QString &folder : {first, AlternateFolder(gameIndex)}) {
        if (!folder.isEmpty() && EndsWithBackgroundFolder(folder)
            && QFileInfo(UnderGameRoot(exePath, folder)).isDir())
            return folder;
    }
    return {};
}

std::optional<SteamInstall> InstallFor(const QList<SteamInstall> &installs, int gameIndex)
{
    for (const SteamInstall &install : installs) {
        if (!FoundBackgroundFolder(install.Executable, gameIndex).isEmpty())
            return install;
    }
    if (installs.isEmpty())
        return std::nullopt;
    return installs.first();
}
