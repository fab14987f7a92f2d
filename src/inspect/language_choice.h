// SPDX-License-Identifier: GPL-3.0-or-later
// The one choice, made once per run, of the language slot every name is shown in: the lists, the
// caption, the cards, the family window, the neighbourhoods' family names, --list and picture
// file names all take it from here.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "inspect/language_evidence.h"

namespace quill {

enum class LanguageSource {
  kDesktop,       // nothing better known yet: the desktop's language
  kOption,        // --language
  kGameSettings,  // the game's own setting in the registry
  kFiles,         // the names in the files
};

class LanguageChoice {
 public:
  // `slot` is --language's when `given`, else the desktop's (0 for a language the game lacks,
  // which shows US English); the desktop's only stands until the game or the files settle it.
  LanguageChoice(int slot, bool given)
      : slot_(slot), source_(given ? LanguageSource::kOption : LanguageSource::kDesktop) {}

  // Takes the game's language, read where the characters folder was found, unless settled.
  void takeGameLanguage(std::optional<int> slot);
  // Takes the slot the tables' names point to (MostNamedSlot, the desktop's slot breaking ties),
  // unless settled; tables without a name leave the choice open.
  void takeEvidence(const std::vector<SlotNames>& tables);

  bool settled() const { return source_ != LanguageSource::kDesktop; }
  int slot() const { return slot_; }
  LanguageSource source() const { return source_; }

  // Where the names' language came from, for the player: "names as the game shows them: US
  // English, from the game's settings".
  std::string description() const;

 private:
  int slot_;
  LanguageSource source_;
};

}  // namespace quill
