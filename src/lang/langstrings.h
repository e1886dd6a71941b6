#pragma once

#include <QString>

#include <array>

constexpr int LangEntryCount = 31;

// The entries the same for every game, by name; the game table names the per-game ones.
namespace LangEntry {
constexpr int UnableToLocateExe = 2;   // the message when no executable is chosen
constexpr int ResolutionCaption = 5;
constexpr int LoadPictureCaption = 7;
constexpr int LocateExeTitle = 8;      // the title of the executable's file dialog
}

// The localised texts of the program, addressed by entry number. The game table
// names the per-game entries; entries 16, 19 and 25..29 have no role and stay empty.
class LangStrings {
public:
    // Fills the 24 English texts (captions applied by the window).
    void ApplyEnglish();
    // Fills the 24 Spanish texts (captions applied by the window).
    void ApplySpanish();
    // The text of `index`; empty before a language is applied, for entries without a role
    // and outside 0..30.
    QString Entry(int index) const;

private:
    void apply(const char16_t *const (&table)[LangEntryCount]);

    std::array<QString, LangEntryCount> m_entries;
};
