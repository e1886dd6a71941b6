#include "background/tilegrid.h"

#include "io/paths.h"
#include "io/tr.h"

namespace {

constexpr int TileEdge = 256;
const QSize WideHdBox(3840, 1600);

struct ResolutionRow
{
    int width;
    int height;
};

constexpr ResolutionRow Resolutions[ResolutionCount] = {
    {640, 480}, {800, 600}, {1024, 768}, {1280, 1024}};

// Drops a final "background" folder name and the separator before it.
QString withoutLastFolder(const QString &relative)
{
    QString trimmed = relative;
    while (trimmed.endsWith(u'\\') || trimmed.endsWith(u'/'))
        trimmed.chop(1);
    const qsizetype at = LastSeparator(trimmed);
    return at >= 0 ? trimmed.left(at) : QString();
}

} // namespace

QSize ResolutionSize(int index)
{
    if (index < 0 || index >= ResolutionCount)
        return {};
    return QSize(Resolutions[index].width, Resolutions[index].height);
}

QString ResolutionText(int index)
{
    const QSize size = ResolutionSize(index);
    return size.isEmpty() ? QString() : QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

QString NoResolutionMessage(int index)
{
    return Quiltra::tr("There is no resolution number %1").arg(index);
}

QString TileFileName(quint32 W, int row, char column)
{
    return QStringLiteral("%1_%2_%3_loading.tga").arg(W).arg(row).arg(QChar::fromLatin1(column));
}

namespace {

// Tiles of at most TileEdge square over `size` from the top-left, row by row, named by `name`.
template<typename Name>
QList<TileSpec> tilesOver(const QSize &size, Name name)
{
    QList<TileSpec> tiles;
    for (int y = 0, row = 1; y < size.height(); y += TileEdge, ++row) {
        for (int x = 0, column = 0; x < size.width(); x += TileEdge, ++column) {
            TileSpec tile;
            tile.W = quint32(size.width());
            tile.Row = row;
            tile.Column = char('a' + column);
            tile.X = x;
            tile.Y = y;
            tile.TileWidth = qMin(TileEdge, size.width() - x);
            tile.TileHeight = qMin(TileEdge, size.height() - y);
            tile.FileName = name(tile);
            tiles.append(tile);
        }
    }
    return tiles;
}

} // namespace

QList<TileSpec> TileGrid(int index)
{
    return tilesOver(ResolutionSize(index),
                     [](const TileSpec &tile) { return TileFileName(tile.W, tile.Row, tile.Column); });
}

QSize WideHdSize(const QSize &picture)
{
    if (picture.isEmpty())
        return {};
    if (picture.width() <= WideHdBox.width() && picture.height() <= WideHdBox.height())
        return picture;
    // Rounded down, so the side that does not touch the box stays inside it too.
    const qint64 w = picture.width(), h = picture.height();
    if (w * WideHdBox.height() >= h * WideHdBox.width())
        return QSize(WideHdBox.width(), qMax<int>(1, int(h * WideHdBox.width() / w)));
    return QSize(qMax<int>(1, int(w * WideHdBox.height() / h)), WideHdBox.height());
}

QList<TileSpec> WideHdTileGrid(const QSize &size)
{
    if (size.isEmpty() || size.width() > WideHdBox.width() || size.height() > WideHdBox.height())
        return {};
    return tilesOver(size, [](const TileSpec &tile) {
        return QStringLiteral("hd_%1_%2_loading.tga").arg(tile.Row).arg(QChar::fromLatin1(tile.Column));
    });
}

QString BackgroundFolder(const QString &exePath, const QString &relativeFolder)
{
    QString folder = UnderGameRoot(exePath, relativeFolder);
    const QChar separator = PathSeparatorOf(exePath);
    if (!folder.endsWith(separator))
        folder += separator;
    return folder;
}

QString ResourceFolder(const QString &exePath, const QString &relativeFolder)
{
    return UnderGameRoot(exePath, withoutLastFolder(relativeFolder));
}
