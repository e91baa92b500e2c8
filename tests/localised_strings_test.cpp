// The interface texts: every entry filled in every language, within its buffer, drawable by the
// glyph set; an unknown language keeps what the screens show.
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

TEST_F(LocalisedStringsTest, EveryTextIsFilledFitsAndIsDrawable) {
  std::set<const void*> entries;
  for (const LocalisedText& row : localisedTextTable) {
    // Each row fills a distinct entry: a duplicated row would leave another entry empty.
    EXPECT_TRUE(entries.insert(&(localisedStrings.*row.entry)).second);
    for (int lang = 0; lang < kLanguageCount; ++lang) {
      const char* text = row.text[lang];
      ASSERT_NE(text, nullptr);
      EXPECT_GT(std::strlen(text), 0u);
      EXPECT_LE(std::strlen(text), static_cast<std::size_t>(kTextSize - 1)) << text;
      for (const char* c = text; *c != '\0'; ++c) {
        unsigned char byte = static_cast<unsigned char>(*c);
        EXPECT_TRUE(byte < 0x80 || byte == 0x8E) << "not the single-byte set: " << text;
        EXPECT_NE(glyphFor(byte, TextSize::Normal), kGlyphNothing) << "undrawable: " << text;
      }
      if (std::strchr(text, kAccentedE) != nullptr) EXPECT_EQ(lang, 1) << "only French has accents: " << text;
    }
  }
  EXPECT_EQ(entries.size() * sizeof(TextBuffer), sizeof(LocalisedStrings));  // none left out
  language = 1;
  applyLanguage();
  const char* accent = std::strchr(localisedStrings.strFullScreen.data(), kAccentedE);
  ASSERT_NE(accent, nullptr);
  EXPECT_STREQ(accent + 1, "cran");  // the escape did not swallow the 'c'
}

TEST_F(LocalisedStringsTest, UnknownLanguageKeepsTextsAndShowsDashes) {
  language = 4;  // a hand-edited configuration at start-up
  applyLanguage();
  EXPECT_STREQ(currentLanguageName(), "--");
  for (const LocalisedText& row : localisedTextTable)
    EXPECT_STREQ((localisedStrings.*row.entry).data(), "");

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
