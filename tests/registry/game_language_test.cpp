// The game's language as its SIMS_LANGUAGE value names it.
#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "platform/registry/game_language.h"

namespace quill::platform::registry {
namespace {

// Catches a slot off by one in the table, a name compared with its case or its spaces, and a
// number outside 1 to 20 (or a word that only starts with a number) taken for a slot.
TEST(GameLanguage, ValuesNameTheirSlots) {
  const std::pair<const char*, std::optional<int>> kCases[] = {
      {"USEnglish", 1},
      {"UKEnglish", 2},
      {"French", 3},
      {"German", 4},
      {"Italian", 5},
      {"Spanish", 6},
      {"Dutch", 7},
      {"Danish", 8},
      {"Swedish", 9},
      {"Norwegian", 10},
      {"Finnish", 11},
      {"Hebrew", 12},
      {"Russian", 13},
      {"Portuguese", 14},
      {"Japanese", 15},
      {"Polish", 16},
      {"SimplifiedChinese", 17},
      {"TraditionalChinese", 18},
      {"Thai", 19},
      {"Korean", 20},
      {"us english", 1},
      {" Traditional  CHINESE ", 18},
      {"1", 1},
      {"20", 20},
      {"0", std::nullopt},
      {"21", std::nullopt},
      {"-4", std::nullopt},
      {"4th", std::nullopt},
      {"English", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& [value, slot] : kCases) EXPECT_EQ(GameLanguageSlot(value), slot) << value;
  EXPECT_EQ(GameLanguageName(17), "Simplified Chinese");
  EXPECT_EQ(GameLanguageName(0), "");
  EXPECT_EQ(GameLanguageName(21), "");
}

}  // namespace
}  // namespace quill::platform::registry
