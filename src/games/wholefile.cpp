#include "wholefile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

QString CannotWriteMessage(const QString &fileName, const QString &reason)
{
    return QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(fileName), reason);
}

bool IsReadOnlyFile(const QString &fileName)
{
    const QFileInfo info(fileName);
    return info.isFile() && !(info.permissions() & QFileDevice::WriteOwner);
}

bool WriteWholeFile(const QString &fileName, const QByteArray &bytes, QString *errorString)
{
    if (IsReadOnlyFile(fileName)) {
        if (errorString)
            *errorString = CannotWriteMessage(fileName, QStringLiteral("the file is read-only"));
        return false;
    }
    QSaveFile file(fileName);
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok && file.write(bytes) != bytes.size())
        ok = false;
    if (ok)
        ok = file.commit();
    if (!ok) {
        if (errorString)
            *errorString = CannotWriteMessage(fileName, file.errorString());
        file.cancelWriting();
    }
    return ok;
}
