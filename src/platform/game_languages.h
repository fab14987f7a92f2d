// SPDX-License-Identifier: GPL-3.0-or-later
// The twenty languages the game was sold in, numbered as the slots of a character file's name
// tables: one table for the names the game's settings use, the code pages the names are written
// in, and the locales a player's system names them by.
#pragma once

#include <array>
#include <string_view>

namespace quill::platform {

struct GameLanguage {
  std::string_view name;     // as a player reads it; the game's settings drop the spaces
  std::string_view isoCode;  // the ISO 639 code of the locales it serves
  unsigned codePage;         // the Windows code page its names are written in
};

inline constexpr int kFirstLanguageSlot = 1;
inline constexpr int kLastLanguageSlot = 20;

// Slot k is entry k - 1. UK English and Traditional Chinese share their code with slots 1 and 17:
// a locale reaches them by its territory or script, not its language.
inline constexpr std::array<GameLanguage, kLastLanguageSlot> kGameLanguages = {{
    {"US English", "en", 1252},
    {"UK English", "en", 1252},
    {"French", "fr", 1252},
    {"German", "de", 1252},
    {"Italian", "it", 1252},
    {"Spanish", "es", 1252},
    {"Dutch", "nl", 1252},
    {"Danish", "da", 1252},
    {"Swedish", "sv", 1252},
    {"Norwegian", "nb", 1252},
    {"Finnish", "fi", 1252},
    {"Hebrew", "he", 1255},
    {"Russian", "ru", 1251},
    {"Portuguese", "pt", 1252},
    {"Japanese", "ja", 932},
    {"Polish", "pl", 1250},
    {"Simplified Chinese", "zh", 936},
    {"Traditional Chinese", "zh", 950},
    {"Thai", "th", 874},
    {"Korean", "ko", 949},
}};

inline constexpr bool IsLanguageSlot(int slot) {
  return slot >= kFirstLanguageSlot && slot <= kLastLanguageSlot;
}

// Slot `slot`'s language; only for a slot IsLanguageSlot accepts.
inline constexpr const GameLanguage& LanguageOfSlot(int slot) {
  return kGameLanguages[static_cast<std::size_t>(slot - kFirstLanguageSlot)];
}

}  // namespace quill::platform
