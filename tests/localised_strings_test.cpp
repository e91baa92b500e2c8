// The interface texts: every entry filled in every language, within its buffer, drawable by the
// glyph set, and switching languages really replaces what the screens show.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "core/app_state.h"
#include "ui/localised_strings.h"
#include "ui/text_drawing.h"

namespace {

class LocalisedStringsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedLanguage = language;
    localisedStrings = LocalisedStrings{};
    languageNames = {};
  }
  void TearDown() override {
    language = savedLanguage;
    applyLanguage();
  }
  int savedLanguage = 0;
};

std::string shown(const TextBuffer LocalisedStrings::*entry) {
  return std::string((localisedStrings.*entry).data());
}

TEST_F(LocalisedStringsTest, EveryEntryIsFilledOnceAndFitsItsBufferInEveryLanguage) {
  std::set<const void*> entries;
  for (const LocalisedText& row : localisedTextTable) {
    // Each row fills a distinct entry: a duplicated row would leave another entry empty.
    const TextBuffer& buffer = localisedStrings.*row.entry;
    EXPECT_TRUE(entries.insert(&buffer).second);
    for (int lang = 0; lang < kLanguageCount; ++lang) {
      ASSERT_NE(row.text[lang], nullptr);
      EXPECT_GT(std::strlen(row.text[lang]), 0u);
      EXPECT_LE(std::strlen(row.text[lang]), static_cast<std::size_t>(kTextSize - 1))
          << row.text[lang];
    }
  }
  // The rows cover every buffer of the record, none left out.
  EXPECT_EQ(entries.size() * sizeof(TextBuffer), sizeof(LocalisedStrings));
}

TEST_F(LocalisedStringsTest, TextsUseOnlyCharactersTheGlyphSetDraws) {
  for (const LocalisedText& row : localisedTextTable) {
    for (int lang = 0; lang < kLanguageCount; ++lang) {
      for (const char* c = row.text[lang]; *c != '\0'; ++c) {
        int glyph = glyphFor(static_cast<unsigned char>(*c), TextSize::Normal);
        EXPECT_NE(glyph, kGlyphNothing)
            << "byte " << static_cast<int>(static_cast<unsigned char>(*c)) << " in "
            << row.text[lang];
      }
    }
  }
}

TEST_F(LocalisedStringsTest, AccentedEIsTheSingleByteNeverUtf8) {
  int accentedTexts = 0;
  for (const LocalisedText& row : localisedTextTable) {
    for (int lang = 0; lang < kLanguageCount; ++lang) {
      const char* text = row.text[lang];
      bool hasAccent = std::strchr(text, kAccentedE) != nullptr;
      for (const char* c = text; *c != '\0'; ++c) {
        unsigned char byte = static_cast<unsigned char>(*c);
        EXPECT_TRUE(byte < 0x80 || byte == 0x8E) << text;
      }
      if (hasAccent) {
        EXPECT_EQ(lang, 1) << "only the French texts carry an accent: " << text;
        ++accentedTexts;
      }
    }
  }
  // "joué", "résolution", "écran", "dépouillés", "joués", "félicitations".
  EXPECT_EQ(accentedTexts, 6);
  language = 1;
  applyLanguage();
  const char* screen = localisedStrings.strFullScreen.data();
  const char* accent = std::strchr(screen, kAccentedE);
  ASSERT_NE(accent, nullptr);
  EXPECT_EQ(std::string(accent + 1), "cran");  // the escape did not swallow the 'c'
}

TEST_F(LocalisedStringsTest, SwitchingLanguageReplacesEveryDifferingText) {
  for (int from = 0; from < kLanguageCount; ++from) {
    int to = (from + 1) % kLanguageCount;
    language = from;
    applyLanguage();
    std::string fromName = currentLanguageName();
    language = to;
    applyLanguage();
    EXPECT_NE(fromName, currentLanguageName());
    for (const LocalisedText& row : localisedTextTable) {
      EXPECT_EQ(shown(row.entry), row.text[to]);
    }
  }
  language = 0;
  applyLanguage();
  EXPECT_STREQ(currentLanguageName(), "english");
  EXPECT_STREQ(localisedStrings.strPlay.data(), "play");
  language = 2;
  applyLanguage();
  EXPECT_STREQ(currentLanguageName(), "deutsch");
  EXPECT_STREQ(localisedStrings.strPlay.data(), "spielstart");
}

TEST_F(LocalisedStringsTest, UnknownLanguageKeepsTextsAndShowsDashes) {
  language = 4;  // a hand-edited configuration at start-up
  applyLanguage();
  EXPECT_STREQ(currentLanguageName(), "--");
  for (const LocalisedText& row : localisedTextTable) EXPECT_EQ(shown(row.entry), "");

  language = 1;
  applyLanguage();
  std::string french = localisedStrings.strQuit.data();
  for (int value : {3, 5, 6, 99, -1, -1000}) {
    language = value;
    applyLanguage();
    EXPECT_STREQ(currentLanguageName(), "--") << value;
    EXPECT_EQ(std::string(localisedStrings.strQuit.data()), french) << value;
  }
}

}  // namespace
