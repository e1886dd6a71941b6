#pragma once

#include "common/testfiles.h"
#include "controls/elboton.h"
#include "controls/elcombo.h"
#include "controls/elframe.h"
#include "controls/ellabel.h"
#include "controls/elpanel.h"
#include "controls/elradio.h"

#include <QApplication>
#include <QtTest>

#include <memory>

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
