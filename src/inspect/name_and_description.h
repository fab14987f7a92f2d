// SPDX-License-Identifier: GPL-3.0-or-later
// Finding a Sim's name and description in a chunk body, a plain function over bytes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "chunkfile/chunk_table.h"

namespace quill {

inline constexpr const char* kNoInformation = "There is no information availible for this Sim.";

// One character per body byte: printable ASCII as itself, every other byte as ".".
std::string PrintableRendering(std::string_view body);

// The text the markers are searched in. A complete FD FF string table (every one of its strings
// has a language byte, a value and a comment, each ending in a NUL inside the body) is rendered
// from its strings, so that the game's comments, a count byte or filler bytes that happen to be
// printable cannot hide the markers: "...." for the header, then per string its language byte,
// its value and ".." for the two terminators (comment text left out), then one "." per byte
// after the last string. Every other body gets the printable rendering.
std::string RenderingForExtraction(std::string_view body);

struct NameAndDescription {
  std::optional<std::string> name;         // absent when the marker after the name is missing
  std::optional<std::string> description;  // absent when the closing marker is missing
};

// From a complete FD FF string table, the name and the description are the first two strings of
// the language ReadLocalizedStrings chooses for `playerSlot`, decoded whole into UTF-8, the
// name's control characters shown as visible symbols. From any other body, the name lies between
// "....." and the next "..." of the printable rendering; the description runs from there through
// the first dot of the following "...". Either way a description under two characters becomes
// kNoInformation, and both are shown by platform::ShownName and platform::ShownDescription.
NameAndDescription ExtractNameAndDescription(std::string_view body, int playerSlot);

}  // namespace quill
