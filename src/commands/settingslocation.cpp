#include "commands/settingslocation.h"

#include "io/tr.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString SettingsFileName = QStringLiteral("config.dat");
}

SettingsLocation::SettingsLocation(const QString &programFolder, const QString &fallbackFolder)
    : m_programFolder(programFolder), m_fallbackFolder(fallbackFolder)
{
    // Installed, the program lies in a system folder beside ../share/quiltra: no place for one
    // user's settings, even when that user may write there.
    if (!fallbackFolder.isEmpty() && QFileInfo(QDir(programFolder).filePath(QStringLiteral("../share/quiltra"))).isDir())
        m_programFolder = fallbackFolder;
}

QString SettingsLocation::besideProgram() const
{
    return QDir(m_programFolder).filePath(SettingsFileName);
}

QString SettingsLocation::fallback() const
{
    return m_fallbackFolder.isEmpty() ? QString()
                                      : QDir(m_fallbackFolder).filePath(SettingsFileName);
}

bool SettingsLocation::read(Settings &settings, QString *errorString) const
{
    const QFileInfo beside(besideProgram());
    const QFileInfo other(fallback());
    const bool useFallback = !fallback().isEmpty() && other.exists()
        && (!beside.exists() || other.lastModified() > beside.lastModified());
    return ReadSettings(useFallback ? other.filePath() : beside.filePath(), settings, errorString);
}

bool SettingsLocation::write(const Settings &settings, QString *errorString) const
{
    QString besideError;
    if (WriteSettings(besideProgram(), settings, &besideError))
        return true;
    QString fallbackError = Quiltra::tr("no fallback folder");
    if (!fallback().isEmpty()) {
        if (!QDir().mkpath(m_fallbackFolder))
            fallbackError = Quiltra::tr("Cannot create the folder %1")
                                .arg(QDir::toNativeSeparators(m_fallbackFolder));
        else if (WriteSettings(fallback(), settings, &fallbackError))
            return true;
    }
    if (errorString)
        *errorString = besideError + QLatin1Char('\n') + fallbackError;
    return false;
}
