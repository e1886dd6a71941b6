#include "io/messages.h"

#include "io/tr.h"

#include <QDir>

QString CannotWriteMessage(const QString &fileName, const QString &reason)
{
    return Quiltra::tr("Cannot write %1: %2").arg(QDir::toNativeSeparators(fileName), reason);
}

QString CannotReadMessage(const QString &fileName, const QString &reason)
{
    return Quiltra::tr("Cannot read %1: %2").arg(QDir::toNativeSeparators(fileName), reason);
}

QString CannotFindFolderMessage(const QString &folder)
{
    return Quiltra::tr("Cannot find the folder %1").arg(QDir::toNativeSeparators(folder));
}
