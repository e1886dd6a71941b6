#pragma once

#include "settings.h"

#include <QString>
#include <QTemporaryDir>

// A temporary game installation (Half-Life/hl.exe with the four games' resource\background
// folders), a program folder and a fallback settings folder, for one test.
class GameTree {
public:
    GameTree();

    bool isValid() const { return m_dir.isValid(); }
    // A path inside the temporary folder, in native form.
    QString path(const QString &relative) const;
    QString exePath() const { return path(QStringLiteral("Half-Life/hl.exe")); }
    QString programFolder() const { return path(QStringLiteral("program")); }
    QString fallbackFolder() const { return path(QStringLiteral("fallback")); }
    QString configPath() const { return path(QStringLiteral("program/config.dat")); }

    // Creates (or removes) a folder under the temporary folder.
    bool makeFolder(const QString &relative) const;
    bool removeFolder(const QString &relative) const;
    // Writes config.dat beside the program with the game tree's executable and `language`.
    bool writeConfig(qint16 language, const QString &exePath = {}) const;
    QByteArray configBytes() const;

private:
    QTemporaryDir m_dir;
};
