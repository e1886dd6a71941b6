#pragma once

#include "lang/dialogs/choicedialog.h"

// Asks the interface language on the first run. Answer(): 0 English, 1 Spanish (also when
// neither is checked).
class TheLang : public ChoiceDialog {
    Q_OBJECT

public:
    TheLang();

    elradio *elradio1;   // "English", checked at first
    elradio *elradio2;   // "Español"
};
