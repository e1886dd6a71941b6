#pragma once

#include "app/mainwindow.h"
#include "app/scriptedinteraction.h"
#include "common/fakegame.h"
#include "controls/elboton.h"
#include "controls/elcombo.h"
#include "controls/elpanel.h"
#include "games/settings.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <memory>

// A FakeGame beside a program folder, and a window working on it with scripted answers.
struct GameTree : FakeGame {
    ScriptedInteraction ui;
    std::unique_ptr<Main> window;

    GameTree() { QDir().mkpath(at("program")); }
    QByteArray config(const QString &folder = "program") const { return ReadBytes(at(folder + "/config.dat")); }
    // Writes config.dat beside the program with `language` and the executable.
    bool writeConfig(qint16 language) const
    {
        return WriteSettings(at("program/config.dat"), {.ExePath = exe(), .Language = language});
    }
    // The window's control named `name` ("elcombo1", "Picture3").
    template<typename Control>
    Control *control(const char *name) const { return window->findChild<Control *>(QLatin1String(name)); }
    // A new window whose program folder is `folder`, with "fallback" for config.dat.
    Main &open(const QString &folder = "program", const QStringList &steamFolders = {})
    {
        window = std::make_unique<Main>(&ui, at(folder), at("fallback"), steamFolders);
        return *window;
    }
    // Clicks button `n` (1 Run, 2 Make, 3 Load, 4 Zip) with `resolution` chosen, from a clean log.
    void click(int n, int resolution = 1)
    {
        control<elcombo>("elcombo1")->SetListIndex(resolution);
        ui.log.clear();
        ui.messages.clear();
        emit control<elboton>(qPrintable(QString("elboton%1").arg(n)))->Click();
    }
    // Opens the title menu from the emblem and chooses `entry` (-1: none).
    void menu(int entry = -1)
    {
        ui.menuAnswers = {entry};
        emit control<elpanel>("elpanel1")->IconMouseDown(1, 0, 3, 3);
    }
    // Drags `file` onto the window and drops it there.
    void drop(const QString &file)
    {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(file)});
        QDragEnterEvent enter(QPoint(9, 9), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QDropEvent drop(QPointF(9, 9), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QApplication::sendEvent(window.get(), &drop);
    }
};
