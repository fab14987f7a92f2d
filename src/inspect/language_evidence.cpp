// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/language_evidence.h"

#include <algorithm>
#include <system_error>
#include <unordered_set>

#include "chunkfile/chunk_walk.h"
#include "chunkfile/name_order.h"
#include "inspect/family_export.h"
#include "inspect/name_and_description.h"
#include "inspect/string_table_layout.h"
#include "platform/files.h"
#include "platform/text.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

// A shown name's characters take at most three bytes each in the game's code pages; two names
// alike this far look alike on screen too.
constexpr std::size_t kNameBytes = 3 * (platform::kNameLimit + 1);
// Where a family export keeps member N's names in every language: "CTSS" 2000 + N.
constexpr int kWholeNameTableBase = 2000;

// Hands over the chunks the walk of a file would list, whatever the sizes they claim.
void VisitListedChunks(std::string_view image, const std::function<void(const ChunkRecord&)>& see) {
  VisitChunks(image, [&](ChunkRecord& chunk) {
    see(chunk);
    return true;
  });
}

// The name table the roster takes its name from: the file's last "CTSS".
std::optional<SlotNames> CharacterNames(std::string_view image) {
  std::string_view table;
  bool found = false;
  VisitListedChunks(image, [&](const ChunkRecord& chunk) {
    if (chunk.ChunkType != "CTSS") return;
    table = BodyOf(chunk);
    found = true;
  });
  return found ? ReadSlotNames(table) : std::nullopt;
}

std::vector<SlotNames> MemberNames(std::string_view image) {
  std::vector<SlotNames> tables;
  VisitListedChunks(image, [&](const ChunkRecord& chunk) {
    if (chunk.ChunkType != "CTSS" || ChunkIdOf(chunk) <= kWholeNameTableBase) return;
    if (std::optional<SlotNames> names = ReadSlotNames(BodyOf(chunk))) tables.push_back(*names);
  });
  return tables;
}

std::vector<SlotNames> FolderNames(const fs::path& folder) {
  std::vector<SlotNames> tables;
  const std::optional<std::vector<fs::path>> files = ListCharacterFiles(folder);
  if (!files) return tables;
  std::string image;  // its storage kept from file to file
  for (const fs::path& file : *files) {
    if (!platform::ReadWholeFile(folder / file, image)) continue;
    if (std::optional<SlotNames> names = CharacterNames(image)) tables.push_back(*names);
  }
  return tables;
}

}  // namespace

std::optional<SlotNames> ReadSlotNames(std::string_view tableBody) {
  const std::optional<CompleteTable> table = ReadCompleteTable(tableBody);
  if (!table) return std::nullopt;
  SlotNames names;
  std::array<bool, kLanguageSlots> seen{};
  for (const TableString& string : table->strings) {
    if (string.language < 1 || string.language > kLanguageSlots) continue;
    const auto slot = static_cast<std::size_t>(string.language - 1);
    if (seen[slot]) continue;
    seen[slot] = true;
    names[slot] = string.value.substr(0, kNameBytes);
  }
  return names;
}

std::optional<int> MostNamedSlot(const std::vector<SlotNames>& tables, int tieSlot) {
  std::array<std::size_t, kLanguageSlots> distinct{};
  for (std::size_t slot = 0; slot < distinct.size(); ++slot) {
    std::unordered_set<std::string_view> names;
    for (const SlotNames& table : tables) {
      if (!table[slot].empty()) names.insert(table[slot]);
    }
    distinct[slot] = names.size();
  }
  const std::size_t most = *std::max_element(distinct.begin(), distinct.end());
  if (most == 0) return std::nullopt;
  for (const int slot : {tieSlot, 1}) {
    if (slot >= 1 && slot <= kLanguageSlots && distinct[static_cast<std::size_t>(slot - 1)] == most)
      return slot;
  }
  return static_cast<int>(std::find(distinct.begin(), distinct.end(), most) - distinct.begin()) + 1;
}

std::vector<SlotNames> NameTablesAt(const fs::path& path) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) return FolderNames(path);
  if (HasFamilyExportName(path) || !IsCharacterFileName(path.filename())) {
    std::string image;
    if (!platform::ReadWholeFile(path, image)) return {};
    return MemberNames(image);
  }
  return FolderNames(fs::absolute(path, ec).parent_path());
}

}  // namespace quill
