#pragma once

#include "settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A temporary game installation (Half-Life/hl.exe and the four games' resource/background
// folders), a program folder and a fallback settings folder, for one test.
class GameTree {
public:
    GameTree()
    {
        for (const char *game : {"cstrike", "cz", "dod", "valve"})
            makeFolder(QStringLiteral("Half-Life/%1/resource/background").arg(QLatin1String(game)));
        makeFolder(QStringLiteral("program"));
        writeFile(QStringLiteral("Half-Life/hl.exe"), {});
    }

    // A path inside the temporary folder, in native form.
    QString path(const QString &relative) const
    {
        return QDir::toNativeSeparators(m_dir.filePath(relative));
    }
    QString exePath() const { return path(QStringLiteral("Half-Life/hl.exe")); }
    QString programFolder() const { return path(QStringLiteral("program")); }
    QString fallbackFolder() const { return path(QStringLiteral("fallback")); }
    QString configPath() const { return path(QStringLiteral("program/config.dat")); }

    bool makeFolder(const QString &relative) const { return QDir().mkpath(path(relative)); }
    bool removeFolder(const QString &relative) const
    {
        return QDir(path(relative)).removeRecursively();
    }
    bool writeFile(const QString &relative, const QByteArray &bytes) const
    {
        QFile file(path(relative));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    // Writes config.dat beside the program with `language` and the tree's executable.
    bool writeConfig(qint16 language, const QString &exePath = {}) const
    {
        Settings settings;
        settings.ExePath = exePath.isEmpty() ? this->exePath() : exePath;
        settings.Language = language;
        return WriteSettings(configPath(), settings);
    }
    QByteArray configBytes() const
    {
        QFile file(configPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
};
