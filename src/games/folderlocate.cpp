#include "games/folderlocate.h"

#include <algorithm>

namespace {

bool IsSeparator(QChar c)
{
    return c == u'\\' || c == u'/';
}

// One separator for both, so "C:\HL\" and "C:/HL/" compare equal; lengths stay the same.
QString Slashed(const QString &path)
{
    QString out = path;
    out.replace(u'\\', u'/');
    return out;
}

const QString Suffix = QStringLiteral("resource/background");

} // namespace

bool EndsWithBackgroundFolder(const QString &path)
{
    QString slashed = Slashed(path);
    while (slashed.endsWith(u'/'))
        slashed.chop(1);
    if (!slashed.endsWith(Suffix, Qt::CaseInsensitive))
        return false;
    // "myresource/background" is some other folder.
    const qsizetype at = slashed.size() - Suffix.size();
    return at == 0 || slashed.at(at - 1) == u'/';
}

QString AddonFolderOf(const QString &relativeFolder)
{
    const qsizetype end = std::min(relativeFolder.indexOf(u'\\') < 0 ? relativeFolder.size() : relativeFolder.indexOf(u'\\'),
                                   relativeFolder.indexOf(u'/') < 0 ? relativeFolder.size() : relativeFolder.indexOf(u'/'));
    return relativeFolder.left(end) + QStringLiteral("_addon") + relativeFolder.mid(end);
}

QString RelativeBackgroundFolder(const QString &picked, const QString &gameRoot,
                                 Qt::CaseSensitivity cs)
{
    const QString path = Slashed(picked);
    if (!EndsWithBackgroundFolder(picked))
        return {};
    // An empty root would make an absolute path look relative.
    if (gameRoot.isEmpty() || !path.startsWith(Slashed(gameRoot), cs))
        return {};
    qsizetype start = gameRoot.size();
    if (!IsSeparator(gameRoot.back())) {
        // "C:\HL" must not claim "C:\HL2\...": the root has to end at a folder boundary.
        if (start >= picked.size() || !IsSeparator(picked.at(start)))
            return {};
        ++start;
    }
    // A root reaching into resource\background leaves no game folder to name.
    const QString relative = picked.mid(start);
    return relative.size() >= Suffix.size() ? relative : QString();
}
