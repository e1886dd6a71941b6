#include "gamelaunch.h"

#include "gamepaths.h"
#include "gameprofile.h"

#include <QProcess>

bool AsksExtraParameters(int gameIndex)
{
    return ProfileOf(gameIndex).LaunchArgument != nullptr;
}

LaunchCommand GameLaunchCommand(const QString &exePath, const QString &extraParameters)
{
    // The program is passed apart from its arguments, so blanks in the path need no quoting.
    return {exePath, QProcess::splitCommand(extraParameters), GameRoot(exePath)};
}
