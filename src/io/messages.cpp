#include "io/messages.h"

#include "io/tr.h"

#include <QDir>

QString CannotWriteMessage(const QString &fileName, const QString &reason)
{
    return Tr("Cannot write %1: %2").arg(QDir::toNativeSeparators(fileName), reason);
}

QString CannotReadMessage(const QString &fileName, const QString &reason)
{
    return Tr("Cannot read %1: %2").arg(QDir::toNativeSeparators(fileName), reason);
}

QString CannotFindFolderMessage(const QString &folder)
{
    return Tr("Cannot find the folder %1").arg(QDir::toNativeSeparators(folder));
}
