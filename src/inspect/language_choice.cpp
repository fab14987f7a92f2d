// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/language_choice.h"

#include "platform/registry/game_language.h"

namespace quill {

void LanguageChoice::takeGameLanguage(std::optional<int> slot) {
  if (settled() || !slot) return;
  slot_ = *slot;
  source_ = LanguageSource::kGameSettings;
}

void LanguageChoice::takeEvidence(const std::vector<SlotNames>& tables) {
  if (settled()) return;
  if (const std::optional<int> slot = MostNamedSlot(tables, slot_)) {
    slot_ = *slot;
    source_ = LanguageSource::kFiles;
  }
}

std::string LanguageChoice::description() const {
  // A slot the game lacks shows US English, as every character file holds it.
  std::string language(platform::registry::GameLanguageName(slot_));
  if (language.empty()) language = platform::registry::GameLanguageName(1);
  switch (source_) {
    case LanguageSource::kOption:
      return "names in " + language + ", as --language asks";
    case LanguageSource::kGameSettings:
      return "names as the game shows them: " + language + ", from the game's settings";
    case LanguageSource::kFiles:
      return "names as the game shows them: " + language + ", judged by the names in the files";
    case LanguageSource::kDesktop:
      break;
  }
  return "names in " + language + ", the desktop's language: no file here names a Sim";
}

}  // namespace quill
