#include "games/liblist.h"

#include "io/paths.h"
#include "io/wholefile.h"

#include <QList>

namespace {

// The words of one line: bare words end at blanks, quoted ones at the closing quote; a `//`
// outside quotes ends the line.
QList<QByteArray> wordsOf(const QByteArray &line)
{
    QList<QByteArray> words;
    qsizetype at = 0;
    while (at < line.size()) {
        const char c = line.at(at);
        if (c == ' ' || c == '\t' || c == '\r') {
            ++at;
        } else if (c == '/' && at + 1 < line.size() && line.at(at + 1) == '/') {
            break;
        } else if (c == '"') {
            const qsizetype end = line.indexOf('"', at + 1);
            words.append(line.mid(at + 1, end < 0 ? -1 : end - at - 1));
            at = end < 0 ? line.size() : end + 1;
        } else {
            qsizetype end = at;
            while (end < line.size() && !QByteArrayView(" \t\r\"").contains(line.at(end))
                   && !line.mid(end).startsWith("//"))
                ++end;
            words.append(line.mid(at, end - at));
            at = end;
        }
    }
    return words;
}

} // namespace

bool HdBackgroundSwitchedOn(const QByteArray &liblist)
{
    bool on = false;
    // Lines may end in CR LF, LF or CR alone.
    for (const QByteArray &line : QByteArray(liblist).replace('\r', '\n').split('\n')) {
        const QList<QByteArray> words = wordsOf(line);
        if (words.size() >= 2 && words[0].compare("hd_background", Qt::CaseInsensitive) == 0)
            on = words[1].trimmed() == "1";
    }
    return on;
}

bool GameReadsHdLayouts(const QString &resourceFolder)
{
    QString gameFolder = resourceFolder;
    while (LastSeparator(gameFolder) == gameFolder.size() - 1 && !gameFolder.isEmpty())
        gameFolder.chop(1);
    gameFolder = gameFolder.left(LastSeparator(gameFolder) + 1);
    if (gameFolder.isEmpty())
        return false;
    // A few dozen lines; a pipe, a device or anything larger is not the game's.
    QByteArray liblist;
    QString unreadable;
    return ReadRegularFile(gameFolder + QStringLiteral("liblist.gam"), 64 * 1024, &liblist, &unreadable)
           && HdBackgroundSwitchedOn(liblist);
}
