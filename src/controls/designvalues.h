#pragma once

#include "controls/propertystore.h"

// The design values every Quiltra window stores for the controls it holds: Tahoma 9.75 pt.
// Callers add the control's own values (title, caption, colours) on top.
inline PropertyStore TahomaDesign()
{
    PropertyStore store;
    store.setText(QStringLiteral("fontname"), QStringLiteral("Tahoma"));
    store.setFontSize(QStringLiteral("fontsize"), 9.75);
    return store;
}

// The darker edge colour the windows store for their panels (40, 46, 34).
constexpr quint32 StoredDarkEdge = 0x222E28;
