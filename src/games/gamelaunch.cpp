#include "games/gamelaunch.h"

#include "games/gameprofile.h"
#include "io/paths.h"

#include <QProcess>

bool AsksExtraParameters(int gameIndex)
{
    return ProfileOf(gameIndex).LaunchArgument != nullptr;
}

QString OfferedLaunchArgument(int gameIndex, const QString &relativeFolder)
{
    const QString argument = QString::fromLatin1(ProfileOf(gameIndex).LaunchArgument);
    const QString alternate = AlternateFolder(gameIndex);
    if (argument.isEmpty() || alternate.isEmpty())
        return argument;
    const auto firstFolder = [](const QString &relative) {
        return WithSeparators(relative, u'/').section(u'/', 0, 0, QString::SectionSkipEmpty);
    };
    const QString inUse = firstFolder(relativeFolder);
    if (inUse.compare(firstFolder(alternate), Qt::CaseInsensitive) != 0)
        return argument;
    return QStringLiteral("-game ") + inUse;
}

LaunchCommand SteamAwareLaunchCommand(int gameIndex, const QString &exePath, const QString &extraParameters,
                                      const QString &steamProgram)
{
    const bool inSteamLibrary = WithSeparators(exePath, u'/').contains(QLatin1String("/steamapps/common/"), Qt::CaseInsensitive);
    if (steamProgram.isEmpty() || !inSteamLibrary)
        return GameLaunchCommand(exePath, extraParameters);
    return {steamProgram,
            QStringList{QStringLiteral("-applaunch"), QString::number(ProfileOf(gameIndex).SteamAppId)}
                + QProcess::splitCommand(extraParameters),
            GameRoot(exePath)};
}

LaunchCommand GameLaunchCommand(const QString &exePath, const QString &extraParameters)
{
    // The program is passed apart from its arguments, so blanks in the path need no quoting.
    return {exePath, QProcess::splitCommand(extraParameters), GameRoot(exePath)};
}
