#pragma once

#include "app/userinteraction.h"

#include <QPointer>
#include <QWidget>

// The interaction of the real program: Qt's stock dialogs, the two start-up dialogs and
// QProcess. The owner window is disabled while a start-up question is open.
class QtUserInteraction : public UserInteraction {
public:
    // The window that owns the dialogs and is disabled while a start-up question waits.
    void setOwner(QWidget *owner);

    void showMessage(const QString &text) override;
    bool askYesNo(const QString &question) override;
    int chooseFromMenu(const QPoint &globalPos, const QList<MenuEntry> &entries) override;
    bool openFolder(const QString &folder, QString *errorString) override;
    QString openFileName(const QString &title, const QString &filter, const QString &selected = {}) override;
    QString saveFileName(const QString &title, const QString &filter) override;
    QString pickFolder(const QString &prompt) override;
    std::optional<QString> inputText(const QString &prompt, const QString &defaultText) override;
    int askLanguage() override;
    int askGame() override;
    bool startDetached(const QString &program, const QStringList &arguments,
                       const QString &workingFolder, QString *errorString) override;
    void endProgram() override;

private:
    QPointer<QWidget> m_owner;
    bool m_ending = false;
};
