// quiltra-cli: makes, packs, restores, exports and installs a game's menu background from a
// script, with the window's own commands and messages, and lists the games it finds.

#include "commandline.h"
#include "progressline.h"

#include "background/composebackground.h"
#include "background/decodepicture.h"
#include "background/originalbackup.h"
#include "background/tilegrid.h"
#include "commands/gamelocate.h"
#include "commands/gametarget.h"
#include "commands/settingslocation.h"
#include "games/gameprofile.h"
#include "io/messages.h"
#include "io/tr.h"
#include "lang/langstrings.h"
#include "lang/messagetranslator.h"
#include "zip/zipbackground.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

enum ExitStatus { Done = 0, Failed = 1, WrongCommandLine = 2 };

void print(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
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
bool locateGame(const CommandLine &line, const Settings &stored, GameTarget *target, QString *error)
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
    *target = {exe, folder, line.addon};
    return true;
}

// One line per game found: its short name, its folder and the executable, tab-separated.
QStringList gamesFound(const Settings &stored)
{
    QList<SteamInstall> installs = FindSteamInstalls(SteamFoldersHere(), ExecutableNames());
    const QString storedCanonical = QFileInfo(stored.ExePath).canonicalFilePath();
    const bool storedKnown = std::any_of(installs.cbegin(), installs.cend(), [&](const SteamInstall &install) {
        return QFileInfo(install.Executable).canonicalFilePath() == storedCanonical;
    });
    if (!storedCanonical.isEmpty() && !storedKnown)
        installs.append({QDir::toNativeSeparators(QFileInfo(stored.ExePath).absolutePath()), stored.ExePath});
    QStringList lines;
    for (const SteamInstall &install : std::as_const(installs)) {
        for (int game = 0; game < GameCount; ++game) {
            const QString folder = FoundBackgroundFolder(install.Executable, game);
            if (folder.isEmpty())
                continue;
            const QString gameFolder = QDir::cleanPath(BackgroundFolder(install.Executable, folder) + QStringLiteral("/../.."));
            lines << GameKey(game) + u'\t' + QDir::toNativeSeparators(gameFolder) + u'\t' + install.Executable;
        }
    }
    return lines;
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
    const auto succeed = [&progress](const QString &message) {
        progress.reset();
        print(stdout, message + u'\n');
        return Done;
    };
    if (line.command == CommandLine::Games) {
        const QStringList lines = gamesFound(stored);
        if (lines.isEmpty())
            return fail(Quiltra::tr("No game was found in Steam's libraries or in config.dat"));
        return succeed(lines.join(u'\n'));
    }

    GameTarget target;
    QString error;
    if (!locateGame(line, stored, &target, &error))
        return fail(error);
    // Files named on the command line are taken from where it runs.
    const QString file = line.file.isEmpty() ? QString() : QDir::toNativeSeparators(QFileInfo(line.file).absoluteFilePath());
    progress.emplace();
    switch (line.command) {
    case CommandLine::Make: {
        progress->setStep(Quiltra::tr("decoding the picture"));
        QImage loaded;
        // Decoded only as large as this resolution needs; Wide HD keeps the picture's shape,
        // which the all-purpose size already covers.
        const QSize needed = line.resolution == WideHdResolution ? QSize() : ResolutionSize(line.resolution);
        if (!DecodePicture(file, loaded, &error, needed))
            return fail(error);
        progress->setStep(Quiltra::tr("writing the tiles"));
        const GenerateResult result = MakeBackground(target, MadePicture(loaded, line.resolution), line.resolution);
        const GameProfile &profile = ProfileOf(line.game);
        if (result.status == GenerateResult::ResourceFolderMissing)
            return fail(strings.Entry(profile.ResourceFolderMessage) + u' ' + target.resourceFolder());
        if (result.status != GenerateResult::Done)
            return fail(result.errorString);
        return succeed(strings.Entry(profile.SuccessMessage));
    }
    case CommandLine::Zip: {
        progress->setStep(Quiltra::tr("packing the background"));
        const ZipBackgroundResult result = ZipShownBackground(target.ExePath, target.workFolder(), target.readsHdLayouts(), file);
        if (!result.ok)
            return fail(QStringLiteral("Error: Files Not Zipped Correctly. ") + result.errorString);
        return succeed(QStringLiteral("Files Zipped Successfully !"));
    }
    case CommandLine::Restore:
        progress->setStep(Quiltra::tr("restoring the original background"));
        if (!RestoreOriginalBackup(target.resourceFolder(), &error))
            return fail(error);
        return succeed(Quiltra::tr("Original Background Restored"));
    case CommandLine::Export: {
        progress->setStep(Quiltra::tr("putting the background together"));
        QImage picture;
        if (!ComposeBackground(target.resourceFolder(), target.readsHdLayouts(), &picture, &error)
            || !WritePictureFile(file, picture, &error))
            return fail(error);
        return succeed(Quiltra::tr("Background Exported"));
    }
    case CommandLine::Install: {
        progress->setStep(Quiltra::tr("installing the background"));
        QStringList installed;
        if (!InstallArchiveInto(target, file, &installed, &error))
            return fail(error);
        return succeed(Quiltra::tr("Background Installed"));
    }
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
        print(stdout, UsageText());
        return Done;
    }
    if (line.command == CommandLine::Version) {
        print(stdout, QStringLiteral("quiltra-cli " QUILTRA_VERSION "\n"));
        return Done;
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
