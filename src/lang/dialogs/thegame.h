#pragma once

#include "lang/dialogs/choicedialog.h"

// Asks the game to work on at every start. Answer(): the game index 0..3, Half-Life
// DeathMatch (3) also when no game is checked.
class TheGame : public ChoiceDialog {
    Q_OBJECT

public:
    TheGame();

    elradio *elradio1;   // Counter Strike 1.6, checked at first
    elradio *elradio2;   // Counter Strike Condition Zero
    elradio *elradio3;   // Day Of Defeat
    elradio *elradio4;   // Half-Life DeathMatch
};
