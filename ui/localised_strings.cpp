#include "ui/localised_strings.h"

#include <cstring>

#include "core/app_state.h"

LocalisedStrings localisedStrings;
std::array<TextBuffer, kLanguageNameSlots> languageNames{};

// The texts as the glyph set can draw them: lower case, umlauts written out, apostrophes as a
// blank, "\x8E" for the accented e (each literal is closed right after it so that a following
// letter a..f is never read as part of the escape). A leading '(' draws the button background.
const std::array<LocalisedText, kLocalisedTextCount> localisedTextTable{{
    {&LocalisedStrings::strPlay, {"play", "jouer", "spielstart"}},
    {&LocalisedStrings::strTraining, {"training", "entrainement", "training"}},
    {&LocalisedStrings::strHighScores, {"score", "scores", "high scores"}},
    {&LocalisedStrings::strOptions, {"options", "options", "optionen"}},
    {&LocalisedStrings::strQuit, {"quit", "quitter", "beenden"}},
    {&LocalisedStrings::strStrokePlayed, {"stroke played", "coup jou\x8E", "schlag"}},
    {&LocalisedStrings::strHole, {"(hole", "(parcours", "(loch"}},
    {&LocalisedStrings::strBack, {"(back", "(retour", "(zurueck"}},
    {&LocalisedStrings::strDisplayResolution,
     {"display resolution", "r\x8E" "solution d affichage", "bildaufloesung"}},
    {&LocalisedStrings::strDisplayType, {"display type", "type d affichage", "anzeigemodus"}},
    {&LocalisedStrings::strDetails, {"details", "details", "details"}},
    {&LocalisedStrings::strMusicVolume,
     {"music volume", "volume de la musique", "musiklautstaerke"}},
    {&LocalisedStrings::strSoundVolume,
     {"sound volume", "volume des bruitages", "geraeuschlautstaerke"}},
    {&LocalisedStrings::strFullScreen, {"full screen game", "jeu plein \x8E" "cran", "vollbild"}},
    {&LocalisedStrings::strWindowed, {"windowed game", "jeu dans une fenetre", "fenstermodus"}},
    {&LocalisedStrings::strSave, {"(save", "(sauvegarder", "(sichern"}},
    {&LocalisedStrings::strContinueButton, {"(continue", "(continuer", "(fortfahren"}},
    {&LocalisedStrings::strReset, {"(reset", "(reset", "(reset"}},
    {&LocalisedStrings::strNormalGraphics,
     {"normal graphics", "graphismes normaux", "normale qualitaet"}},
    {&LocalisedStrings::strLowGraphics,
     {"low graphics", "graphismes d\x8E" "pouill\x8E" "s", "niedrige qualitaet"}},
    {&LocalisedStrings::strReflectGraphics,
     {"graphics with reflects", "graphismes avec reflets", "hohe qualitaet"}},
    {&LocalisedStrings::strChangeCharacter,
     {"change your character", "modifiez votre golfeur", "spieler waehlen"}},
    {&LocalisedStrings::strNumberOfPlayers,
     {"number of players", "nombre de joueur", "spieleranzahl"}},
    {&LocalisedStrings::strStrikeForce, {"strike force", "force de tir", "schlagstaerke"}},
    {&LocalisedStrings::strLoading, {"loading", "chargement en cours", "laden..."}},
    {&LocalisedStrings::strSelectCourse,
     {"select golf course", "selectionnez vos parcours", "welt waehlen"}},
    {&LocalisedStrings::strStartGame,
     {"(start the game", "(commencer la partie", "(spiel starten"}},
    {&LocalisedStrings::strStrokesPlayed, {"strokes played", "coups jou\x8E" "s", "schlaganzahl"}},
    {&LocalisedStrings::strClickToContinue,
     {"click to continue", "cliquez pour continuer", "zum fortfahren klicken"}},
    {&LocalisedStrings::strFinishedCourse,
     {"finished the course", "a fini la partie", "hat eingelocht"}},
    {&LocalisedStrings::strPar, {"(par", "(par", "(par"}},
    {&LocalisedStrings::strQuitCourse,
     {"quit the course", "arreter la partie", "spiel abbrechen"}},
    {&LocalisedStrings::strNextCourse, {"next course", "parcours suivant", "naechstes loch"}},
    {&LocalisedStrings::strContinue, {"continue", "continuer", "fortfahren"}},
    {&LocalisedStrings::strCongratulations,
     {"congratulations!", "f\x8E" "licitations", "glueckwunsch!"}},
    {&LocalisedStrings::strHallOfFame,
     {"hall of fame inductee", "vous etes le meilleurs", "du hast einen"}},
    {&LocalisedStrings::strOnThisCourse,
     {"on this course", "sur ce parcours", "high score erreicht"}},
    {&LocalisedStrings::strCameraKeys,
     {"K move the camera with the arrow keys", "K deplacez la camera avec les fleches",
      "K kamera mit den pfeiltasten bewegen"}},
    {&LocalisedStrings::strSelectLanguage, {"select language", "langue", "sprache waehlen"}},
    {&LocalisedStrings::strPerson, {"person", "joueur", "mensch"}},
    {&LocalisedStrings::strRookie, {"computer rookie", "ordi d\x8E" "butant", "ki anfaenger"}},
    {&LocalisedStrings::strClub, {"computer club", "ordi amateur", "ki verein"}},
    {&LocalisedStrings::strAce, {"computer ace", "ordi expert", "ki profi"}},
}};

static constexpr std::array<const char*, kLanguageNameSlots> kLanguageNameTexts{
    "english", "francais", "deutsch", "--", "--", "--"};
static constexpr const char* kUnknownLanguageName = "--";

// Bounded copy that always terminates; a text too long for its buffer is cut, never overrun.
static void copyText(TextBuffer& into, const char* text) {
  std::size_t length = strnlen(text, kTextSize - 1);
  std::memcpy(into.data(), text, length);
  into[length] = '\0';
}

void applyLanguage() {
  for (int i = 0; i < kLanguageNameSlots; ++i) copyText(languageNames[i], kLanguageNameTexts[i]);
  if (language < 0 || language >= kLanguageCount) return;  // keep whatever the entries hold
  for (const LocalisedText& row : localisedTextTable)
    copyText(localisedStrings.*row.entry, row.text[language]);
}

const char* currentLanguageName() {
  if (language < 0 || language >= kLanguageNameSlots) return kUnknownLanguageName;
  return languageNames[language].data();
}
