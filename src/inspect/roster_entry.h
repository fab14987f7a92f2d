// SPDX-License-Identifier: GPL-3.0-or-later
// One character file as the roster, `quillmere --list` and the cards know it: a plain function
// over the file's bytes, with no list or window to fill.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "inspect/body_strings.h"

namespace quill {

struct RosterEntry {
  std::filesystem::path file;         // the file's name alone; left empty by ReadRosterEntry
  std::string name;                   // the roster's line: the Sim's shown name, or "Bad File"
  std::optional<std::uint32_t> guid;  // the Sim's, which links it to the neighbourhood
  std::optional<BodyLooks> looks;     // its body strings
};

// What the roster pass finds in a character file's bytes, without a window: the chunk lines
// nearest the end that names "CTSS" (any case, label included) is inspected as the window does,
// and its name is the roster's line when it has a description too; "Bad File" otherwise. The
// GUID is the first "OBJD" 128's among the chunk lines. Names are in language slot
// `languageSlot` where the file has it.
RosterEntry ReadRosterEntry(std::string_view image, int languageSlot);

// A file's name as every list shows it: by platform::ShownName.
std::string ShownFileName(const std::filesystem::path& file);

}  // namespace quill
