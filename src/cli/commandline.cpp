#include "commandline.h"

#include "background/tilegrid.h"
#include "commands/gamelocate.h"

namespace {

struct CommandName {
    const char *name;
    CommandLine::Command command;
    bool takesFile;
};

const CommandName Commands[] = {
    {"make", CommandLine::Make, true},       {"zip", CommandLine::Zip, true},
    {"restore", CommandLine::Restore, false}, {"export", CommandLine::Export, true},
    {"install", CommandLine::Install, true},  {"games", CommandLine::Games, false},
};

int resolutionFromText(const QString &text)
{
    if (text == QLatin1String("wide-hd"))
        return WideHdResolution;
    for (int resolution = 0; resolution < ResolutionCount; ++resolution) {
        if (text == ResolutionText(resolution))
            return resolution;
    }
    return -1;
}

} // namespace

QString UsageText()
{
    return QStringLiteral(
        "Usage: quiltra-cli COMMAND [ARGUMENT] [OPTIONS]\n"
        "\n"
        "Commands:\n"
        "  make PICTURE     make the game's menu background from PICTURE\n"
        "                   (needs --game and --resolution)\n"
        "  zip OUT.zip      pack the background the game shows now\n"
        "  restore          put the game's own background back\n"
        "  export OUT.png   save the background the game shows now as one picture (.png or .jpg)\n"
        "  install ARCHIVE  install a background someone shared as a .zip\n"
        "  games            list the games found: game, folder, executable, one per line\n"
        "\n"
        "Options:\n"
        "  --game cstrike|czero|dod|valve    the game (every command but games)\n"
        "  --resolution 640x480|800x600|1024x768|1280x1024|wide-hd\n"
        "  --game-dir DIR   the game's install folder, holding hl.exe and the game folders\n"
        "  --exe PATH       the game's executable\n"
        "  --addon          work in the game's addon folder (<game>_addon)\n"
        "  --help           show this text\n"
        "  --version        show the version\n"
        "\n"
        "Without --game-dir or --exe the game is looked for in Steam's libraries, then where\n"
        "Quiltra's window last found it (config.dat).\n"
        "Exit status: 0 done, 1 failed (the reason on standard error), 2 wrong command line.\n");
}

CommandLine ParseCommandLine(const QStringList &arguments)
{
    CommandLine line;
    const auto wrong = [&line](const QString &why) {
        line.error = why;
        return line;
    };
    QStringList positional;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            line.command = CommandLine::Help;
            return line;
        }
        if (argument == QLatin1String("--version")) {
            line.command = CommandLine::Version;
            return line;
        }
        if (argument == QLatin1String("--addon")) {
            line.addon = true;
            continue;
        }
        if (!argument.startsWith(QLatin1String("--")) || argument == QLatin1String("--")) {
            positional << argument;
            continue;
        }
        // An option with a value, given as "--name value" or "--name=value".
        QString name = argument;
        QString value;
        const qsizetype equals = argument.indexOf(u'=');
        if (equals > 0)
            name = argument.left(equals);
        if (!QStringList{"--game", "--resolution", "--game-dir", "--exe"}.contains(name))
            return wrong(QStringLiteral("unknown option %1").arg(name));
        if (equals > 0) {
            value = argument.mid(equals + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            return wrong(QStringLiteral("%1 needs a value").arg(name));
        }
        if (name == QLatin1String("--game")) {
            line.game = GameFromKey(value);
            if (line.game < 0)
                return wrong(QStringLiteral("unknown game \"%1\"").arg(value));
        } else if (name == QLatin1String("--resolution")) {
            line.resolution = resolutionFromText(value);
            if (line.resolution < 0)
                return wrong(QStringLiteral("unknown resolution \"%1\"").arg(value));
        } else if (name == QLatin1String("--game-dir")) {
            line.gameDir = value;
        } else {
            line.exePath = value;
        }
        if (value.isEmpty())
            return wrong(QStringLiteral("%1 needs a value").arg(name));
    }

    if (positional.isEmpty())
        return wrong(QStringLiteral("no command given"));
    const QString command = positional.takeFirst();
    const CommandName *found = nullptr;
    for (const CommandName &known : Commands) {
        if (command == QLatin1String(known.name))
            found = &known;
    }
    if (!found)
        return wrong(QStringLiteral("unknown command \"%1\"").arg(command));
    line.command = found->command;
    if (positional.size() != (found->takesFile ? 1 : 0)) {
        return wrong(found->takesFile ? QStringLiteral("%1 takes one file").arg(command)
                                      : QStringLiteral("%1 takes no file").arg(command));
    }
    if (found->takesFile)
        line.file = positional.first();
    if (line.command != CommandLine::Games && line.game < 0)
        return wrong(QStringLiteral("%1 needs --game").arg(command));
    if (line.command == CommandLine::Make && line.resolution < 0)
        return wrong(QStringLiteral("make needs --resolution"));
    if (!line.gameDir.isEmpty() && !line.exePath.isEmpty())
        return wrong(QStringLiteral("give --game-dir or --exe, not both"));
    return line;
}
