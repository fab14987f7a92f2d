// SPDX-License-Identifier: GPL-3.0-or-later
// The outfits a Sim can be drawn in, by the body string that dresses its body, with the names
// the outfit chooser and `--outfit` use.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "inspect/body_strings.h"

namespace quill::render {

struct OutfitName {
  int string = 0;  // the body string of the body it dresses
  std::string_view name;
};

// In the order the chooser offers them.
inline constexpr std::array<OutfitName, 7> kOutfitNames{{{1, "everyday"},
                                                         {30, "formal"},
                                                         {31, "swimwear"},
                                                         {32, "pyjamas"},
                                                         {33, "winter"},
                                                         {27, "costume"},
                                                         {34, "high fashion"}}};

// The outfits whose body string the Sim's body strings set, in the chooser's order.
std::vector<OutfitName> OutfitsOf(const BodyLooks& looks);

// The outfit a name names, in any case, with "-" or "_" for the space ("high-fashion").
std::optional<OutfitName> OutfitNamed(std::string_view name);

}  // namespace quill::render
