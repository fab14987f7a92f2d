// `quillmere --list`: a folder's roster, read by the same routines as the window's, with no
// window at all.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quill {

struct RosterEntry {
  std::filesystem::path file;         // name only
  std::string name;                   // the roster's line: the Sim's name or "Bad File"
  std::optional<std::uint32_t> guid;  // the Sim's, which links it to the neighbourhood
};

// One entry per character file of `folder`, in file-list order, the names in the game's language
// slot `languageSlot` where a file has it; nothing when the folder cannot be read. Pictures met
// on the way are written to `scratchFolder`, as the window does.
std::optional<std::vector<RosterEntry>> ListRoster(const std::filesystem::path& folder,
                                                   const std::filesystem::path& scratchFolder,
                                                   int languageSlot);

// "file name<TAB>Sim name" lines, UTF-8.
std::string FormatRoster(const std::vector<RosterEntry>& roster);

}  // namespace quill
