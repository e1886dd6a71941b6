#include "colorvalue.h"

ColorValue ColorValue::fromColor(const QColor &color)
{
    return fromRgb(color.red(), color.green(), color.blue());
}

QPalette::ColorRole ColorValue::systemRole(int index)
{
    // Numbers of the classic Windows colour scheme, mapped to the nearest role.
    switch (index) {
    case 0: return QPalette::Button;            // scroll bar
    case 1: return QPalette::Window;            // desktop
    case 2: return QPalette::Highlight;         // active caption
    case 3: return QPalette::Mid;               // inactive caption
    case 4: return QPalette::Window;            // menu
    case 5: return QPalette::Base;              // window background
    case 6: return QPalette::Shadow;            // window frame
    case 7: return QPalette::WindowText;        // menu text
    case 8: return QPalette::WindowText;        // window text
    case 9: return QPalette::HighlightedText;   // caption text
    case 10: return QPalette::Window;           // active border
    case 11: return QPalette::Window;           // inactive border
    case 12: return QPalette::Dark;             // application workspace
    case 13: return QPalette::Highlight;
    case 14: return QPalette::HighlightedText;
    case 15: return QPalette::Button;           // button face
    case 16: return QPalette::Dark;             // button shadow
    case 17: return QPalette::PlaceholderText;  // grey text
    case 18: return QPalette::ButtonText;
    case 19: return QPalette::PlaceholderText;  // inactive caption text
    case 20: return QPalette::Light;            // button highlight
    case 21: return QPalette::Shadow;           // 3-D dark shadow
    case 22: return QPalette::Midlight;         // 3-D light
    case 23: return QPalette::ToolTipText;
    case 24: return QPalette::ToolTipBase;
    case 26: return QPalette::Link;             // hot-tracked item
    case 27: return QPalette::Highlight;        // gradient of the active caption
    case 28: return QPalette::Mid;              // gradient of the inactive caption
    case 29: return QPalette::Highlight;        // menu highlight
    case 30: return QPalette::Window;           // menu bar
    default: return QPalette::WindowText;
    }
}

QColor ColorValue::toColor(const QPalette &palette) const
{
    if (isSystemColor())
        return palette.color(QPalette::Active, systemRole(systemIndex()));
    return QColor(int(m_value & 0xFF), int(m_value >> 8 & 0xFF), int(m_value >> 16 & 0xFF));
}
