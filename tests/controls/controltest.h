#pragma once

#include "controls/colorvalue.h"

#include <QApplication>
#include <QWidget>

// The colour at (x, y) of what the control shows, as 0xRRGGBB.
inline QRgb shownAt(QWidget *control, int x, int y)
{
    return control->grab().toImage().pixel(x, y) & 0xFFFFFF;
}

// A fixed ColorValue (0x00BBGGRR) as 0xRRGGBB, written out independently of ColorValue.
inline QRgb rgbOf(quint32 bgr)
{
    return (bgr & 0xFF) << 16 | (bgr & 0xFF00) | (bgr >> 16 & 0xFF);
}

// Gives control the keyboard focus as the Tab key does. Its window is made the active one
// directly: offscreen, the platform activates a shown window only later, when events run.
// Activating focuses the first control for the window's sake, so that focus is taken back first.
inline void focusFromKeyboard(QWidget *control)
{
    QApplication::setActiveWindow(control->window());
    if (QWidget *focused = QApplication::focusWidget())
        focused->clearFocus();
    control->setFocus(Qt::TabFocusReason);
}
