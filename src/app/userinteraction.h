#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <optional>

// One entry of a menu.
struct MenuEntry {
    QString text;
    bool enabled = true;
    bool checkable = false;   // shows a check mark while `checked`
    bool checked = false;
};

// Everything the program asks of the user or of the platform goes through this interface:
// dialogs, message boxes, the start-up questions, process starts and the end of the program.
// The window receives one in its constructor; the program passes the Qt implementation and
// tests pass a scripted one that answers from a list and records what was asked.
class UserInteraction {
public:
    virtual ~UserInteraction() = default;

    // Shows `text` with only an OK button, no icon and the title "Quiltra 3.0".
    virtual void showMessage(const QString &text) = 0;

    // Asks `question` with Yes and No; true for Yes.
    virtual bool askYesNo(const QString &question) = 0;

    // Shows a menu of `entries` at `globalPos` in the controls' look and waits: the index of the
    // entry chosen, or -1 when it was closed without a choice.
    virtual int chooseFromMenu(const QPoint &globalPos, const QList<MenuEntry> &entries) = 0;

    // Opens `folder` in the platform's file manager; false and a reason when it cannot.
    virtual bool openFolder(const QString &folder, QString *errorString) = 0;

    // The file the user chose to open, or an empty text when cancelled.
    // `selected`, when given, is the file the dialog opens on, already chosen.
    virtual QString openFileName(const QString &title, const QString &filter, const QString &selected = {}) = 0;

    // The file name the user chose to save under, or an empty text when cancelled.
    virtual QString saveFileName(const QString &title, const QString &filter) = 0;

    // The folder the user picked under `prompt` (two lines), or an empty text when cancelled.
    virtual QString pickFolder(const QString &prompt) = 0;

    // The confirmed text of an input box offering `defaultText`, or nothing when cancelled.
    virtual std::optional<QString> inputText(const QString &prompt, const QString &defaultText) = 0;

    // The interface language the user chose: 0 English, 1 Spanish. Waits until answered.
    virtual int askLanguage() = 0;

    // The game the user chose, 0..3 (the game table's order). Waits until answered.
    virtual int askGame() = 0;

    // Starts `program` without waiting for it; false and a reason in errorString when it
    // could not be started.
    virtual bool startDetached(const QString &program, const QStringList &arguments,
                               const QString &workingFolder, QString *errorString) = 0;

    // Ends the program: every window closes and the event loop stops. Callers return at once.
    virtual void endProgram() = 0;
};
