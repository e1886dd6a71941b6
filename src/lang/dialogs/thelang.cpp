#include "lang/dialogs/thelang.h"

TheLang::TheLang()
    : ChoiceDialog(QStringLiteral("Lang"), QStringLiteral("Choose Languaje / Seleccione Idioma"),
                   QSize(293, 132),
                   {{QStringLiteral("English"), QRect(22, 46, 181, 19)},
                    {QStringLiteral("Espa\u00f1ol"), QRect(22, 69, 181, 19)}},
                   QRect(209, 101, 75, 24))
{
}
