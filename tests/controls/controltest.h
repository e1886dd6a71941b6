#pragma once

#include "controls/elboton.h"
#include "controls/elcombo.h"
#include "controls/elframe.h"
#include "controls/ellabel.h"
#include "controls/elpanel.h"
#include "controls/elradio.h"

#include <QApplication>
#include <QtTest>

#include <memory>
#include <tuple>

// Declares a data table's columns: columns<QString, int>("kind", "index").
template <typename... T>
void columns(auto... names)
{
    (QTest::addColumn<T>(names), ...);
}

// The running row's values, as QFETCH reads each: const auto [kind, index] = fetch<QString, int>("kind", "index").
template <typename... T>
std::tuple<T...> fetch(auto... names)
{
    return {*static_cast<T *>(QTest::qData(names, qMetaTypeId<T>()))...};
}

// A new control of the kind named by its class name.
inline std::unique_ptr<SkinnedControl> makeControl(const QString &kind)
{
    if (kind == "elboton") return std::make_unique<elboton>();
    if (kind == "elpanel") return std::make_unique<elpanel>();
    if (kind == "elframe") return std::make_unique<elframe>();
    if (kind == "ellabel") return std::make_unique<ellabel>();
    if (kind == "elradio") return std::make_unique<elradio>();
    return std::make_unique<elcombo>();
}

// The colour at (x, y) of what the control shows, as 0xRRGGBB.
inline QRgb shownAt(QWidget *control, int x, int y)
{
    return control->grab().toImage().pixel(x, y) & 0xFFFFFF;
}

// Focuses control as Tab does; offscreen a shown window becomes active only later, so it is made so here.
inline void focusFromKeyboard(QWidget *control)
{
    QApplication::setActiveWindow(control->window());
    if (QWidget *focused = QApplication::focusWidget())
        focused->clearFocus();
    control->setFocus(Qt::TabFocusReason);
}
