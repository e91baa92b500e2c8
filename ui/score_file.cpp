#include "ui/score_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "core/file_replace.h"
#include "course/course_catalogue.h"
#include "play/computer_player.h"

ScoreBoard LoadedScores;
ScoreBoard HighScoreTable;
int roundMerged = 0;
std::array<int, kMaxPlayers> newEntryRows{-1, -1, -1, -1};
int newEntryCount = 0;
float scoreWave = 0.0f;

namespace {

constexpr int kLineLength = 255;
constexpr int kMinDefaultStrokes = 2;
constexpr double kDegrees = 0.017453292;
constexpr std::array<const char*, kShownScores> kDefaultNames{
    "john", "albert", "sammy", "rick", "manolito", "bruce", "carry"};

// The scan widths below must match the buffers they fill.
static_assert(kScoreNameLength == 255, "the name scan width is 254");
constexpr const char* kNamePattern = "@Name %254s";
constexpr const char* kScoresPattern =
    "@Scores %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d";

void copyName(std::array<char, kScoreNameLength>& to, const char* from) {
  std::snprintf(to.data(), to.size(), "%s", from);
}

int currentPar(int hole) {
  if (!isCatalogueWorld(catalogue.currentWorld)) return 0;
  return catalogue.holePars[catalogue.currentWorld][hole];
}

void fillDefaultScores() {
  for (int k = 1; k <= kShownScores; ++k) {
    ScoreSlot& slot = LoadedScores[k];
    copyName(slot.name, kDefaultNames[k - 1]);
    for (int h = 1; h <= kHolesPerCourse; ++h) slot.strokes[h] = defaultStrokes(k, h, currentPar(h));
  }
}

// Reads one line into the current slot; true when it completed the slot.
bool readScoreLine(const char* line, ScoreSlot& slot) {
  std::array<char, kScoreNameLength> word{};
  if (std::sscanf(line, kNamePattern, word.data()) == 1) copyName(slot.name, word.data());
  std::array<int, kHolesPerCourse> v{};
  const int read = std::sscanf(line, kScoresPattern, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5],
                               &v[6], &v[7], &v[8], &v[9], &v[10], &v[11], &v[12], &v[13],
                               &v[14], &v[15], &v[16], &v[17]);
  if (read != kHolesPerCourse) return false;
  for (int h = 1; h <= kHolesPerCourse; ++h) slot.strokes[h] = v[h - 1];
  return true;
}

void readScoreFile(std::FILE* file) {
  std::array<char, kLineLength> line{};
  int current = 1;
  while (std::fgets(line.data(), static_cast<int>(line.size()), file) != nullptr) {
    if (current > kLastLoadedSlot) break;  // the table has room for eleven entries
    if (readScoreLine(line.data(), LoadedScores[current])) ++current;
  }
}

int playerTotal(int player) {
  ScoreSlot slot;
  slot.strokes = scores.strokes[player];
  return roundTotal(slot);
}

void rankStoredEntries(int total, int& next) {
  for (int k = 1; k <= kShownScores; ++k) {
    if (roundTotal(LoadedScores[k]) != total) continue;
    HighScoreTable[next] = LoadedScores[k];
    ++next;
  }
}

void rankPlayers(int total, int& next) {
  for (int p = 0; p < kMaxPlayers; ++p) {
    // The table is a record of people: a computer's round is not entered.
    if (playerTotal(p) != total || isComputerPlayer(p)) continue;
    ScoreSlot& slot = HighScoreTable[next];
    copyName(slot.name, players.name[p].data());
    slot.strokes = scores.strokes[p];
    newEntryRows[newEntryCount++] = next - 1;
    if (next == 1) screenState = RecordCongrats;
    ++next;
  }
}

void writeScoreTable(std::FILE* file) {
  std::fprintf(file, "game scores file vorpelG \n \n");
  for (int k = 1; k <= kShownScores; ++k) {
    const ScoreSlot& slot = HighScoreTable[k];
    std::fprintf(file, "@Name\t%s\n@Scores", slot.name.data());
    for (int h = 1; h <= kHolesPerCourse; ++h) std::fprintf(file, "\t%d", slot.strokes[h]);
    std::fprintf(file, "\n");
  }
}

// The game is over once its scores are in the table.
void clearGameScores() {
  for (int p = 0; p <= kMaxPlayers; ++p) {
    scores.strokes[p].fill(0);
    players.strokes[p] = 0;
    players.savedCameraMode[p] = 1;
  }
}

}  // namespace

int roundTotal(const ScoreSlot& slot) {
  // A damaged file can give a hole any int: the sum must not wrap round into a winning total.
  long long total = 0;
  for (int h = 1; h <= kHolesPerCourse; ++h) {
    total += slot.strokes[h] == 0 ? kUnplayedHoleValue : slot.strokes[h];
  }
  return static_cast<int>(std::clamp<long long>(total, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

void scoreFilePath(std::array<char, kPathLength>& out, int world) {
  out[0] = '\0';
  if (!isCatalogueWorld(world) || dataFolder[0] == '\0') return;  // no world, or saving is off
  std::array<char, kCatalogueTextLength> name{};
  copyName(name, catalogue.worldNames[world].data());
  for (char& c : name) {
    if (c == ' ') c = '-';
  }
  // Only the world's name has its blanks replaced: the folder is used as it stands.
  const int length =
      std::snprintf(out.data(), out.size(), "%stov_%s.scores", dataFolder.data(), name.data());
  if (length < 0 || length >= static_cast<int>(out.size())) out[0] = '\0';  // no cut-off name
}

int defaultStrokes(int slot, int hole, int par) {
  const double k = slot;
  const double angle = 32.0 * k * k + hole * hole + 6.0 * hole * k + 12.0;
  const int strokes = static_cast<int>(par + 0.4 * k + k * std::cos(angle * kDegrees));
  return strokes < kMinDefaultStrokes ? kMinDefaultStrokes : strokes;
}

void loadScoreFile() {
  // Both tables start from this world's defaults, so that entries a short or damaged file
  // lacks can never be another world's, read or ranked before.
  LoadedScores = ScoreBoard{};
  HighScoreTable = ScoreBoard{};
  fillDefaultScores();
  std::array<char, kPathLength> path{};
  scoreFilePath(path, catalogue.currentWorld);
  std::FILE* file = path[0] != '\0' ? std::fopen(path.data(), "r") : nullptr;
  if (file == nullptr) return;
  readScoreFile(file);
  std::fclose(file);
}

void mergeRound() {
  newEntryRows.fill(-1);
  newEntryCount = 0;
  scoreWave = kFreshScoreWave;
  int next = 1;
  for (int total = 1; total < kDroppedTotal; ++total) {
    rankStoredEntries(total, next);
    rankPlayers(total, next);
  }
  saveScoreFile();
  roundMerged = 1;
}

void saveScoreFile() {
  std::array<char, kPathLength> path{};
  scoreFilePath(path, catalogue.currentWorld);
  // Only a complete file replaces the old one.
  if (path[0] != '\0' && replaceFile(path.data(), writeScoreTable) != FileReplace::Replaced) {
    std::printf("cannot write score file %s\n", path.data());
  }
  clearGameScores();
}
