#pragma once

#include <QByteArray>
#include <QString>

// The values remembered in config.dat from one run to the next.
struct Settings {
    QString ExePath{};
    qint16 Language = -1;   // 0 English, 1 Spanish, -1 not chosen
    QString CsFolder{}, CzFolder{}, DodFolder{}, HlFolder{};   // relative to the game root
    bool UseAddonFolder = false;   // work in the games' "<game>_addon" folders instead

    // The folder field of `gameIndex`; values outside 0..2 give HlFolder, like ProfileOf.
    QString &Folder(int gameIndex);
    const QString &Folder(int gameIndex) const;
};

// The file's bytes: six UTF-8 lines, each ended by CR LF, the language as " 0", " 1" or "-1";
// a seventh line " 1" only while the addon folders are used, which a reader of the six lines
// passes over, so a file without it is the same as ever.
QByteArray SettingsFileBytes(const Settings &settings);

// Reads what SettingsFileBytes writes and forgives what older or hand-edited files hold:
// missing lines read as empty, LF-only or CR-only line ends, a UTF-8 byte-order mark, text in the
// local 8-bit code page, and a language line that is not 0 or 1 (read as not chosen). Only a
// seventh line reading 1 uses the addon folders.
Settings ParseSettings(const QByteArray &bytes);

// A missing file gives the defaults and true; an unreadable one the defaults, false and a reason.
bool ReadSettings(const QString &fileName, Settings &settings, QString *errorString = nullptr);

// Writes through the whole-file writer; on failure the old file stays and errorString names file and reason.
bool WriteSettings(const QString &fileName, const Settings &settings, QString *errorString = nullptr);
