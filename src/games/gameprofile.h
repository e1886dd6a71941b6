#pragma once

#include <QString>

// The four games Quiltra serves. Everything that differs between them lives in
// one row of a constant table; callers look it up by game index and never
// spell a per-game constant themselves.

constexpr int GameCount = 4;   // 0 Cs 1.6, 1 Condition Zero, 2 Day of Defeat, 3 Half-Life DM

struct GameProfile {
    const char *DialogLabel;      // caption of the game's choice in the game dialog
    const char *FolderDefault;    // background folder relative to the game root, '\'-separated
    const char *AlternateFolder;  // a second usual location, or nullptr
    const char *BrowsePrompt;     // first line of the folder picker's prompt
    const char *BrowseHint;       // second line of that prompt
    const char *LaunchArgument;   // offered in the extra-parameters box; nullptr: no box
    const char *DefaultPicture;   // file beside the program loaded at start-up
    // Entry numbers in LangStrings.
    int RunCaption, MakeCaption, SuccessMessage, BackgroundFolderMessage, ResourceFolderMessage;
    int SteamAppId;               // what Steam starts the game by
};

// The row of `gameIndex`; -1 and every other value outside 0..3 give Half-Life DeathMatch,
// so a caption or launch chosen before the game is known still has a sensible row.
const GameProfile &ProfileOf(int gameIndex);

// The game's default background folder, relative, written with the native separator.
QString DefaultFolder(int gameIndex);

// The game's alternate background folder in the same form, empty when it has none.
QString AlternateFolder(int gameIndex);
