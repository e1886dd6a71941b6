#pragma once

#include <QCoreApplication>
#include <QString>

// Texts meant for the user are written in English where they arise, as Quiltra::tr("..."), and
// looked up under this one context in the translator the program installs for the chosen
// language; lupdate finds them there. A text with placeholders is translated as a whole before
// its arguments are filled in.
struct Quiltra
{
    Q_DECLARE_TR_FUNCTIONS(Quiltra)
};
