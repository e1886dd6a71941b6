#pragma once

#include "games/settings.h"

#include <QString>

// Where config.dat lives: beside the program, or, when that folder cannot be written or the
// program is installed (its pictures in ../share/quiltra), in a per-user fallback folder. Both
// folders come from the caller.
class SettingsLocation {
public:
    SettingsLocation(const QString &programFolder, const QString &fallbackFolder);

    // Reads the file beside the program, else the fallback one; when both exist the newer,
    // since a write beside the program may have failed and gone to the fallback.
    bool read(Settings &settings, QString *errorString) const;

    // Writes beside the program, else into the fallback folder (creating it). False, with
    // both files and their reasons in errorString, when neither can be written.
    bool write(const Settings &settings, QString *errorString) const;

    // config.dat beside the program.
    QString besideProgram() const;
    // config.dat in the fallback folder.
    QString fallback() const;

private:
    QString m_programFolder;
    QString m_fallbackFolder;
};
