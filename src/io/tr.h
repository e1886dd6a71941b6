#pragma once

#include <QCoreApplication>
#include <QString>

// Texts meant for the user are written in English where they arise and looked up, under
// one context, in the translator the program installs for the chosen language. A text
// with placeholders is translated as a whole before its arguments are filled in.
inline QString Tr(const char *english)
{
    return QCoreApplication::translate("Quiltra", english);
}
