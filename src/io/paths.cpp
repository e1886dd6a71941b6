#include "io/paths.h"

#include <QDir>

QChar PathSeparatorOf(const QString &path)
{
    const qsizetype at = qMax(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return at >= 0 ? path.at(at) : QDir::separator();
}

QString WithSeparators(const QString &relative, QChar separator)
{
    QString out = relative;
    for (QChar &c : out) {
        if (c == u'\\' || c == u'/')
            c = separator;
    }
    return out;
}

QString GameRoot(const QString &exePath)
{
    const qsizetype at = qMax(exePath.lastIndexOf(u'\\'), exePath.lastIndexOf(u'/'));
    return exePath.left(at + 1);
}

QString UnderGameRoot(const QString &exePath, const QString &relative)
{
    return GameRoot(exePath) + WithSeparators(relative, PathSeparatorOf(exePath));
}
