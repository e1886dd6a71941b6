#pragma once

#include <QString>
#include <QStringList>

// What starting the current game takes: the program, its arguments and the folder it runs in.
struct LaunchCommand {
    QString Program;
    QStringList Arguments;
    QString WorkingFolder;
};

// Whether the run command offers the extra-parameters box first: only the games with a
// launch argument do (0..2); Half-Life DeathMatch and any other index start at once.
bool AsksExtraParameters(int gameIndex);

// The text the extra-parameters box offers: the game's launch argument, naming the game
// folder actually in use when that is the second usual one (Steam's Condition Zero lives
// in "czero", and "-game cz" would not find it). Empty for Half-Life DeathMatch.
QString OfferedLaunchArgument(int gameIndex, const QString &relativeFolder);

// A game installed in a Steam library misses Steam's runtime when started directly: there,
// with a `steamProgram` found on this system, Steam starts it by its app id with the user's
// extra parameters. Elsewhere, or without Steam, the same as GameLaunchCommand.
LaunchCommand SteamAwareLaunchCommand(int gameIndex, const QString &exePath, const QString &extraParameters,
                                      const QString &steamProgram);

// The executable started with the user's extra parameters, split the way a shell would
// (quotes group blanks), inside the game's own folder where the engine finds its files.
LaunchCommand GameLaunchCommand(const QString &exePath, const QString &extraParameters);
