#include "io/messages.h"

#include "io/tr.h"

#include <QDir>

QString ShownPath(const QString &path)
{
    const QString native = QDir::toNativeSeparators(path);
    QString shown;
    shown.reserve(native.size());
    for (const QChar c : native) {
        const char16_t u = c.unicode();
        if (u >= 0x20 && u != 0x7f)
            shown += c;
        else if (u == '\n')
            shown += QLatin1String("\\n");
        else if (u == '\r')
            shown += QLatin1String("\\r");
        else if (u == '\t')
            shown += QLatin1String("\\t");
        else
            shown += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
    }
    return shown;
}

QString CannotWriteMessage(const QString &fileName, const QString &reason)
{
    return Quiltra::tr("Cannot write %1: %2").arg(ShownPath(fileName), reason);
}

QString CannotReadMessage(const QString &fileName, const QString &reason)
{
    return Quiltra::tr("Cannot read %1: %2").arg(ShownPath(fileName), reason);
}

QString CannotFindFolderMessage(const QString &folder)
{
    return Quiltra::tr("Cannot find the folder %1").arg(ShownPath(folder));
}
