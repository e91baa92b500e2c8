// Each world's table of its seven best complete scorecards: reading the world's score file
// (or making the default table), ranking the last game's four player slots into it, and
// writing the best seven back. No drawing here, so all of it runs headless.
#pragma once

#include <array>

#include "core/app_state.h"
#include "play/play_state.h"

constexpr int kScoreSlots = 12;         // slot 0 unused; a file gives at most slots 1..11
constexpr int kLastLoadedSlot = 11;     // a file with more entries keeps the first eleven
constexpr int kShownScores = 7;         // slots 1..7 are ranked, shown and saved
constexpr int kScoreNameLength = 255;
constexpr int kUnplayedHoleValue = 30;  // what a hole left at 0 counts in a total
constexpr int kDroppedTotal = 1500;     // entries totalling this or more leave the table
constexpr float kFreshScoreWave = 20.0f;  // pixels the numbers of a fresh merge start displaced

// One scorecard: a name and the strokes of holes 1..18 (index 0 unused, 0 = not played).
struct ScoreSlot {
  std::array<char, kScoreNameLength> name{};
  std::array<int, kHolesPerCourse + 1> strokes{};
};
using ScoreBoard = std::array<ScoreSlot, kScoreSlots>;

// Both live for the whole run. LoadedScores is refilled from the current world's file by
// every loadScoreFile; HighScoreTable receives the ranking of every mergeRound.
extern ScoreBoard LoadedScores;
extern ScoreBoard HighScoreTable;

// Live for the whole run. roundMerged is re-armed (0) by the title menu's high-score item,
// the world arrows of the high-score screen and the way back from play; a merge sets it to 1.
extern int roundMerged;
extern std::array<int, kMaxPlayers> newEntryRows;  // table rows (0-based) the players took; -1 none
extern int newEntryCount;
extern float scoreWave;  // set by a merge, decays by 20 per second to 0

// The sum of the 18 holes of a slot, a hole at 0 counting kUnplayedHoleValue.
int roundTotal(const ScoreSlot& slot);

// The score file of a world: "<dataFolder>tov_<world name>.scores" with the blanks of the
// world name written as '-'. Empty when the index is no world of the catalogue or when
// dataFolder is empty (no folder for the player's files: nothing is read or written).
void scoreFilePath(std::array<char, kPathLength>& out, int world);

// The default strokes of table slot k (1..7) on hole h for a hole of this par: weaker from
// slot 1 to slot 7 on average, never below 2.
int defaultStrokes(int slot, int hole, int par);

// Fills LoadedScores for catalogue.currentWorld from its file, or with the default table when
// the file cannot be opened. Lines that match nothing are skipped; a scores line with fewer
// than 18 numbers does not complete a slot; names are cut to their buffer.
void loadScoreFile();

// Ranks LoadedScores slots 1..7 and the game's four player slots into HighScoreTable by total
// (stored entries first on ties, players in slot order), marks the players' rows, asks for the
// new-record screen when a player takes first place, then saves and sets roundMerged.
void mergeRound();

// Writes HighScoreTable slots 1..7 to the current world's file through a temporary file that
// is renamed over it, so a failed write never leaves half a table (one line is printed and
// the old file stays), and then clears the game's scores.
void saveScoreFile();
