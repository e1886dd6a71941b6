#pragma once

#include "userinteraction.h"

#include <QList>
#include <QStringList>

// Answers every question from prepared lists and records what was asked. An empty list
// answers like a cancelled dialog; the start-up questions then answer English and Cs.
class ScriptedInteraction : public UserInteraction {
public:
    struct Start { QString program; QStringList arguments; QString workingFolder; };

    QStringList openAnswers, saveAnswers, folderAnswers;
    QList<std::optional<QString>> inputAnswers;
    QList<int> gameAnswers;
    int languageAnswer = 0;
    QString startError;   // non-empty: process starts fail with this reason

    QStringList asked;    // "open <title> | <filter>", "save ...", "folder <prompt>", "input ...",
                          // "language", "game"
    QStringList messages;
    QList<Start> starts;
    bool ended = false;

    void showMessage(const QString &text) override { messages.append(text); }
    QString openFileName(const QString &title, const QString &filter) override
    {
        return next(openAnswers, QStringLiteral("open %1 | %2").arg(title, filter), QString());
    }
    QString saveFileName(const QString &title, const QString &filter) override
    {
        return next(saveAnswers, QStringLiteral("save %1 | %2").arg(title, filter), QString());
    }
    QString pickFolder(const QString &prompt) override
    {
        return next(folderAnswers, QStringLiteral("folder ") + prompt, QString());
    }
    std::optional<QString> inputText(const QString &prompt, const QString &defaultText) override
    {
        return next(inputAnswers, QStringLiteral("input %1 | %2").arg(prompt, defaultText),
                    std::optional<QString>());
    }
    int askLanguage() override
    {
        asked.append(QStringLiteral("language"));
        return languageAnswer;
    }
    int askGame() override { return next(gameAnswers, QStringLiteral("game"), 0); }
    bool startDetached(const QString &program, const QStringList &arguments,
                       const QString &workingFolder, QString *errorString) override
    {
        starts.append({program, arguments, workingFolder});
        *errorString = startError;
        return startError.isEmpty();
    }
    void endProgram() override { ended = true; }

    // The entries of `asked` that start with `kind`.
    QStringList askedOf(const QString &kind) const
    {
        QStringList found;
        for (const QString &entry : asked)
            if (entry.startsWith(kind))
                found.append(entry);
        return found;
    }

private:
    template<typename T>
    T next(QList<T> &answers, const QString &question, T whenEmpty)
    {
        asked.append(question);
        return answers.isEmpty() ? whenEmpty : answers.takeFirst();
    }
};
