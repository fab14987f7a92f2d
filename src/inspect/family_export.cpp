// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/family_export.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "chunkfile/chunk_walk.h"
#include "chunkfile/name_order.h"
#include "inspect/localized_strings.h"
#include "platform/files.h"
#include "platform/text.h"

namespace quill {

namespace {

constexpr std::string_view kIndexMark = "iPXE";
constexpr std::size_t kIndexMarkOffset = 8;  // after a u32 0 and the u32 version
constexpr std::size_t kIndexFamilyOffset = 12;
constexpr std::size_t kIndexMembersOffset = 14;
constexpr int kFamilyNameTable = 1000;
constexpr int kWholeNameTableBase = 2000;  // "CTSS" 2000 + N: member N's names in every language
constexpr int kLastChunkId = 0xFFFF;
// The chunk ids of the house's pictures, which every export carries beside its members'.
constexpr int kHousePictureIds[] = {512, 513, 1024, 1025};

int LittleEndian16(std::string_view bytes, std::size_t offset) {
  return static_cast<unsigned char>(bytes[offset]) | static_cast<unsigned char>(bytes[offset + 1])
                                                         << 8;
}

// The chunks an export keeps per member and for the family, by type and id; the first of a type
// and id counts.
struct ExportChunks {
  std::optional<std::string_view> index;
  std::unordered_map<int, std::string_view> names;     // "CTSS"
  std::unordered_map<int, std::string_view> bodies;    // "uChr"
  std::unordered_map<int, std::string_view> pictures;  // "BMP_"
  bool chainWhole = true;
};

ExportChunks CollectChunks(std::string_view image) {
  ExportChunks chunks;
  const ChunkChain chain = VisitWholeChunks(image, [&](const ChunkRecord& chunk) {
    const int id = ChunkIdOf(chunk);
    const std::string_view body = BodyOf(chunk);
    if (chunk.ChunkType == "EXPi") {
      if (!chunks.index) chunks.index = body;
    } else if (chunk.ChunkType == "CTSS") {
      chunks.names.emplace(id, body);
    } else if (chunk.ChunkType == "uChr") {
      chunks.bodies.emplace(id, body);
    } else if (chunk.ChunkType == "BMP_") {
      chunks.pictures.emplace(id, body);
    }
    return true;
  });
  chunks.chainWhole = chain == ChunkChain::Whole;
  return chunks;
}

std::optional<std::string_view> Find(const std::unordered_map<int, std::string_view>& chunks,
                                     int id) {
  if (id < 0 || id > kLastChunkId) return std::nullopt;
  const auto found = chunks.find(id);
  if (found == chunks.end()) return std::nullopt;
  return found->second;
}

// The member's name and biography: its whole name table in the player's language, else the
// export's own US English copy, else the name its record carries.
void NameMember(FamilyMember& member, const ExportChunks& chunks, const PersonRecord* record,
                int playerSlot) {
  for (const int id : {kWholeNameTableBase + member.neighbourId, member.neighbourId}) {
    const std::optional<std::string_view> table = Find(chunks.names, id);
    if (!table) continue;
    const std::optional<LocalizedStrings> strings =
        ReadLocalizedStrings(*table, playerSlot, 2, platform::kDescriptionLimit);
    if (!strings || strings->texts.empty() || strings->texts[0].empty()) continue;
    member.name = platform::ShownName(strings->texts[0]);
    if (strings->texts.size() > 1) member.biography = platform::ShownDescription(strings->texts[1]);
    return;
  }
  member.name = record && !record->name.empty() ? record->name : kUnnamedSim;
}

// The neighbour ids of the family's members: from the index, else from the family's GUIDs through
// the records. Repeated ids count once, and id 0, the index's empty place, names no member.
std::vector<int> MemberIds(const std::optional<ExportIndex>& index, const FamilyRecord* family,
                           const Neighbourhood& records) {
  std::vector<int> ids;
  if (index) {
    ids = index->members;
  } else if (family) {
    for (const std::uint32_t guid : family->members) {
      if (const PersonRecord* person = records.person(guid)) ids.push_back(person->neighbourId);
    }
  }
  std::vector<int> once;
  std::unordered_set<int> seen;
  for (const int id : ids) {
    if (id != 0 && seen.insert(id).second) once.push_back(id);
  }
  return once;
}

std::string ProblemOf(const ExportChunks& chunks, const std::optional<ExportIndex>& index,
                      const FamilyExport& read) {
  if (!chunks.chainWhole)
    return "The family export is damaged; what follows the damage is missing.";
  if (!index) return "The export's list of members is missing or damaged.";
  if (!read.family) return "The export's family record is missing or damaged.";
  if (!read.records.problem.empty()) return "The export's records of its Sims are damaged.";
  for (const FamilyMember& member : read.members) {
    if (!member.guid) return "The export holds no record of one of its members.";
  }
  return {};
}

}  // namespace

std::optional<ExportIndex> ReadExportIndex(std::string_view body) {
  const std::size_t length = kIndexMembersOffset + 2 * kMembersInExportIndex;
  if (body.size() < length || body.substr(kIndexMarkOffset, kIndexMark.size()) != kIndexMark) {
    return std::nullopt;
  }
  ExportIndex index;
  index.familyId = LittleEndian16(body, kIndexFamilyOffset);
  for (int place = 0; place < kMembersInExportIndex; ++place) {
    const int id = LittleEndian16(body, kIndexMembersOffset + 2 * static_cast<std::size_t>(place));
    if (id != 0) index.members.push_back(id);
  }
  return index;
}

std::optional<FamilyExport> ReadFamilyExport(std::string_view image, int playerSlot) {
  const ExportChunks chunks = CollectChunks(image);
  std::optional<ExportIndex> index;
  if (chunks.index) index = ReadExportIndex(*chunks.index);

  FamilyExport read;
  read.records = ReadNeighbourhood(image, playerSlot);
  const FamilyRecord* family =
      index ? read.records.family(index->familyId)
            : (read.records.families.empty() ? nullptr : &read.records.families.front());
  if (family) read.family = *family;

  for (const int id : MemberIds(index, family, read.records)) {
    FamilyMember member;
    member.neighbourId = id;
    const PersonRecord* record = read.records.neighbour(id);
    if (record) member.guid = record->guid;
    NameMember(member, chunks, record, playerSlot);
    if (const auto picture = Find(chunks.pictures, id)) member.thumbnail = *picture;
    if (const auto body = Find(chunks.bodies, id)) member.looks = ReadBodyStrings(*body);
    read.members.push_back(std::move(member));
  }
  if (read.members.empty() && !read.family) return std::nullopt;

  if (family && family->name) {
    read.name = family->name;
  } else if (const auto table = Find(chunks.names, kFamilyNameTable)) {
    read.name = ReadFamilyName(*table, playerSlot);
  }
  read.problem = ProblemOf(chunks, index, read);
  for (const int id : kHousePictureIds) {
    // A member whose id is one of these has its own thumbnail there, not the house.
    const auto member = [id](const FamilyMember& sim) { return sim.neighbourId == id; };
    if (std::any_of(read.members.begin(), read.members.end(), member)) continue;
    if (const auto picture = Find(chunks.pictures, id)) read.housePictures.emplace_back(*picture);
  }
  // The cards say why their records fall short in the export's words, not a neighbourhood's.
  if (!read.records.problem.empty()) read.records.problem = read.problem;
  return read;
}

std::optional<FamilyExport> ReadFamilyExportFile(const std::filesystem::path& path,
                                                 int playerSlot) {
  std::string image;
  if (!platform::ReadWholeFile(path, image)) return std::nullopt;
  return ReadFamilyExport(image, playerSlot);
}

NameOfSim MemberNames(const FamilyExport& family) {
  return [&family](std::uint32_t guid) -> std::optional<std::string> {
    for (const FamilyMember& member : family.members) {
      if (member.guid == guid) return member.name;
    }
    if (const PersonRecord* record = family.records.person(guid)) return record->name;
    return std::nullopt;
  };
}

bool HasFamilyExportName(const std::filesystem::path& path) {
  return platform::AsciiLowerCase(path.extension().string()) == ".fam";
}

std::vector<std::filesystem::path> FamilyExportsBeside(
    const std::filesystem::path& charactersFolder) {
  const std::filesystem::path userData = charactersFolder.parent_path();
  const std::optional<platform::FolderListing> neighbourhood = platform::ListFolder(userData);
  if (!neighbourhood) return {};
  std::vector<std::filesystem::path> exports;
  for (const char* wanted : {"export", "import"}) {
    for (const std::filesystem::path& folder : neighbourhood->folders) {
      if (platform::AsciiLowerCase(folder.string()) != wanted) continue;
      std::optional<platform::FolderListing> inside = platform::ListFolder(userData / folder);
      if (!inside) continue;
      SortByName(inside->files);
      for (const std::filesystem::path& file : inside->files) {
        if (HasFamilyExportName(file)) exports.push_back(userData / folder / file);
      }
    }
  }
  return exports;
}

}  // namespace quill
