#pragma once

#include <QApplication>
#include <QKeySequence>
#include <QTest>
#include <QWidget>

// Types a key script at whatever has the focus, as a user would: "Tab Tab Down Space",
// "Shift+Tab", "Alt+Down", "F4". Each word is one key press, QKeySequence's names.
inline void PressKeys(const QString &script, QWidget *fallback = nullptr)
{
    for (const QString &word : script.split(' ', Qt::SkipEmptyParts)) {
        const QKeyCombination key = QKeySequence(word)[0];
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : fallback;
        QTest::keyClick(target, key.key(), key.keyboardModifiers());
    }
}

// Focuses control as Tab does; offscreen a shown window becomes active only later, so it is made so here.
inline void focusFromKeyboard(QWidget *control)
{
    QApplication::setActiveWindow(control->window());
    if (QWidget *focused = QApplication::focusWidget())
        focused->clearFocus();
    control->setFocus(Qt::TabFocusReason);
}
