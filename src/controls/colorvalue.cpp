#include "controls/colorvalue.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// System colour n as 0x00BBGGRR.
quint32 systemColor(int index)
{
#ifdef Q_OS_WIN
    return quint32(GetSysColor(index));
#else
    // The classic Windows standard scheme; numbers it does not list paint black.
    switch (index) {
    case 2: return 0x800000u;    // active caption: 0,0,128
    case 5: return 0xFFFFFFu;    // window background
    case 9: return 0xFFFFFFu;    // caption text
    case 13: return 0x800000u;   // highlight: 0,0,128
    case 14: return 0xFFFFFFu;   // highlighted text
    case 15: return 0xC0C0C0u;   // button face
    case 16: return 0x808080u;   // button shadow
    case 17: return 0x808080u;   // grey text
    case 20: return 0xFFFFFFu;   // 3-D highlight
    case 22: return 0xC0C0C0u;   // 3-D light
    case 24: return 0xE1FFFFu;   // tooltip background: 255,255,225
    default: return 0x000000u;   // window text (8), button text, 3-D dark shadow, tooltip text
    }
#endif
}

} // namespace

ColorValue ColorValue::fromColor(const QColor &color)
{
    return fromRgb(color.red(), color.green(), color.blue());
}

QColor ColorValue::toColor() const
{
    const quint32 bgr = isSystemColor() ? systemColor(systemIndex()) : m_value;
    return QColor(int(bgr & 0xFF), int(bgr >> 8 & 0xFF), int(bgr >> 16 & 0xFF));
}
