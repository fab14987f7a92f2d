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

namespace quill {

struct LooksVerdict {
  std::optional<content::LooksCheck> check;
  // Why the looks were not checked (no game folder found); empty when they were, or when the
  // Sim stores no looks.
  std::string unchecked;
};

// Checks a Sim's looks against the game of the Sims of `simsFolder`.
using LooksChecker =
    std::function<LooksVerdict(const BodyLooks& looks, const std::filesystem::path& simsFolder)>;

}  // namespace quill
