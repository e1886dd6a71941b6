#pragma once

#include "app/mainwindow.h"
#include "app/scriptedinteraction.h"
#include "common/testfiles.h"
#include "games/settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

// A temporary game installation (Half-Life/hl.exe and the four games' resource/background
// folders) beside a program folder, and a window working on it with scripted answers.
class GameTree {
public:
    ScriptedInteraction ui;
    std::unique_ptr<Main> window;

    GameTree()
    {
        for (int game = 0; game < 4; ++game)
            QDir().mkpath(path(resource(game, "background")));
        QDir().mkpath(path("program"));
        writeFile("Half-Life/hl.exe", {});
    }

    // The game's resource folder (or `name` inside it), relative to the temporary folder.
    static QString resource(int game, const QString &name = {})
    {
        const char *folders[] = {"cstrike", "cz", "dod", "valve"};
        return QStringLiteral("Half-Life/%1/resource/%2").arg(QLatin1String(folders[game]), name);
    }
    // A path inside the temporary folder, in native form.
    QString path(const QString &relative) const
    {
        return QDir::toNativeSeparators(m_dir.filePath(relative));
    }
    QString exePath() const { return path("Half-Life/hl.exe"); }
    bool writeFile(const QString &relative, const QByteArray &bytes) const
    {
        return WriteBytes(path(relative), bytes);
    }
    QByteArray readFile(const QString &relative = "program/config.dat") const
    {
        return ReadBytes(path(relative));
    }
    // Writes config.dat beside the program with `language` and the tree's executable.
    bool writeConfig(qint16 language) const
    {
        return WriteSettings(path("program/config.dat"), Settings{.ExePath = exePath(), .Language = language});
    }
    // The window's control named `name` ("elboton2", "Picture3").
    template<typename Control>
    Control *control(const char *name) const
    {
        return window->findChild<Control *>(QLatin1String(name));
    }
    // A new window whose program folder is `programFolder`, with "fallback" for config.dat.
    Main &open(const QString &programFolder = "program")
    {
        window = std::make_unique<Main>(&ui, path(programFolder), path("fallback"));
        return *window;
    }

private:
    QTemporaryDir m_dir;
};
