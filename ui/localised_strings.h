// The interface texts in the three languages. Screens draw these entries directly (or format
// them into a buffer first); none keeps its own copy, so a language change shows in the next frame.
#pragma once

#include <array>

constexpr int kTextSize = 150;        // bytes per text buffer, so a text holds at most 149
constexpr int kLanguageCount = 3;     // 0 English, 1 French, 2 German
constexpr int kLanguageNameSlots = 6; // the names list also covers three unused values
constexpr char kAccentedE = '\x8E';   // the single-byte "e acute" of the glyph set

using TextBuffer = std::array<char, kTextSize>;

// Filled by applyLanguage at start-up, at each window (re)creation and on every language
// change; empty until the first call. A language outside 0..2 leaves it as it was.
struct LocalisedStrings {
  TextBuffer strPlay{};
  TextBuffer strTraining{};
  TextBuffer strHighScores{};
  TextBuffer strOptions{};
  TextBuffer strQuit{};
  TextBuffer strStrokePlayed{};
  TextBuffer strHole{};
  TextBuffer strBack{};
  TextBuffer strDisplayResolution{};
  TextBuffer strDisplayType{};
  TextBuffer strDetails{};
  TextBuffer strMusicVolume{};
  TextBuffer strSoundVolume{};
  TextBuffer strFullScreen{};
  TextBuffer strWindowed{};
  TextBuffer strSave{};
  TextBuffer strContinueButton{};
  TextBuffer strReset{};
  TextBuffer strNormalGraphics{};
  TextBuffer strLowGraphics{};
  TextBuffer strReflectGraphics{};
  TextBuffer strChangeCharacter{};
  TextBuffer strNumberOfPlayers{};
  TextBuffer strStrikeForce{};
  TextBuffer strLoading{};
  TextBuffer strSelectCourse{};
  TextBuffer strStartGame{};
  TextBuffer strStrokesPlayed{};
  TextBuffer strClickToContinue{};
  TextBuffer strFinishedCourse{};
  TextBuffer strPar{};
  TextBuffer strQuitCourse{};
  TextBuffer strNextCourse{};
  TextBuffer strContinue{};
  TextBuffer strCongratulations{};
  TextBuffer strHallOfFame{};
  TextBuffer strOnThisCourse{};
  TextBuffer strCameraKeys{};
  TextBuffer strSelectLanguage{};
  TextBuffer strPerson{};  // the player kinds of the set-up screen
  TextBuffer strRookie{};
  TextBuffer strClub{};
  TextBuffer strAce{};
};
extern LocalisedStrings localisedStrings;

// "english", "francais", "deutsch", then "--" three times; set by applyLanguage, the same
// whatever the language. Lives for the whole run.
extern std::array<TextBuffer, kLanguageNameSlots> languageNames;

// One row of the translation table: which entry, and its text in each language.
struct LocalisedText {
  TextBuffer LocalisedStrings::*entry;
  std::array<const char*, kLanguageCount> text;
};
constexpr int kLocalisedTextCount = 43;
extern const std::array<LocalisedText, kLocalisedTextCount> localisedTextTable;

// Copies the texts of the current `language` into localisedStrings and sets languageNames.
void applyLanguage();

// The name the options screen shows for the current `language`: its entry of languageNames,
// or "--" for any value outside the six-entry list (a hand-edited configuration).
const char* currentLanguageName();
