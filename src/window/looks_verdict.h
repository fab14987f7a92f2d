// SPDX-License-Identifier: GPL-3.0-or-later
// What the Sim card says of whether a Sim would look right in the game: the skins check's
// answer, or why there is none.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "content/skins_check.h"
#include "inspect/body_strings.h"
#include "render/dress_sim.h"

namespace quill {

struct LooksVerdict {
  std::optional<content::LooksCheck> check;
  // Why the looks were not checked (no game folder found); empty when they were, or when the
  // Sim stores no looks.
  std::string unchecked;
  // Dresses the Sim in one outfit (the body string of its body) from the game's skins as they
  // are now, for the card's 3D view; unset when the looks were not checked.
  std::function<render::DressedSim(int outfit)> dress;
};

// Checks a Sim's looks against the game of the Sims of `simsFolder`.
using LooksChecker =
    std::function<LooksVerdict(const BodyLooks& looks, const std::filesystem::path& simsFolder)>;

}  // namespace quill
