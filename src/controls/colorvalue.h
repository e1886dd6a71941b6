#pragma once

#include <QColor>
#include <QMetaType>
#include <QtGlobal>

// A 32-bit colour as the controls store it: 0x00BBGGRR (red in the low byte),
// or, with the high bit set (0x80000000 | n), system colour n of the Windows
// colour scheme, resolved only when painted so a scheme change recolours the controls.
class ColorValue
{
public:
    static constexpr quint32 SystemFlag = 0x80000000u;

    constexpr ColorValue() = default;
    // Takes the stored form as is, so design values can be written as literals.
    constexpr ColorValue(quint32 value) : m_value(value) {}

    // The stored 32-bit form.
    constexpr quint32 value() const { return m_value; }
    // True when the value names a system colour instead of a fixed one.
    constexpr bool isSystemColor() const { return (m_value & SystemFlag) != 0; }
    // The system colour number n of 0x80000000 | n (meaningless for fixed colours).
    constexpr int systemIndex() const { return int(m_value & 0xFFFFu); }

    // The fixed colour 0x00BBGGRR of r, g, b.
    static constexpr ColorValue fromRgb(int r, int g, int b)
    {
        return ColorValue(quint32(r & 0xFF) | quint32(g & 0xFF) << 8 | quint32(b & 0xFF) << 16);
    }
    // The fixed colour of an opaque QColor.
    static ColorValue fromColor(const QColor &color);

    // The colour to paint with. System colours come from the Windows scheme where
    // there is one, elsewhere from the classic standard scheme (window text black),
    // never from the desktop theme, which may turn dark edges light.
    QColor toColor() const;

    friend constexpr bool operator==(ColorValue a, ColorValue b) { return a.m_value == b.m_value; }
    friend constexpr bool operator!=(ColorValue a, ColorValue b) { return a.m_value != b.m_value; }

private:
    quint32 m_value = 0;
};

Q_DECLARE_METATYPE(ColorValue)
