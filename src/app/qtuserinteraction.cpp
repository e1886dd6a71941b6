#include "app/qtuserinteraction.h"

#include "lang/dialogs/thegame.h"
#include "lang/dialogs/thelang.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
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

QString QtUserInteraction::openFileName(const QString &title, const QString &filter)
{
    return QFileDialog::getOpenFileName(m_owner, title, QString(), filter);
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
