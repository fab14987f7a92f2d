// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/outfits.h"

#include <algorithm>

namespace quill::render {

namespace {

char Folded(char c) {
  if (c == '-' || c == '_') return ' ';
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::vector<OutfitName> OutfitsOf(const BodyLooks& looks) {
  std::vector<OutfitName> outfits;
  for (const OutfitName& outfit : kOutfitNames) {
    const bool set = outfit.string == 1
                         ? looks.body.has_value()
                         : std::any_of(looks.outfits.begin(), looks.outfits.end(),
                                       [&](const Outfit& o) { return o.index == outfit.string; });
    if (set) outfits.push_back(outfit);
  }
  return outfits;
}

std::optional<OutfitName> OutfitNamed(std::string_view name) {
  for (const OutfitName& outfit : kOutfitNames) {
    if (outfit.name.size() == name.size() &&
        std::equal(name.begin(), name.end(), outfit.name.begin(),
                   [](char a, char b) { return Folded(a) == b; })) {
      return outfit;
    }
  }
  return std::nullopt;
}

}  // namespace quill::render
