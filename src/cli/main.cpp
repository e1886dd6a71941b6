// quiltra-cli: makes, packs, restores, exports and installs a game's menu background from a
// script, with the window's own commands and messages, and lists the games it finds.

#include "commandline.h"
#include "progressline.h"

#include "background/tilegrid.h"
#include "commands/commands.h"
#include "commands/gamelocate.h"
#include "commands/settingslocation.h"
#include "games/gameprofile.h"
#include "io/messages.h"
#include "io/tr.h"
#include "lang/langstrings.h"
#include "lang/messagetranslator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

enum ExitStatus { Done = 0, Failed = 1, WrongCommandLine = 2 };

// Writes `text` out; false, after saying why on standard error, when it could not be written
// whole (a full disk, a closed pipe), so a script never takes a cut answer for a success.
bool print(FILE *stream, const QString &text)
{
    errno = 0;
    if (std::fputs(text.toLocal8Bit().constData(), stream) >= 0 && std::fflush(stream) == 0 && !std::ferror(stream))
        return true;
    const QString reason = QString::fromLocal8Bit(std::strerror(errno ? errno : EIO));
    if (stream != stderr)
        std::fprintf(stderr, "quiltra-cli: %s\n", qPrintable(Quiltra::tr("Cannot write the output: %1").arg(reason)));
    return false;
}

// A message of the window, as one line.
QString oneLine(QString text)
{
    return text.replace(u'\n', u' ').trimmed();
}

// The executable in an install folder, or, where it has none (a copy of the game's folders),
// a name there that anchors the game folders all the same.
QString executableIn(const QString &folder)
{
    const QDir dir(folder);
    const QStringList names = ExecutableNames() << QStringLiteral("hl.exe");
    for (const QString &name : names) {
        if (QFileInfo(dir.filePath(name)).isFile())
            return dir.absoluteFilePath(name);
    }
    return dir.absoluteFilePath(QStringLiteral("hl.exe"));
}

// The game the command works on, from the command line, Steam's libraries or config.dat.
bool locateGame(const CommandLine &line, const Settings &stored, GameFolders *game, QString *error)
{
    QString exe;
    if (!line.exePath.isEmpty()) {
        if (!QFileInfo(line.exePath).isFile()) {
            *error = Quiltra::tr("Cannot find the game's executable %1").arg(QDir::toNativeSeparators(line.exePath));
            return false;
        }
        exe = QFileInfo(line.exePath).absoluteFilePath();
    } else if (!line.gameDir.isEmpty()) {
        if (!QFileInfo(line.gameDir).isDir()) {
            *error = CannotFindFolderMessage(line.gameDir);
            return false;
        }
        exe = executableIn(line.gameDir);
    } else if (const auto install = InstallFor(FindSteamInstalls(SteamFoldersHere(), ExecutableNames()), line.game)) {
        exe = install->Executable;
    } else if (!stored.ExePath.isEmpty() && QFileInfo(stored.ExePath).isFile()) {
        exe = stored.ExePath;
    } else {
        *error = Quiltra::tr("Cannot find the game: it is in no Steam library and Quiltra has not been shown it yet; give --game-dir or --exe");
        return false;
    }
    exe = QDir::toNativeSeparators(exe);
    // A folder the window stored belongs to the executable it stored.
    const QString folder = FoundBackgroundFolder(exe, line.game, exe == stored.ExePath ? stored.Folder(line.game) : QString());
    if (folder.isEmpty()) {
        *error = CannotFindFolderMessage(BackgroundFolder(exe, DefaultFolder(line.game)));
        return false;
    }
    *game = ResolveGameFolders(line.game, exe, folder, line.addon);
    return true;
}

int run(const CommandLine &line, const Settings &stored, const LangStrings &strings)
{
    // The progress line is wiped before the outcome is told.
    std::optional<ProgressLine> progress;
    const auto fail = [&progress](const QString &message) {
        progress.reset();
        print(stderr, QStringLiteral("quiltra-cli: ") + oneLine(message) + u'\n');
        return Failed;
    };
    const auto tell = [&](const CommandResult &result, const QString &success) {
        if (!result.ok())
            return fail(result.errorString);
        progress.reset();
        return print(stdout, success + u'\n') ? Done : Failed;
    };
    if (line.command == CommandLine::Games) {
        QStringList lines;
        for (const Commands::FoundGame &found : Commands::Games(SteamFoldersHere(), stored.ExePath))
            lines << GameKey(found.Game) + u'\t' + QDir::toNativeSeparators(found.GameFolder) + u'\t' + found.Executable;
        if (lines.isEmpty())
            return fail(Quiltra::tr("No game was found in Steam's libraries or in config.dat"));
        return print(stdout, lines.join(u'\n') + u'\n') ? Done : Failed;
    }

    GameFolders game;
    QString error;
    if (!locateGame(line, stored, &game, &error))
        return fail(error);
    // A change a kill interrupted is finished or undone first, and said once.
    for (const QString &recovered : Commands::Recover(game, &error))
        print(stderr, QStringLiteral("quiltra-cli: ") + oneLine(recovered) + u'\n');
    if (!error.isEmpty())
        return fail(error);
    // Files named on the command line are taken from where it runs.
    const QString file = line.file.isEmpty() ? QString() : QDir::toNativeSeparators(QFileInfo(line.file).absoluteFilePath());
    progress.emplace();
    switch (line.command) {
    case CommandLine::Make: {
        progress->setStep(Quiltra::tr("decoding the picture"));
        QImage decoded;
        if (!Commands::DecodePictureFor(file, line.resolution, &decoded, &error, line.framing))
            return fail(error);
        // An area the picture cannot give is a wrong command line, said as such.
        if (Commands::FramedArea(decoded.size(), line.resolution, line.framing, &error).isEmpty()) {
            progress.reset();
            print(stderr, QStringLiteral("quiltra-cli: ") + oneLine(error) + u'\n');
            return WrongCommandLine;
        }
        progress->setStep(Quiltra::tr("writing the tiles"));
        CommandResult result = Commands::Make(game, Commands::MadePicture(decoded, line.resolution, line.framing),
                                              line.resolution);
        const GameProfile &profile = ProfileOf(line.game);
        if (result.status == CommandResult::ResourceFolderMissing)
            result.errorString = strings.Entry(profile.ResourceFolderMessage) + u' ' + game.Resource;
        return tell(result, strings.Entry(profile.SuccessMessage));
    }
    case CommandLine::Zip: {
        progress->setStep(Quiltra::tr("packing the background"));
        CommandResult result = Commands::Zip(game, file);
        result.errorString.prepend(QStringLiteral("Error: Files Not Zipped Correctly. "));
        return tell(result, QStringLiteral("Files Zipped Successfully !"));
    }
    case CommandLine::Restore:
        progress->setStep(Quiltra::tr("restoring the original background"));
        return tell(Commands::Restore(game), Quiltra::tr("Original Background Restored"));
    case CommandLine::Export:
        progress->setStep(Quiltra::tr("putting the background together"));
        return tell(Commands::Export(game, file), Quiltra::tr("Background Exported"));
    case CommandLine::Install:
        progress->setStep(Quiltra::tr("installing the background"));
        return tell(Commands::Install(game, file), Quiltra::tr("Background Installed"));
    default:
        return WrongCommandLine;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The same name as the window's, so both find the same config.dat.
    QCoreApplication::setApplicationName(QStringLiteral("Quiltra"));

    const CommandLine line = ParseCommandLine(app.arguments().mid(1));
    if (!line.error.isEmpty()) {
        print(stderr, QStringLiteral("quiltra-cli: %1\n\n").arg(line.error) + UsageText());
        return WrongCommandLine;
    }
    if (line.command == CommandLine::Help) {
        return print(stdout, UsageText()) ? Done : Failed;
    }
    if (line.command == CommandLine::Version) {
        return print(stdout, QStringLiteral("quiltra-cli " QUILTRA_VERSION "\n")) ? Done : Failed;
    }

    // The window's config.dat: where it last found the game, and the language chosen there.
    const SettingsLocation location(QCoreApplication::applicationDirPath(),
                                    QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    Settings stored;
    QString unreadable;
    location.read(stored, &unreadable);   // unreadable, it is as if there were none
    LangStrings strings;
    MessageTranslator spanish;
    if (stored.Language == 1) {
        strings.ApplySpanish();
        QCoreApplication::installTranslator(&spanish);
    } else {
        strings.ApplyEnglish();
    }
    return run(line, stored, strings);
}
