#include "layoutfiles.h"

#include "gamepaths.h"
#include "tilegrid.h"
#include "wholefile.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

const char *const LineEnd = "\r\n";

void setError(QString *errorString, const QString &text)
{
    if (errorString)
        *errorString = text;
}

} // namespace

QByteArray LayoutFileText(int resolution)
{
    const QSize size = ResolutionSize(resolution);
    if (size.isEmpty())
        return {};
    QByteArray text = "resolution   " + QByteArray::number(size.width()) + "   "
                      + QByteArray::number(size.height()) + LineEnd;
    for (const TileSpec &tile : TileGrid(resolution)) {
        if (tile.Column == 'a')
            text += LineEnd;   // each row starts after an empty line
        text += "resource/background/" + tile.FileName.toLatin1() + "      scaled      "
                + QByteArray::number(tile.X) + "   " + QByteArray::number(tile.Y) + LineEnd;
    }
    return text;
}

QStringList LayoutFilePaths(const QString &exePath, const QString &relativeFolder)
{
    const QString folder = ResourceFolder(exePath, relativeFolder) + PathSeparatorOf(exePath);
    return {folder + QStringLiteral("BackgroundLayout.txt"),
            folder + QStringLiteral("BackgroundLoadingLayout.txt")};
}

LayoutStatus WriteLayoutFiles(int resolution, const QString &exePath, const QString &relativeFolder,
                              QString *errorString)
{
    const QByteArray text = LayoutFileText(resolution);
    if (text.isEmpty()) {
        setError(errorString, QStringLiteral("There is no resolution number %1").arg(resolution));
        return LayoutStatus::WriteFailed;
    }
    const QString folder = ResourceFolder(exePath, relativeFolder);
    if (!QFileInfo(folder).isDir()) {
        setError(errorString, QStringLiteral("Cannot find the folder %1").arg(QDir::toNativeSeparators(folder)));
        return LayoutStatus::ResourceFolderMissing;
    }
    // Both files come from the same bytes, so they are identical even when a
    // copy would have failed half-way.
    for (const QString &fileName : LayoutFilePaths(exePath, relativeFolder)) {
        if (!WriteWholeFile(fileName, text, errorString))
            return LayoutStatus::WriteFailed;
    }
    return LayoutStatus::Written;
}
