#include "commandline.h"

#include "background/framing.h"
#include "background/tilegrid.h"
#include "commands/commands.h"
#include "commands/gamelocate.h"

#include <QCommandLineParser>

namespace {

struct CommandName {
    const char *name;
    CommandLine::Command command;
    bool takesFile;
};

const CommandName KnownCommands[] = {
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

// "X,Y,W,H": four whole numbers, the size above zero.
bool areaFromText(const QString &text, QRect *area)
{
    const QStringList parts = text.split(u',');
    int numbers[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = parts.size() == 4;
        numbers[i] = ok ? parts[i].toInt(&ok) : -1;
        if (!ok || numbers[i] < 0)
            return false;
    }
    *area = QRect(numbers[0], numbers[1], numbers[2], numbers[3]);
    return !area->isEmpty();
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
        "  export OUT.png   save the background the game shows now as one picture (.png, .jpg or .bmp)\n"
        "  install ARCHIVE  install a background someone shared as a .zip\n"
        "  games            list the games found: game, folder, executable, one per line\n"
        "\n"
        "Options:\n"
        "  --game cstrike|czero|dod|valve    the game (every command but games)\n"
        "  --resolution 640x480|800x600|1024x768|1280x1024|wide-hd\n"
        "  --game-dir DIR   the game's install folder, holding hl.exe and the game folders\n"
        "  --exe PATH       the game's executable\n"
        "  --addon          work in the game's addon folder (<game>_addon)\n"
        "  --screen 4:3|16:10|16:9|21:9      the screen a classic make is for (4:3 stretches\n"
        "                   the whole picture; another keeps a part of that shape)\n"
        "  --crop X,Y,W,H   that part, in the picture's pixels (the largest centred one)\n"
        "  --keep X,Y,W,H   the part a wide-hd make shows whole on every screen from 4:3 to 21:9\n"
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
    const QCommandLineOption help(QStringList{"h", "help"});
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption addon(QStringLiteral("addon"));
    const QStringList valued{"game", "resolution", "game-dir", "exe", "screen", "crop", "keep"};
    QCommandLineParser parser;
    parser.addOptions({help, version, addon});
    for (const QString &name : valued)
        parser.addOption(QCommandLineOption(name, QString(), name));
    // Its own name first, as the parser expects it.
    const bool parsed = parser.parse(QStringList{QStringLiteral("quiltra-cli")} + arguments);
    if (parser.isSet(help)) {
        line.command = CommandLine::Help;
        return line;
    }
    if (parser.isSet(version)) {
        line.command = CommandLine::Version;
        return line;
    }
    if (!parser.unknownOptionNames().isEmpty())
        return wrong(QStringLiteral("unknown option --%1").arg(parser.unknownOptionNames().first()));
    if (!parsed) {
        // The other refusal is a value option given last, with nothing after it.
        for (const QString &name : valued) {
            if (!arguments.isEmpty() && arguments.last() == "--" + name)
                return wrong(QStringLiteral("--%1 needs a value").arg(name));
        }
        return wrong(parser.errorText());
    }
    for (const QString &name : valued) {
        if (parser.isSet(name) && parser.value(name).isEmpty())
            return wrong(QStringLiteral("--%1 needs a value").arg(name));
    }
    line.addon = parser.isSet(addon);
    line.gameDir = parser.value(QStringLiteral("game-dir"));
    line.exePath = parser.value(QStringLiteral("exe"));
    if (parser.isSet(QStringLiteral("game"))) {
        const QString game = parser.value(QStringLiteral("game"));
        line.game = GameFromKey(game);
        if (line.game < 0)
            return wrong(QStringLiteral("unknown game \"%1\"").arg(game));
    }
    if (parser.isSet(QStringLiteral("resolution"))) {
        const QString resolution = parser.value(QStringLiteral("resolution"));
        line.resolution = resolutionFromText(resolution);
        if (line.resolution < 0)
            return wrong(QStringLiteral("unknown resolution \"%1\"").arg(resolution));
    }

    if (parser.isSet(QStringLiteral("screen"))) {
        const QString screen = parser.value(QStringLiteral("screen"));
        line.framing.Screen = ScreenShapeIndex(screen);
        if (line.framing.Screen < 0)
            return wrong(QStringLiteral("unknown screen \"%1\"").arg(screen));
    }
    for (const auto &[name, area] : {std::pair{"crop", &line.framing.Crop}, std::pair{"keep", &line.framing.Keep}}) {
        const QString value = parser.value(QLatin1String(name));
        if (parser.isSet(QLatin1String(name)) && !areaFromText(value, area))
            return wrong(QStringLiteral("--%1 takes X,Y,W,H in the picture's pixels, not \"%2\"").arg(name, value));
    }

    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return wrong(QStringLiteral("no command given"));
    const QString command = positional.takeFirst();
    const CommandName *found = nullptr;
    for (const CommandName &known : KnownCommands) {
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
    if (line.command == CommandLine::Export && Commands::ExportFormat(line.file).isEmpty())
        return wrong(QStringLiteral("export writes a .png, .jpg, .jpeg or .bmp file, not \"%1\"").arg(line.file));
    if (line.command != CommandLine::Games && line.game < 0)
        return wrong(QStringLiteral("%1 needs --game").arg(command));
    if (line.command == CommandLine::Make && line.resolution < 0)
        return wrong(QStringLiteral("make needs --resolution"));
    const bool classic = line.command == CommandLine::Make && line.resolution != WideHdResolution;
    if (parser.isSet(QStringLiteral("screen")) && !classic)
        return wrong(QStringLiteral("--screen is for a make at 640x480, 800x600, 1024x768 or 1280x1024"));
    if (!line.framing.Crop.isNull() && (!classic || line.framing.Screen == 0))
        return wrong(QStringLiteral("--crop is for a make with --screen 16:10, 16:9 or 21:9"));
    if (!line.framing.Keep.isNull() && (line.command != CommandLine::Make || classic))
        return wrong(QStringLiteral("--keep is for a make at wide-hd"));
    if (!line.gameDir.isEmpty() && !line.exePath.isEmpty())
        return wrong(QStringLiteral("give --game-dir or --exe, not both"));
    return line;
}
