// SPDX-License-Identifier: GPL-3.0-or-later
// The shared reading logic, against a registry whose answers the tests choose, and the game's
// language as its SIMS_LANGUAGE value names it.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <utility>

#include "platform/registry/game_language.h"
#include "platform/registry/registry.h"

namespace quill::platform::registry {
namespace {

using namespace std::string_view_literals;

struct Answer {
  std::uint32_t type;  // 0: the value is gone
  std::string_view data;
};

// One value, whose size call gets the answer `sized` and whose read gets `read`, and the text it
// must give. A read fills the whole buffer it is given, so that a short buffer shows up under the
// sanitizers.
struct ChangingValue final : RegistryApi {
  ChangingValue(const char* n, Answer s, Answer r, const char* t)
      : name(n), sized(s), read(r), text(t) {}
  std::int32_t OpenKey(RootKey, const std::string&, KeyView, KeyHandle&) override { return 0; }
  std::int32_t CloseKey(KeyHandle) override { return kSuccess; }
  std::int32_t QueryValue(KeyHandle, const std::string&, std::uint32_t* type, unsigned char* data,
                          std::uint32_t* size) override {
    const Answer& answer = data == nullptr ? sized : read;
    if (answer.type == 0) return kFileNotFound;
    *type = answer.type;
    if (data != nullptr) {
      if (*size < answer.data.size()) return kMoreData;
      std::memset(data, 0x5A, *size);
      std::memcpy(data, answer.data.data(), answer.data.size());
    }
    *size = static_cast<std::uint32_t>(answer.data.size());
    return kSuccess;
  }

  const char* name;
  Answer sized;
  Answer read;
  const char* text;
};

// The value forms themselves are covered through both backends (registry_test_data.h); these are
// the answers only a registry that changes between the two calls, or overfills its buffer, can
// give.
TEST(QueryValueText, TrustsOnlyTheFirstAnswer) {
  ChangingValue values[] = {
      {"embedded zero", {kTypeString, "abc\0def"sv}, {kTypeString, "abc\0def"sv}, "abc"},
      {"type changes", {kTypeString, "abc\0"sv}, {kTypeDword, "abc\0"sv}, "abc"},
      {"grows", {kTypeString, "abc"sv}, {kTypeString, "abcdef"sv}, ""},
      {"vanishes", {kTypeString, "abc"sv}, {}, ""},
      {"long binary", {kTypeBinary, "90abc"sv}, {kTypeBinary, "90abc"sv}, "12345"},  // 0x3039
      {"binary vanishes", {kTypeBinary, "90"sv}, {}, ""},
  };
  for (ChangingValue& value : values) {
    EXPECT_EQ(QueryValueText(value, 42, "v"), value.text) << value.name;
  }
}

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
  const std::pair<const char*, std::optional<int>> kOthers[] = {
      {"us english", 1}, {" Traditional  CHINESE ", 18},
      {"1", 1},          {"20", 20},
      {"0", {}},         {"21", {}},
      {"-4", {}},        {"4th", {}},
      {"English", {}},   {"", {}}};
  for (const auto& [value, slot] : kOthers) EXPECT_EQ(GameLanguageSlot(value), slot) << value;
  EXPECT_EQ(GameLanguageName(17), "Simplified Chinese");
  EXPECT_EQ(GameLanguageName(0), "");
  EXPECT_EQ(GameLanguageName(21), "");
}

}  // namespace
}  // namespace quill::platform::registry
