#pragma once

#include "commands/commands.h"

#include <QString>
#include <QStringList>

// What quiltra-cli was asked to do, read from its arguments.
struct CommandLine {
    enum Command { None, Make, Zip, Restore, Export, Install, Games, Help, Version };
    Command command = None;
    QString file;            // the picture, archive or output file the command names
    int game = -1;           // 0..3, the game table's order
    int resolution = -1;     // 0..3, or WideHdResolution
    QString gameDir;         // the game's install folder, or empty
    QString exePath;         // the game's executable, or empty
    bool addon = false;      // work in the game's addon folder
    Commands::Framing framing;   // --screen, --crop and --keep
    QString error;           // why the arguments are wrong; empty when they are right
};

// Reads `arguments` (without the program's name). A wrong command line leaves `error` set.
CommandLine ParseCommandLine(const QStringList &arguments);

// The usage text --help prints and a wrong command line shows.
QString UsageText();
