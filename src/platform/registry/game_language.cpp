// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registry/game_language.h"

#include <array>
#include <charconv>
#include <string>

#include "platform/game_languages.h"
#include "platform/registry/key_text_search.h"

namespace quill::platform::registry {

namespace {

// Letters folded to lower case, spaces dropped.
std::string Folded(std::string_view text) {
  std::string folded;
  for (const char c : text) {
    if (c != ' ') folded.push_back(static_cast<char>(FoldByte(static_cast<unsigned char>(c))));
  }
  return folded;
}

// The value as a number, when it is one; a DWORD is read as the number it holds.
std::optional<int> NumberIn(std::string_view text) {
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return number;
}

std::optional<int> LanguageIn(RegistryApi& api, RootKey root, const char* keyPath, KeyView view) {
  KeyHandle key = kNoKey;
  // A key that will not open stays null, and the queries on it then fail on their own.
  api.OpenKey(root, keyPath, view, key);
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  std::optional<int> slot;
  if (api.QueryValue(key, kGameLanguageValue, &type, nullptr, &size) == kSuccess) {
    if (type == kTypeDword && size == 4) {
      unsigned char bytes[4] = {};
      if (api.QueryValue(key, kGameLanguageValue, &type, bytes, &size) == kSuccess) {
        slot = GameLanguageSlot(std::to_string(bytes[0] | bytes[1] << 8 | bytes[2] << 16 |
                                               static_cast<unsigned>(bytes[3]) << 24));
      }
    } else {
      slot = GameLanguageSlot(QueryValueText(api, key, kGameLanguageValue));
    }
  }
  api.CloseKey(key);
  return slot;
}

}  // namespace

std::optional<int> GameLanguageSlot(std::string_view value) {
  const std::string folded = Folded(value);
  if (const std::optional<int> number = NumberIn(folded)) {
    if (IsLanguageSlot(*number)) return number;
    return std::nullopt;
  }
  for (int slot = kFirstLanguageSlot; slot <= kLastLanguageSlot; ++slot) {
    if (Folded(LanguageOfSlot(slot).name) == folded) return slot;
  }
  return std::nullopt;
}

std::string_view GameLanguageName(int slot) {
  return IsLanguageSlot(slot) ? LanguageOfSlot(slot).name : std::string_view();
}

std::optional<int> ReadGameLanguage(RegistryApi& api) {
  if (auto slot = LanguageIn(api, RootKey::kCurrentUser, kReReleaseKeyPath, KeyView::kNative))
    return slot;
  if (auto slot = LanguageIn(api, RootKey::kLocalMachine, kGameKeyPath, KeyView::k32Bit))
    return slot;
  return LanguageIn(api, RootKey::kLocalMachine, kGameKeyPath, KeyView::kNative);
}

}  // namespace quill::platform::registry
