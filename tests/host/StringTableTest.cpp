#include <gtest/gtest.h>

#include "host/Language.h"
#include "host/StringTable.h"

namespace quorvel {
namespace {

TEST(StringTable, TextsInBothLanguages) {
  EXPECT_EQ(LoadString(10055, kJapanese), "実験データ");
  EXPECT_EQ(LoadString(10055, kEnglish), "Experiment data");
  EXPECT_EQ(LoadString(10104, kJapanese), "残差が許容値を超えています。\nDreviaに戻ってもいいですか？");
  EXPECT_EQ(LoadString(10104, kEnglish), "Not convergence !\nCan I go back to Drevia?");
  EXPECT_EQ(LoadString(10052, kEnglish), "Apparent \nfriction angle");  // the space before the break stays
  EXPECT_EQ(LoadString(99999, kJapanese), "");
  EXPECT_FALSE(HasString(99999));

  SetCurrentLanguage(kEnglish);
  EXPECT_EQ(LoadString(10123), "Caution");
  SetCurrentLanguage(kJapanese);
  EXPECT_EQ(LoadString(10123), "確認");
}

TEST(StringTable, EveryIdHasBothTexts) {
  int count = 0;
  for (int id = 10000; id < 11000; ++id) {
    if (!HasString(id)) continue;
    ++count;
    EXPECT_FALSE(LoadString(id, kJapanese).empty()) << id;
    EXPECT_FALSE(LoadString(id, kEnglish).empty()) << id;
  }
  EXPECT_GE(count, 55);
}

}  // namespace
}  // namespace quorvel
