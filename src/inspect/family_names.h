// SPDX-License-Identifier: GPL-3.0-or-later
// The families' names of a neighbourhood file, read without the rest of it: what the menu of a
// game's neighbourhoods shows for each.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

// The most of one neighbourhood file read for its families' names: a real one is well under a
// megabyte, and a menu of many must not read many large files whole.
inline constexpr std::size_t kFamilyNamesReadLimit = 8 * 1024 * 1024;
// A "FAMs" body longer than this holds no family name a menu could show; it is passed over.
inline constexpr std::size_t kLongestFamilyNameChunk = 64 * 1024;

// The names of the families in a neighbourhood file's bytes (in the order of their "FAMs"
// chunks, each in the player's language), at most `most`. The walk is the decoders' one, so it
// ends at a chunk shorter than its own header; a "FAMs" chunk cut off by the bytes' end gives no
// name, as its name may be cut too.
std::vector<std::string> FamilyNamesIn(std::string_view image, int playerSlot, std::size_t most);

// The same for the file `file`, of which no more than the first kFamilyNamesReadLimit bytes are
// read. Nothing when the file cannot be read.
std::vector<std::string> ReadFamilyNames(const std::filesystem::path& file, int playerSlot,
                                         std::size_t most);

}  // namespace quill
