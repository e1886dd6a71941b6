#pragma once

#include "lang/dialogs/choicedialog.h"

// Asks the interface language on the first run: "English" (checked at first) or "Español".
// Answer(): 0 English, 1 Spanish (also when neither is checked).
class TheLang : public ChoiceDialog {
    Q_OBJECT

public:
    TheLang();
};
