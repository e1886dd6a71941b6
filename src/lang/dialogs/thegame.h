#pragma once

#include "lang/dialogs/choicedialog.h"

// Asks the game to work on at every start. The choices, by game index: Counter Strike 1.6
// (checked at first), Counter Strike Condition Zero, Day Of Defeat, Half-Life DeathMatch.
// Answer(): the game index 0..3, Half-Life DeathMatch (3) also when no game is checked.
class TheGame : public ChoiceDialog {
    Q_OBJECT

public:
    TheGame();
};
