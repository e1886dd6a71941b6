#include "gametree.h"

#include <QDir>
#include <QFile>

GameTree::GameTree()
{
    for (const char *game : {"cstrike", "cz", "dod", "valve"})
        makeFolder(QStringLiteral("Half-Life/%1/resource/background").arg(QLatin1String(game)));
    makeFolder(QStringLiteral("program"));
    QFile exe(exePath());
    exe.open(QIODevice::WriteOnly);
}

QString GameTree::path(const QString &relative) const
{
    return QDir::toNativeSeparators(m_dir.filePath(relative));
}

bool GameTree::makeFolder(const QString &relative) const
{
    return QDir().mkpath(path(relative));
}

bool GameTree::removeFolder(const QString &relative) const
{
    return QDir(path(relative)).removeRecursively();
}

bool GameTree::writeConfig(qint16 language, const QString &exePath) const
{
    Settings settings;
    settings.ExePath = exePath.isEmpty() ? this->exePath() : exePath;
    settings.Language = language;
    return WriteSettings(configPath(), settings);
}

QByteArray GameTree::configBytes() const
{
    QFile file(configPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
