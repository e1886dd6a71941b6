#include "background/composebackground.h"

#include "background/layoutfiles.h"
#include "background/tgaread.h"
#include "io/messages.h"
#include "io/tr.h"

#include <QDir>
#include <QList>
#include <QPainter>
#include <QPoint>

bool ComposeBackground(const QString &resourceFolder, bool hdPair, QImage *picture, QString *errorString)
{
    const QDir resource(resourceFolder);
    const QString layoutPath = resource.filePath(QLatin1String(hdPair ? HdLayoutFileNames[0] : LayoutFileNames[0]));
    QSize size;
    QList<PlacedTile> tiles;
    if (!ReadLayoutFile(layoutPath, &size, &tiles, errorString))
        return false;

    const QDir game(QDir::cleanPath(resource.absolutePath() + QStringLiteral("/..")));
    QImage composed(size, QImage::Format_RGB32);
    if (composed.isNull()) {
        *errorString = CannotReadMessage(layoutPath, Quiltra::tr("there is not enough memory for it"));
        return false;
    }
    composed.fill(Qt::black);
    QPainter painter(&composed);
    for (const PlacedTile &tile : tiles) {
        // The background folder as it is, whatever letter case the layout file gives it.
        const QString name = BackgroundTileName(tile.Path);
        const QString path = name.isEmpty() ? game.filePath(tile.Path)
                                            : resource.filePath(QStringLiteral("background/") + name);
        QImage read;
        if (!ReadTgaPicture(path, &read, errorString))
            return false;
        painter.drawImage(tile.At, read);
    }
    painter.end();
    *picture = composed;
    return true;
}
