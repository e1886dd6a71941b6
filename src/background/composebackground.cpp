#include "background/composebackground.h"

#include "background/layoutfiles.h"
#include "background/tgaread.h"
#include "io/messages.h"
#include "io/tr.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QPainter>
#include <QPoint>

namespace {

constexpr int MaxWidth = 3840;
constexpr int MaxHeight = 2400;

struct PlacedTile
{
    QString path;   // relative to the game's folder, '/' separated
    QPoint at;
};

bool refuse(QString *reason, const QString &text)
{
    *reason = text;
    return false;
}

// A tile path the game would find inside its own folder: relative, no drive, no "..". Layouts
// written on Windows may separate with '\'.
bool staysInGameFolder(const QString &path)
{
    return !path.startsWith(u'/') && !path.contains(u':') && !path.split(u'/').contains(QStringLiteral(".."));
}

// Parses a layout text: one "resolution W H" line and "<tile> <scaled|fit> X Y" lines, spaced
// by blanks or tabs; empty lines and "//" comments are skipped.
bool parseLayout(const QByteArray &text, QSize *size, QList<PlacedTile> *tiles, QString *reason)
{
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines[i].simplified();
        if (line.isEmpty() || line.startsWith("//"))
            continue;
        const QList<QByteArray> words = line.split(' ');
        const QString lineNumber = QString::number(i + 1);
        bool okX = false, okY = false;
        const int x = words.value(words.size() - 2).toInt(&okX);
        const int y = words.value(words.size() - 1).toInt(&okY);
        if (words.size() == 3 && words[0].toLower() == "resolution" && okX && okY) {
            if (x < 1 || x > MaxWidth || y < 1 || y > MaxHeight)
                return refuse(reason, Tr("its resolution %1x%2 is not within %3x%4").arg(x).arg(y).arg(MaxWidth).arg(MaxHeight));
            *size = QSize(x, y);
        } else if (words.size() == 4 && (words[1].toLower() == "scaled" || words[1].toLower() == "fit") && okX && okY) {
            const QString path = QString::fromUtf8(words[0]).replace(u'\\', u'/');
            if (!staysInGameFolder(path))
                return refuse(reason, Tr("line %1 names a file outside the game's folder").arg(lineNumber));
            tiles->append({path, QPoint(x, y)});
        } else {
            return refuse(reason, Tr("line %1 is neither its resolution nor a tile with its place").arg(lineNumber));
        }
    }
    if (size->isEmpty())
        return refuse(reason, Tr("it names no resolution"));
    return true;
}

} // namespace

bool ComposeBackground(const QString &resourceFolder, bool hdPair, QImage *picture, QString *errorString)
{
    const QDir resource(resourceFolder);
    const QString layoutPath = resource.filePath(QLatin1String(hdPair ? HdLayoutFileNames[0] : LayoutFileNames[0]));
    QFile layout(layoutPath);
    QByteArray text;
    if (layout.open(QIODevice::ReadOnly))
        text = layout.readAll();
    if (!layout.isOpen() || layout.error() != QFileDevice::NoError) {
        *errorString = CannotReadMessage(layoutPath, layout.errorString());
        return false;
    }
    QSize size;
    QList<PlacedTile> tiles;
    QString reason;
    if (!parseLayout(text, &size, &tiles, &reason)) {
        *errorString = CannotReadMessage(layoutPath, reason);
        return false;
    }

    const QDir game(QDir::cleanPath(resource.absolutePath() + QStringLiteral("/..")));
    QImage composed(size, QImage::Format_RGB32);
    if (composed.isNull()) {
        *errorString = CannotReadMessage(layoutPath, Tr("there is not enough memory for it"));
        return false;
    }
    composed.fill(Qt::black);
    QPainter painter(&composed);
    for (const PlacedTile &tile : tiles) {
        QImage read;
        if (!ReadTgaPicture(game.filePath(tile.path), &read, errorString))
            return false;
        painter.drawImage(tile.at, read);
    }
    painter.end();
    *picture = composed;
    return true;
}
