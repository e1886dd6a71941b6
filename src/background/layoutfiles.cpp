#include "background/layoutfiles.h"

#include "background/tilegrid.h"
#include "io/messages.h"
#include "io/paths.h"
#include "io/tr.h"
#include "io/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace {

const char *const LineEnd = "\r\n";

void setError(QString *errorString, const QString &text)
{
    if (errorString)
        *errorString = text;
}

constexpr int MaxLayoutWidth = 3840;
constexpr int MaxLayoutHeight = 2400;

bool refuse(QString *reason, const QString &text)
{
    *reason = text;
    return false;
}

// A tile path the game would find inside its own folder: relative, no drive, no "..".
bool staysInGameFolder(const QString &path)
{
    return !path.isEmpty() && !path.startsWith(u'/') && !path.contains(u':')
           && !path.split(u'/').contains(QStringLiteral(".."));
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The words of one line of a layout text, quotes taken off, up to a "//" comment; false for a
// quote left open.
bool wordsOf(const QByteArray &line, QList<QByteArray> *words)
{
    for (qsizetype at = 0; at < line.size();) {
        if (isBlank(line[at])) {
            ++at;
        } else if (line.mid(at, 2) == "//") {
            break;
        } else if (line[at] == '"') {
            const qsizetype end = line.indexOf('"', at + 1);
            if (end < 0)
                return false;
            words->append(line.mid(at + 1, end - at - 1));
            at = end + 1;
        } else {
            qsizetype end = at;
            while (end < line.size() && !isBlank(line[end]))
                ++end;
            words->append(line.mid(at, end - at));
            at = end;
        }
    }
    return true;
}

QList<PlacedTile> placedTiles(const QList<TileSpec> &tiles)
{
    QList<PlacedTile> placed;
    for (const TileSpec &tile : tiles)
        placed.append({QStringLiteral("resource/background/") + tile.FileName, QPoint(tile.X, tile.Y)});
    return placed;
}

} // namespace

QStringList AllLayoutFileNames()
{
    return {QLatin1String(LayoutFileNames[0]), QLatin1String(LayoutFileNames[1]),
            QLatin1String(HdLayoutFileNames[0]), QLatin1String(HdLayoutFileNames[1])};
}

QByteArray LayoutText(const QSize &size, const QList<PlacedTile> &tiles, const char *keyword)
{
    QByteArray text = "resolution   " + QByteArray::number(size.width()) + "   "
                      + QByteArray::number(size.height()) + LineEnd;
    for (qsizetype i = 0; i < tiles.size(); ++i) {
        const PlacedTile &tile = tiles[i];
        if (i == 0 || tile.At.y() != tiles[i - 1].At.y())
            text += LineEnd;   // each row starts after an empty line
        QByteArray path = tile.Path.toUtf8();
        if (std::any_of(path.cbegin(), path.cend(), isBlank))
            path = '"' + path + '"';
        text += path + "      " + keyword + "      " + QByteArray::number(tile.At.x()) + "   "
                + QByteArray::number(tile.At.y()) + LineEnd;
    }
    return text;
}

QByteArray LayoutFileText(int resolution)
{
    const QSize size = ResolutionSize(resolution);
    return size.isEmpty() ? QByteArray() : LayoutText(size, placedTiles(TileGrid(resolution)), "scaled");
}

QStringList LayoutPlan::layoutNames() const
{
    return AllLayoutFileNames().mid(0, HdPair ? 4 : 2);
}

QByteArray LayoutPlan::textOf(const QString &name) const
{
    return name.startsWith(QLatin1String("HD_")) ? HdText : ClassicText;
}

LayoutPlan PlanBackground(int resolution, const QSize &pictureSize, bool gameReadsHd)
{
    LayoutPlan plan;
    plan.Resolution = resolution;
    if (resolution == WideHdResolution) {
        plan.Size = pictureSize;
        plan.Tiles = WideHdTileGrid(pictureSize);
        plan.HdPair = true;
        plan.ClassicText = LayoutText(plan.Size, placedTiles(plan.Tiles), "scaled");
        plan.HdText = LayoutText(plan.Size, placedTiles(plan.Tiles), "fit");
    } else {
        plan.Size = ResolutionSize(resolution);
        plan.Tiles = TileGrid(resolution);
        plan.HdPair = gameReadsHd;
        plan.ClassicText = plan.HdText = LayoutFileText(resolution);
    }
    if (plan.Tiles.isEmpty())
        plan = LayoutPlan();
    return plan;
}

QString LayoutFilePath(const QString &resourceFolder, const QString &name)
{
    return resourceFolder + PathSeparatorOf(resourceFolder) + name;
}

LayoutStatus WriteLayoutFiles(int resolution, const QString &exePath, const QString &relativeFolder,
                              QString *errorString)
{
    const LayoutPlan plan = PlanBackground(resolution, ResolutionSize(resolution), false);
    if (!plan.isValid() || resolution == WideHdResolution) {
        setError(errorString, NoResolutionMessage(resolution));
        return LayoutStatus::WriteFailed;
    }
    const QString folder = ResourceFolder(exePath, relativeFolder);
    if (!QFileInfo(folder).isDir()) {
        setError(errorString, CannotFindFolderMessage(folder));
        return LayoutStatus::ResourceFolderMissing;
    }
    WholeFileSet files;
    if (!AddLayoutFiles(&files, plan, folder) || !files.commit()) {
        setError(errorString, files.errorString());
        return LayoutStatus::WriteFailed;
    }
    return LayoutStatus::Written;
}

bool AddLayoutFiles(WholeFileSet *files, const LayoutPlan &plan, const QString &resourceFolder)
{
    // Each pair comes from the same bytes and is renamed one right after the other, so the
    // twins agree whenever either can be read.
    for (const QString &name : plan.layoutNames()) {
        if (!files->add(LayoutFilePath(resourceFolder, name), plan.textOf(name)))
            return false;
    }
    return true;
}

bool ParseLayout(const QByteArray &text, QSize *size, QList<PlacedTile> *tiles, QString *reason)
{
    QSize resolution;
    QList<PlacedTile> placed;
    const QList<QByteArray> lines = QByteArray(text).replace("\r\n", "\n").replace('\r', '\n').split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString lineNumber = QString::number(i + 1);
        QList<QByteArray> words;
        if (!wordsOf(lines[i], &words))
            return refuse(reason, Quiltra::tr("line %1 leaves a quote open").arg(lineNumber));
        if (words.isEmpty())
            continue;
        bool okX = false, okY = false;
        const int x = words.value(words.size() - 2).toInt(&okX);
        const int y = words.value(words.size() - 1).toInt(&okY);
        const QByteArray keyword = words.value(words.size() - 3).toLower();
        if (words.size() == 3 && keyword == "resolution" && okX && okY) {
            if (!resolution.isEmpty())
                return refuse(reason, Quiltra::tr("line %1 names the resolution a second time").arg(lineNumber));
            if (x < 1 || x > MaxLayoutWidth || y < 1 || y > MaxLayoutHeight)
                return refuse(reason, Quiltra::tr("its resolution %1x%2 is not within %3x%4")
                                          .arg(x).arg(y).arg(MaxLayoutWidth).arg(MaxLayoutHeight));
            resolution = QSize(x, y);
        } else if (words.size() == 4 && (keyword == "scaled" || keyword == "fit") && okX && okY) {
            if (resolution.isEmpty())
                return refuse(reason, Quiltra::tr("line %1 places a tile before the resolution is named").arg(lineNumber));
            const QString path = QString::fromUtf8(words[0]).replace(u'\\', u'/');
            if (!staysInGameFolder(path))
                return refuse(reason, Quiltra::tr("line %1 names a file outside the game's folder").arg(lineNumber));
            placed.append({path, QPoint(x, y)});
        } else {
            return refuse(reason, Quiltra::tr("line %1 is neither its resolution nor a tile with its place").arg(lineNumber));
        }
    }
    if (resolution.isEmpty())
        return refuse(reason, Quiltra::tr("it names no resolution"));
    *size = resolution;
    *tiles = placed;
    return true;
}

bool ReadLayoutFile(const QString &path, QSize *size, QList<PlacedTile> *tiles, QString *errorString)
{
    QByteArray text;
    if (!ReadRegularFile(path, MaxLayoutFileBytes, &text, errorString))
        return false;
    QString reason;
    if (ParseLayout(text, size, tiles, &reason))
        return true;
    *errorString = CannotReadMessage(path, reason);
    return false;
}

QString BackgroundTileName(const QString &path)
{
    const QStringList parts = path.split(u'/');
    const bool inBackground = parts.size() == 3 && !parts[2].isEmpty()
                              && parts[0].compare(QLatin1String("resource"), Qt::CaseInsensitive) == 0
                              && parts[1].compare(QLatin1String("background"), Qt::CaseInsensitive) == 0;
    return inBackground ? parts[2] : QString();
}

QStringList BackgroundTileNames(const QList<PlacedTile> &tiles, QStringList *elsewhere)
{
    QStringList names;
    for (const PlacedTile &tile : tiles) {
        const QString name = BackgroundTileName(tile.Path);
        if (name.isEmpty() && elsewhere)
            elsewhere->append(tile.Path);
        else if (!name.isEmpty() && !names.contains(name))
            names.append(name);
    }
    return names;
}
