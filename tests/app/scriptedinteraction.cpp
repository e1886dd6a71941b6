#include "scriptedinteraction.h"

namespace {
template<typename T>
T next(QList<T> &answers, T whenEmpty)
{
    return answers.isEmpty() ? whenEmpty : answers.takeFirst();
}
} // namespace

void ScriptedInteraction::showMessage(const QString &text)
{
    messages.append(text);
}

QString ScriptedInteraction::openFileName(const QString &title, const QString &filter)
{
    asked.append(QStringLiteral("open %1 | %2").arg(title, filter));
    return next(openAnswers, QString());
}

QString ScriptedInteraction::saveFileName(const QString &title, const QString &filter)
{
    asked.append(QStringLiteral("save %1 | %2").arg(title, filter));
    return next(saveAnswers, QString());
}

QString ScriptedInteraction::pickFolder(const QString &prompt)
{
    asked.append(QStringLiteral("folder %1").arg(prompt));
    return next(folderAnswers, QString());
}

std::optional<QString> ScriptedInteraction::inputText(const QString &prompt,
                                                      const QString &defaultText)
{
    asked.append(QStringLiteral("input %1 | %2").arg(prompt, defaultText));
    return next(inputAnswers, std::optional<QString>());
}

int ScriptedInteraction::askLanguage()
{
    asked.append(QStringLiteral("language"));
    return next(languageAnswers, 0);
}

int ScriptedInteraction::askGame()
{
    asked.append(QStringLiteral("game"));
    return next(gameAnswers, 0);
}

bool ScriptedInteraction::startDetached(const QString &program, const QStringList &arguments,
                                        const QString &workingFolder, QString *errorString)
{
    starts.append({program, arguments, workingFolder});
    if (!startError.isEmpty() && errorString)
        *errorString = startError;
    return startError.isEmpty();
}

void ScriptedInteraction::endProgram()
{
    ended = true;
}

QStringList ScriptedInteraction::askedOf(const QString &kind) const
{
    QStringList found;
    for (const QString &entry : asked) {
        if (entry.startsWith(kind))
            found.append(entry);
    }
    return found;
}
