#include "app/qtuserinteraction.h"

#include "io/tr.h"
#include "lang/dialogs/thegame.h"
#include "lang/dialogs/thelang.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>
#include <QWindow>

namespace {

const QString ApplicationTitle = QStringLiteral("Quiltra 3.0");

// Keeps the owner window disabled for the lifetime of a start-up question, so clicks on it
// do nothing until the question is answered.
class OwnerDisabled {
public:
    explicit OwnerDisabled(QWidget *owner) : m_owner(owner)
    {
        if (m_owner)
            m_owner->setEnabled(false);
    }
    ~OwnerDisabled()
    {
        if (m_owner)
            m_owner->setEnabled(true);
    }
    OwnerDisabled(const OwnerDisabled &) = delete;
    OwnerDisabled &operator=(const OwnerDisabled &) = delete;

private:
    QPointer<QWidget> m_owner;
};

// Runs a start-up dialog until its Ok button answers. The dialog has no parent: a child
// window of the disabled owner would be disabled with it.
template<typename Dialog>
int ask(QWidget *owner)
{
    OwnerDisabled disabled(owner);
    Dialog dialog;
    // Still kept above the owner by the window manager, as a dialog of it.
    dialog.winId();
    if (owner && owner->windowHandle() && dialog.windowHandle())
        dialog.windowHandle()->setTransientParent(owner->windowHandle());
    dialog.exec();
    return dialog.Answer();
}

} // namespace

void QtUserInteraction::setOwner(QWidget *owner)
{
    m_owner = owner;
}

void QtUserInteraction::showMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle, text, QMessageBox::Ok, m_owner);
    box.exec();
}

bool QtUserInteraction::askYesNo(const QString &question)
{
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle, question, QMessageBox::Yes | QMessageBox::No, m_owner);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

int QtUserInteraction::chooseFromMenu(const QPoint &globalPos, const QList<MenuEntry> &entries)
{
    // The controls' look: the olive body, the light edge, white text on the dark edge colour
    // where the pointer or the keys are, greyed where an entry cannot be chosen.
    QMenu menu(m_owner);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(9.75);
    menu.setFont(font);
    menu.setStyleSheet(QStringLiteral(
        "QMenu { background: rgb(76, 88, 68); color: white; border: 1px solid rgb(136, 145, 128); padding: 2px; }"
        "QMenu::item { padding: 4px 20px 4px 12px; }"
        "QMenu::item:selected { background: rgb(40, 46, 34); }"
        "QMenu::item:disabled { color: rgb(136, 145, 128); }"));
    QList<QAction *> actions;
    for (const MenuEntry &entry : entries) {
        QAction *action = menu.addAction(entry.text);
        action->setEnabled(entry.enabled);
        action->setCheckable(entry.checkable);
        action->setChecked(entry.checked);
        actions.append(action);
    }
    return int(actions.indexOf(menu.exec(globalPos)));
}

bool QtUserInteraction::openFolder(const QString &folder, QString *errorString)
{
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        return true;
    *errorString = Quiltra::tr("no file manager answered");
    return false;
}

QString QtUserInteraction::openFileName(const QString &title, const QString &filter, const QString &selected)
{
    // The filter that shows the chosen file, so it is not hidden by the first one.
    QString shown;
    const QString name = QFileInfo(selected).fileName();
    for (const QString &one : filter.split(QStringLiteral(";;"))) {
        if (!name.isEmpty() && one.contains(name))
            shown = one;
    }
    return QFileDialog::getOpenFileName(m_owner, title, selected, filter, shown.isEmpty() ? nullptr : &shown);
}

QString QtUserInteraction::saveFileName(const QString &title, const QString &filter)
{
    return QFileDialog::getSaveFileName(m_owner, title, QString(), filter);
}

QString QtUserInteraction::pickFolder(const QString &prompt)
{
    // A window title has one line; the hint starts with a blank, so joining reads naturally.
    QString caption = prompt;
    caption.remove(QLatin1Char('\n'));
    return QFileDialog::getExistingDirectory(m_owner, caption);
}

std::optional<QString> QtUserInteraction::inputText(const QString &prompt,
                                                    const QString &defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_owner, ApplicationTitle, prompt,
                                               QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

int QtUserInteraction::askLanguage()
{
    return ask<TheLang>(m_owner);
}

int QtUserInteraction::askGame()
{
    return ask<TheGame>(m_owner);
}

bool QtUserInteraction::startDetached(const QString &program, const QStringList &arguments,
                                      const QString &workingFolder, QString *errorString)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingFolder);
    if (process.startDetached())
        return true;
    if (errorString)
        *errorString = process.errorString();
    return false;
}

void QtUserInteraction::endProgram()
{
    if (m_ending)
        return;
    m_ending = true;
    QCoreApplication::exit(0);
    // exit() does nothing before the event loop runs; the queued call ends it once it does.
    QMetaObject::invokeMethod(qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    QApplication::closeAllWindows();
}
