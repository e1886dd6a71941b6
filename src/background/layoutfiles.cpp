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
    return !path.startsWith(u'/') && !path.contains(u':') && !path.split(u'/').contains(QStringLiteral(".."));
}

} // namespace

QByteArray LayoutText(const QSize &size, const QList<TileSpec> &tiles, const char *keyword)
{
    QByteArray text = "resolution   " + QByteArray::number(size.width()) + "   "
                      + QByteArray::number(size.height()) + LineEnd;
    for (const TileSpec &tile : tiles) {
        if (tile.Column == 'a')
            text += LineEnd;   // each row starts after an empty line
        text += "resource/background/" + tile.FileName.toLatin1() + "      " + keyword + "      "
                + QByteArray::number(tile.X) + "   " + QByteArray::number(tile.Y) + LineEnd;
    }
    return text;
}

QByteArray LayoutFileText(int resolution)
{
    const QSize size = ResolutionSize(resolution);
    return size.isEmpty() ? QByteArray() : LayoutText(size, TileGrid(resolution), "scaled");
}

QStringList LayoutPlan::layoutNames() const
{
    QStringList names{QLatin1String(LayoutFileNames[0]), QLatin1String(LayoutFileNames[1])};
    if (HdPair)
        names << QLatin1String(HdLayoutFileNames[0]) << QLatin1String(HdLayoutFileNames[1]);
    return names;
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
        plan.ClassicText = LayoutText(plan.Size, plan.Tiles, "scaled");
        plan.HdText = LayoutText(plan.Size, plan.Tiles, "fit");
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

QString LayoutFilePath(const QString &exePath, const QString &relativeFolder, const QString &name)
{
    return ResourceFolder(exePath, relativeFolder) + PathSeparatorOf(exePath) + name;
}

QStringList LayoutFilePaths(const QString &exePath, const QString &relativeFolder)
{
    return {LayoutFilePath(exePath, relativeFolder, QLatin1String(LayoutFileNames[0])),
            LayoutFilePath(exePath, relativeFolder, QLatin1String(LayoutFileNames[1]))};
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
    if (!AddLayoutFiles(&files, plan, exePath, relativeFolder) || !files.commit()) {
        setError(errorString, files.errorString());
        return LayoutStatus::WriteFailed;
    }
    return LayoutStatus::Written;
}

bool AddLayoutFiles(WholeFileSet *files, const LayoutPlan &plan, const QString &exePath,
                    const QString &relativeFolder)
{
    // Each pair comes from the same bytes and is renamed one right after the other, so the
    // twins agree whenever either can be read.
    for (const QString &name : plan.layoutNames()) {
        if (!files->add(LayoutFilePath(exePath, relativeFolder, name), plan.textOf(name)))
            return false;
    }
    return true;
}

bool ParseLayout(const QByteArray &text, QSize *size, QList<PlacedTile> *tiles, QString *reason)
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
            if (x < 1 || x > MaxLayoutWidth || y < 1 || y > MaxLayoutHeight)
                return refuse(reason, Quiltra::tr("its resolution %1x%2 is not within %3x%4")
                                          .arg(x).arg(y).arg(MaxLayoutWidth).arg(MaxLayoutHeight));
            *size = QSize(x, y);
        } else if (words.size() == 4 && (words[1].toLower() == "scaled" || words[1].toLower() == "fit") && okX && okY) {
            // Layouts written on Windows may separate with '\'.
            const QString path = QString::fromUtf8(words[0]).replace(u'\\', u'/');
            if (!staysInGameFolder(path))
                return refuse(reason, Quiltra::tr("line %1 names a file outside the game's folder").arg(lineNumber));
            tiles->append({path, QPoint(x, y)});
        } else {
            return refuse(reason, Quiltra::tr("line %1 is neither its resolution nor a tile with its place").arg(lineNumber));
        }
    }
    if (size->isEmpty())
        return refuse(reason, Quiltra::tr("it names no resolution"));
    return true;
}

bool ReadLayoutFile(const QString &path, QSize *size, QList<PlacedTile> *tiles, QString *errorString)
{
    QFile layout(path);
    QByteArray text;
    if (layout.open(QIODevice::ReadOnly))
        text = layout.readAll();
    QString reason = layout.errorString();
    if (layout.isOpen() && layout.error() == QFileDevice::NoError && ParseLayout(text, size, tiles, &reason))
        return true;
    *errorString = CannotReadMessage(path, reason);
    return false;
}
