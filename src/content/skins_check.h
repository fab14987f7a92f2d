// SPDX-License-Identifier: GPL-3.0-or-later
// Will a Sim look right in the game? For each part a Sim wears (skeleton, body, head, hands and
// each outfit), the suit, meshes and textures the game would load and where they lie, or what is
// missing and why, in words a player can act on.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "content/content_index.h"
#include "content/mesh.h"
#include "content/mesh_header.h"
#include "content/suit_file.h"
#include "content/texture_header.h"
#include "inspect/body_strings.h"

namespace quill::content {

// One thing wrong with a part: a stable code ("no-mesh") and what it means here.
struct Problem {
  std::string code;
  std::string text;
  bool operator==(const Problem&) const = default;
};

// Where each file of a part came from: a path in the game's folder, or "archive.far ▸ entry".
struct PartFiles {
  std::string suit;
  std::vector<std::string> meshes;
  std::vector<std::string> textures;
};

// The files the game would load for one skin of a part: its mesh and that mesh's texture, null
// where missing. They point into the check's index, and hold until it is next refreshed.
struct SkinFiles {
  const ContentEntry* mesh = nullptr;
  const ContentEntry* texture = nullptr;
  // False where the game would not show the skin though it finds its files: a text mesh that
  // names a file, which the game draws invisible, or a suit that crashes the game.
  bool shown = true;
};

struct PartCheck {
  int string = 0;      // the body string it comes from: 0 the skeleton, 1 the body, 2 the head
  std::string part;    // "skeleton", "body", "head", "left hand (open)", "formal", ...
  std::string wanted;  // the skeleton or suit its body string names
  PartFiles files;
  std::vector<Problem> problems;
  std::vector<SkinFiles> skins;  // one per skin of the suit, in the suit's order
};

struct LooksCheck {
  std::vector<PartCheck> parts;
  // "looks right in the game", or the worst of what is wrong in a few words.
  std::string summary;
  bool right = true;
};

inline constexpr const char* kLooksRight = "looks right in the game";

class SkinsCheck {
 public:
  explicit SkinsCheck(std::filesystem::path gameFolder, IndexBounds bounds = {});

  // Looks at the game's folder again before a card or a run of checks: the index is made anew
  // when it changed, and what was read of it forgotten.
  void Refresh();

  // Checks one Sim's parts against the index as last refreshed.
  LooksCheck Check(const BodyLooks& looks);

  const ContentIndex& index() const { return index_; }

  // The skeleton the game would load for a body string's skeleton name (`cat` is `kat`), read
  // once per index; nothing when it is not installed where the game reads it.
  const Skeleton* SkeletonNamed(const std::string& name);
  // A mesh file whole; nothing when it cannot be read or is damaged.
  std::optional<Mesh> WholeMesh(const ContentEntry& entry) const;

 private:
  struct SuitAt {
    const ContentEntry* file;
    const Suit* suit;
  };
  struct SkeletonAt {
    const ContentEntry* file;
    const Skeleton* skeleton;
  };

  void CheckSkeleton(const std::string& name, PartCheck& part);
  void CheckGarment(const Garment& garment, const std::string& tone, PartCheck& part);
  std::optional<SuitAt> FindSuit(const std::string& name, PartCheck& part);
  const ContentEntry* FindFile(const std::string& name, SkinKind kind, PartCheck& part);
  // The texture's file, or null when there is none the game would load.
  const ContentEntry* CheckTexture(const std::string& name, const std::string& tone,
                                   PartCheck& part);
  std::vector<SkeletonAt> FindSkeletons(const std::string& folded);
  // The readable suit files named `base` (lower case) with a suit file's ending, read.
  std::vector<std::pair<const ContentEntry*, const SuitFile*>> SuitFilesNamed(
      const std::string& base);
  void NoteDuplicates(const std::string& name, const std::vector<const ContentEntry*>& copies,
                      PartCheck& part);

  const std::optional<SuitFile>& SuitFileAt(const ContentEntry& entry);
  const std::optional<MeshHeader>& MeshAt(const ContentEntry& entry);
  const std::optional<TextureShape>& TextureAt(const ContentEntry& entry);
  // Every suit and skeleton of every suit file, read once, for names no file name gives away.
  void ReadAllSuitFiles();

  ContentIndex index_;
  std::unordered_map<std::string, std::optional<SuitFile>> suitFiles_;
  std::unordered_map<std::string, std::optional<MeshHeader>> meshes_;
  std::unordered_map<std::string, std::optional<TextureShape>> textures_;
  std::unordered_map<std::string, bool> differing_;  // by name: whether its copies differ
  bool allRead_ = false;
  std::unordered_map<std::string, std::vector<SuitAt>> allSuits_;
  std::unordered_map<std::string, std::vector<SkeletonAt>> allSkeletons_;
};

// The part a body string dresses, by its place in the table (`suit` tells the hands apart):
// "body", "left hand (open)", "formal"; empty for a string that dresses no part.
std::string PartName(int string, std::string_view suit);

// The summary of a Sim's parts: kLooksRight, or the worst problem ("would be headless: ...").
std::string SummaryOf(const std::vector<PartCheck>& parts);

}  // namespace quill::content
