#pragma once

#include "userinteraction.h"

#include <QList>
#include <QStringList>

// Answers every question from prepared lists and records what was asked. An empty list
// answers like a cancelled dialog (empty text, no input); the start-up questions then
// answer English and Counter-Strike.
class ScriptedInteraction : public UserInteraction {
public:
    struct Start {
        QString program;
        QStringList arguments;
        QString workingFolder;
    };

    QStringList openAnswers, saveAnswers, folderAnswers;
    QList<std::optional<QString>> inputAnswers;
    QList<int> languageAnswers, gameAnswers;
    QString startError;   // non-empty: process starts fail with this reason

    QStringList asked;    // "open <title> | <filter>", "save ...", "folder <prompt>", "input ...",
                          // "language", "game"
    QStringList messages;
    QList<Start> starts;
    bool ended = false;

    void showMessage(const QString &text) override;
    QString openFileName(const QString &title, const QString &filter) override;
    QString saveFileName(const QString &title, const QString &filter) override;
    QString pickFolder(const QString &prompt) override;
    std::optional<QString> inputText(const QString &prompt, const QString &defaultText) override;
    int askLanguage() override;
    int askGame() override;
    bool startDetached(const QString &program, const QStringList &arguments,
                       const QString &workingFolder, QString *errorString) override;
    void endProgram() override;

    // The entries of `asked` that start with `kind`.
    QStringList askedOf(const QString &kind) const;
};
