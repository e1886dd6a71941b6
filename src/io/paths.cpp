#include "io/paths.h"

#include <QDir>

qsizetype LastSeparator(const QString &path)
{
    return qMax(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
}

QChar PathSeparatorOf(const QString &path)
{
    const qsizetype at = LastSeparator(path);
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
    return exePath.left(LastSeparator(exePath) + 1);
}

QString UnderGameRoot(const QString &exePath, const QString &relative)
{
    return GameRoot(exePath) + WithSeparators(relative, PathSeparatorOf(exePath));
}
