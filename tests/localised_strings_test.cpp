// The interface texts: an unknown language keeps what the screens show.
#include <gtest/gtest.h>

#include <string>

#include "core/app_state.h"
#include "ui/localised_strings.h"

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
