#include "background/layoutfiles.h"

#include "background/tilegrid.h"
#include "io/paths.h"
#include "io/wholefile.h"

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
    return {folder + QLatin1String(LayoutFileNames[0]), folder + QLatin1String(LayoutFileNames[1])};
}

LayoutStatus WriteLayoutFiles(int resolution, const QString &exePath, const QString &relativeFolder,
                              QString *errorString)
{
    const QByteArray text = LayoutFileText(resolution);
    if (text.isEmpty()) {
        setError(errorString, NoResolutionMessage(resolution));
        return LayoutStatus::WriteFailed;
    }
    const QString folder = ResourceFolder(exePath, relativeFolder);
    if (!QFileInfo(folder).isDir()) {
        setError(errorString, CannotFindFolderMessage(folder));
        return LayoutStatus::ResourceFolderMissing;
    }
    WholeFileSet files;
    if (!AddLayoutFiles(&files, resolution, exePath, relativeFolder) || !files.commit()) {
        setError(errorString, files.errorString());
        return LayoutStatus::WriteFailed;
    }
    return LayoutStatus::Written;
}

bool AddLayoutFiles(WholeFileSet *files, int resolution, const QString &exePath,
                    const QString &relativeFolder)
{
    // Both files come from the same bytes and are renamed one right after the other, so
    // they agree whenever either can be read.
    const QByteArray text = LayoutFileText(resolution);
    for (const QString &fileName : LayoutFilePaths(exePath, relativeFolder)) {
        if (!files->add(fileName, text))
            return false;
    }
    return true;
}
