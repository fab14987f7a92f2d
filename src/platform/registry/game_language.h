// SPDX-License-Identifier: GPL-3.0-or-later
// The language the game runs in, as its own settings in the registry name it: the slot of the
// character files' name tables whose names the player's game shows.
#pragma once

#include <optional>
#include <string_view>

#include "platform/registry/registry.h"

namespace quill::platform::registry {

inline constexpr const char* kGameLanguageValue = "SIMS_LANGUAGE";
// Where the 2025 re-release keeps its settings; its language changer writes there.
inline constexpr const char* kReReleaseKeyPath = "Software\\Electronic Arts\\The Sims 25";

// The slot (1 to 20) a SIMS_LANGUAGE value names: a language's name ("USEnglish", "German",
// "SimplifiedChinese"; case and spaces ignored) or the slot's number. Nothing for any other text.
std::optional<int> GameLanguageSlot(std::string_view value);

// The language of a slot as a player reads it ("US English", "Simplified Chinese"); empty outside
// 1 to 20.
std::string_view GameLanguageName(int slot);

// The game's language from the registry `api` answers for: the re-release's key under
// HKEY_CURRENT_USER, else the classic game's key under HKEY_LOCAL_MACHINE, in the 32-bit view the
// game's installer writes to, then in the native one. Nothing when none of them names a language.
std::optional<int> ReadGameLanguage(RegistryApi& api);

}  // namespace quill::platform::registry
