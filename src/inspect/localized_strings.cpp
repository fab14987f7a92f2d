// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/localized_strings.h"

#include <array>
#include <limits>

#include "inspect/string_table_layout.h"
#include "platform/code_page.h"
#include "platform/game_languages.h"

namespace quill {

namespace {

constexpr int kUsEnglish = 1;
constexpr std::size_t kAllBytes = std::numeric_limits<std::size_t>::max();
constexpr std::size_t kBytesPerCharacter = 3;

// Which slots hold strings, and which of them a name (a string 0 that is not empty).
struct SlotNames {
  std::array<bool, platform::kLastLanguageSlot + 1> present{};
  std::array<bool, platform::kLastLanguageSlot + 1> named{};
};

SlotNames NamesBySlot(const CompleteTable& table) {
  SlotNames slots;
  for (const TableString& string : table.strings) {
    const int slot = string.language;
    if (!platform::IsLanguageSlot(slot) || slots.present[slot]) continue;
    slots.present[slot] = true;
    slots.named[slot] = !string.value.empty();
  }
  return slots;
}

// The player's slot, else US English, else the first slot with a name; among them a slot with a
// name wins over one without, so a table with an empty name in one language still names its Sim.
int ChosenSlot(const SlotNames& slots, int playerSlot) {
  std::array<int, platform::kLastLanguageSlot + 2> order{};
  std::size_t count = 0;
  if (platform::IsLanguageSlot(playerSlot)) order[count++] = playerSlot;
  order[count++] = kUsEnglish;
  for (int slot = platform::kFirstLanguageSlot; slot <= platform::kLastLanguageSlot; ++slot)
    order[count++] = slot;
  for (std::size_t i = 0; i < count; ++i) {
    if (slots.named[order[i]]) return order[i];
  }
  for (std::size_t i = 0; i < count; ++i) {
    if (slots.present[order[i]]) return order[i];
  }
  return 0;
}

}  // namespace

unsigned CodePageOfSlot(int slot) {
  return platform::IsLanguageSlot(slot) ? platform::LanguageOfSlot(slot).codePage : 1252;
}

std::optional<LocalizedStrings> ReadLocalizedStrings(std::string_view body, int playerSlot) {
  return ReadLocalizedStrings(body, playerSlot, kAllBytes, kAllBytes);
}

std::optional<LocalizedStrings> ReadLocalizedStrings(std::string_view body, int playerSlot,
                                                     std::size_t count, std::size_t characters) {
  // A character of the game's code pages takes two bytes at most, or three when a Hebrew letter
  // joins the two marks after it; an undefined byte becomes one character. So this many bytes
  // hold more than `characters` characters.
  const std::size_t bytes = characters < kAllBytes / kBytesPerCharacter - 1
                                ? kBytesPerCharacter * (characters + 1)
                                : kAllBytes;
  const std::optional<CompleteTable> table = ReadCompleteTable(body);
  if (!table) return std::nullopt;
  const int slot = ChosenSlot(NamesBySlot(*table), playerSlot);
  if (slot == 0) return std::nullopt;
  LocalizedStrings chosen;
  chosen.slot = slot;
  const unsigned codePage = CodePageOfSlot(slot);
  for (const TableString& string : table->strings) {
    if (string.language != slot) continue;
    if (chosen.texts.size() == count) break;
    chosen.texts.push_back(platform::CodePageToUtf8(string.value.substr(0, bytes), codePage));
  }
  return chosen;
}

}  // namespace quill
