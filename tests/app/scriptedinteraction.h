#pragma once

#include "app/userinteraction.h"

#include <QList>
#include <QStringList>

// Answers every question from prepared lists and logs what was asked or started. An empty list
// answers like a cancelled dialog; the start-up questions then answer English and Cs.
class ScriptedInteraction : public UserInteraction {
public:
    QStringList openAnswers, saveAnswers, folderAnswers;
    QList<std::optional<QString>> inputAnswers;
    QList<int> languageAnswers, gameAnswers, menuAnswers;
    QList<bool> yesNoAnswers;
    // Non-empty: process starts fail with this reason.
    QString startError;

    // "open <title> | <filter>[ | <file chosen at first>]", "save <title> | <filter>", "folder <prompt>",
    // "input <prompt> | <offered>", "language", "game", "ask <question>", "browse <folder>",
    // "start <program> | <arguments,by,commas> | <working folder>", "menu <entry>|[x] <checked>|(<disabled>)".
    QStringList log, messages;
    bool ended = false;

    void showMessage(const QString &text) override { messages.append(text); }
    bool askYesNo(const QString &question) override { return next(yesNoAnswers, "ask " + question); }
    int chooseFromMenu(const QPoint &, const QList<MenuEntry> &entries) override
    {
        QStringList shown;
        for (const MenuEntry &e : entries) {
            const QString text = (e.checkable ? e.checked ? "[x] " : "[ ] " : "") + e.text;
            shown << (e.enabled ? text : "(" + text + ")");
        }
        return next(menuAnswers, "menu " + shown.join('|'), -1);
    }
    bool openFolder(const QString &folder, QString *) override
    {
        log.append("browse " + folder);
        return true;
    }
    QString openFileName(const QString &title, const QString &filter, const QString &selected = {}) override
    {
        return next(openAnswers, "open " + title + " | " + filter + (selected.isEmpty() ? "" : " | " + selected));
    }
    QString saveFileName(const QString &title, const QString &filter) override
    {
        return next(saveAnswers, "save " + title + " | " + filter);
    }
    QString pickFolder(const QString &prompt) override { return next(folderAnswers, "folder " + prompt); }
    std::optional<QString> inputText(const QString &prompt, const QString &offered) override
    {
        return next(inputAnswers, "input " + prompt + " | " + offered);
    }
    int askLanguage() override { return next(languageAnswers, "language"); }
    int askGame() override { return next(gameAnswers, "game"); }
    bool startDetached(const QString &program, const QStringList &arguments, const QString &folder,
                       QString *error) override
    {
        log.append("start " + QStringList{program, arguments.join(','), folder}.join(" | "));
        *error = startError;
        return startError.isEmpty();
    }
    void endProgram() override { ended = true; }

private:
    template<typename T>
    T next(QList<T> &answers, const QString &question, T none = T())
    {
        log.append(question);
        return answers.isEmpty() ? none : answers.takeFirst();
    }
};
