#include "lang/dialogs/thegame.h"

#include "games/gameprofile.h"

namespace {

ChoiceDialog::Choice GameChoice(int gameIndex, QRect geometry)
{
    return {QString::fromLatin1(ProfileOf(gameIndex).DialogLabel), geometry};
}

} // namespace

TheGame::TheGame()
    : ChoiceDialog(QStringLiteral("GameType"), QStringLiteral("Choose Game"), QSize(293, 165),
                   {GameChoice(0, QRect(22, 46, 156, 19)), GameChoice(1, QRect(22, 69, 204, 19)),
                    GameChoice(2, QRect(22, 93, 204, 19)), GameChoice(3, QRect(22, 116, 156, 19))},
                   QRect(209, 132, 75, 24))
{
}
