// SPDX-License-Identifier: GPL-3.0-or-later
// The folder the benchmarks read: game-like characters of the sizes the game's own files show.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "character_builder.h"

namespace quill::bench {

// The name the game gives character file `number`: "User00000.iff", "User00001.iff", ...
std::string CharacterFileName(std::size_t number);

// Writes `files` characters as User00000.iff ... into `folder`, 50-370 KB each, the same on every
// run, and returns their bytes in all. Each wears what `looksOf` gives for its number, else the
// default LooksSpec.
using LooksOfFile = std::function<std::optional<testdata::LooksSpec>(std::size_t file)>;
std::uintmax_t WriteLookalikeFolder(const std::filesystem::path& folder, std::size_t files,
                                    const LooksOfFile& looksOf = {});

}  // namespace quill::bench
