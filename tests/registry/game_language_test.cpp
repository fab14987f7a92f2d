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
  // Slots 1 to 20 in order.
  const char* const kNames[] = {
      "USEnglish", "UKEnglish",  "French",   "German",    "Italian",           "Spanish",
      "Dutch",     "Danish",     "Swedish",  "Norwegian", "Finnish",           "Hebrew",
      "Russian",   "Portuguese", "Japanese", "Polish",    "SimplifiedChinese", "TraditionalChinese",
      "Thai",      "Korean"};
  for (int slot = 1; slot <= 20; ++slot) EXPECT_EQ(GameLanguageSlot(kNames[slot - 1]), slot);
  const std::pair<const char*, std::optional<int>> kOthers[] = {{"us english", 1},
                                                                {" Traditional  CHINESE ", 18},
                                                                {"1", 1},
                                                                {"20", 20},
                                                                {"0", std::nullopt},
                                                                {"21", std::nullopt},
                                                                {"-4", std::nullopt},
                                                                {"4th", std::nullopt},
                                                                {"English", std::nullopt},
                                                                {"", std::nullopt}};
  for (const auto& [value, slot] : kOthers) EXPECT_EQ(GameLanguageSlot(value), slot) << value;
  EXPECT_EQ(GameLanguageName(17), "Simplified Chinese");
  EXPECT_EQ(GameLanguageName(0), "");
  EXPECT_EQ(GameLanguageName(21), "");
}

}  // namespace
}  // namespace quill::platform::registry
