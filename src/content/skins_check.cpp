// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/skins_check.h"

#include <algorithm>
#include <array>
#include <utility>

#include "chunkfile/chunk_walk.h"
#include "platform/text.h"

namespace quill::content {

namespace {

constexpr std::array<std::string_view, 3> kTones = {"lgt", "med", "drk"};

std::string Fold(std::string_view text) {
  return platform::AsciiLowerCase(text);
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// A name as a problem quotes it: shown by the one rule for names from outside, in backticks.
std::string Quote(std::string_view name) {
  return std::string("`").append(platform::ShownName(name)).append("`");
}

// A place in the game's folder, already shown by that rule when the index was made.
std::string Placed(std::string_view place) {
  return std::string("`").append(place).append("`");
}

// Suit and mesh files keep their names in the game's Windows code page; they are compared and
// shown as UTF-8, as the body strings and file names are.
void ToUtf8(std::string& name) {
  name = Cp1252ToUtf8(name);
}

void NamesToUtf8(SuitFile& file) {
  for (Skeleton& skeleton : file.skeletons) ToUtf8(skeleton.name);
  for (Suit& suit : file.suits) {
    ToUtf8(suit.name);
    for (Skin& skin : suit.skins) {
      ToUtf8(skin.bone);
      ToUtf8(skin.mesh);
    }
  }
}

std::string WithoutTones(std::string name) {
  for (std::string_view tone : kTones) {
    for (std::size_t at = name.find(tone); at != std::string::npos; at = name.find(tone, at))
      name.erase(at, tone.size());
  }
  return name;
}

bool IsUnset(std::string_view value) {
  const std::string folded = Fold(value);
  return folded.empty() || folded == "none" || folded == "added";
}

// The suit files that hold a skeleton: "adult-skeleton.cmx", "kat_skeleton.cmx.bcf" and so on.
std::string SkeletonFileBase(const std::string& skeleton) {
  if (skeleton == "adult" || skeleton == "child") return skeleton + "-skeleton";
  return skeleton + "_skeleton";
}

// "left hand (open)" for a hand's suit "HMLO"; "hand" for one named otherwise.
std::string HandName(std::string_view suit) {
  const std::string folded = Fold(suit);
  if (folded.size() != 4 || folded[0] != 'h') return "hand";
  const std::string side = folded[2] == 'l' ? "left" : folded[2] == 'r' ? "right" : "";
  const std::string pose = folded[3] == 'o'   ? "open"
                           : folded[3] == 'p' ? "pointing"
                           : folded[3] == 'c' ? "closed"
                                              : "";
  if (side.empty() || pose.empty()) return "hand";
  return side + " hand (" + pose + ")";
}

}  // namespace

std::string PartName(int index, std::string_view suit) {
  switch (index) {
    case 0:
      return "skeleton";
    case 1:
      return "body";
    case 2:
      return "head";
    case 27:
      return "costume";
    case 30:
      return "formal";
    case 31:
      return "swimwear";
    case 32:
      return "pyjamas";
    case 33:
      return "winter";
    case 34:
      return "high fashion";
    default:
      break;
  }
  if (index >= 17 && index <= 22) return HandName(suit);
  if (index == 28 || index == 29) return "costume " + HandName(suit);
  return {};
}

namespace {

void Add(PartCheck& part, std::string code, std::string text) {
  Problem problem{std::move(code), std::move(text)};
  if (std::find(part.problems.begin(), part.problems.end(), problem) == part.problems.end())
    part.problems.push_back(std::move(problem));
}

bool SameSkins(const Suit& a, const Suit& b) {
  return a.skins.size() == b.skins.size() &&
         std::equal(a.skins.begin(), a.skins.end(), b.skins.begin(),
                    [](const Skin& x, const Skin& y) {
                      return Fold(x.bone) == Fold(y.bone) && Fold(x.mesh) == Fold(y.mesh);
                    });
}

// The copies the game would read, and the first copy of those it would not.
std::pair<std::vector<const ContentEntry*>, const ContentEntry*> Split(
    const std::vector<ContentEntry>& copies, SkinKind kind) {
  std::vector<const ContentEntry*> read;
  const ContentEntry* unread = nullptr;
  for (const ContentEntry& copy : copies) {
    // A text mesh inside an archive is passed over by the game as if it were not there.
    const bool ignored = kind == SkinKind::Mesh && copy.inArchive && IsTextForm(copy.name);
    if (copy.moveTo.empty() && !ignored) {
      read.push_back(&copy);
    } else if (unread == nullptr && !ignored) {
      unread = &copy;
    }
  }
  return {read, unread};
}

void NoteUnread(const ContentEntry& copy, PartCheck& part) {
  Add(part, "in-subfolder",
      Placed(copy.place) + " lies in a folder the game does not read: move it to " +
          Placed(copy.moveTo));
}

}  // namespace

SkinsCheck::SkinsCheck(std::filesystem::path gameFolder, IndexBounds bounds)
    : index_(std::move(gameFolder), bounds) {}

void SkinsCheck::Refresh() {
  if (!index_.Refresh()) return;
  suitFiles_.clear();
  meshes_.clear();
  textures_.clear();
  differing_.clear();
  allRead_ = false;
  allSuits_.clear();
  allSkeletons_.clear();
}

const std::optional<SuitFile>& SkinsCheck::SuitFileAt(const ContentEntry& entry) {
  const auto found = suitFiles_.find(entry.place);
  if (found != suitFiles_.end()) return found->second;
  std::optional<SuitFile> file;
  if (const std::optional<std::string> bytes = index_.Read(entry)) {
    file = IsTextSuitFile(*bytes) ? ReadTextSuitFile(*bytes) : ReadBinarySuitFile(*bytes);
    if (file) NamesToUtf8(*file);
  }
  return suitFiles_.emplace(entry.place, std::move(file)).first->second;
}

const std::optional<MeshHeader>& SkinsCheck::MeshAt(const ContentEntry& entry) {
  const auto found = meshes_.find(entry.place);
  if (found != meshes_.end()) return found->second;
  std::optional<MeshHeader> header;
  if (const std::optional<std::string> bytes = index_.Read(entry)) {
    header =
        EndsWith(entry.name, ".skn") ? ReadTextMeshHeader(*bytes) : ReadBinaryMeshHeader(*bytes);
    if (header) {
      ToUtf8(header->name);
      ToUtf8(header->defaultTexture);
    }
  }
  return meshes_.emplace(entry.place, std::move(header)).first->second;
}

const std::optional<TextureShape>& SkinsCheck::TextureAt(const ContentEntry& entry) {
  const auto found = textures_.find(entry.place);
  if (found != textures_.end()) return found->second;
  std::optional<TextureShape> shape;
  if (const std::optional<std::string> bytes = index_.Read(entry, kTextureHeaderSize)) {
    shape = EndsWith(entry.name, ".tga") ? ReadTargaShape(*bytes) : ReadBitmapShape(*bytes);
  }
  return textures_.emplace(entry.place, std::move(shape)).first->second;
}

void SkinsCheck::ReadAllSuitFiles() {
  if (allRead_) return;
  allRead_ = true;
  for (const ContentEntry* entry : index_.SuitFiles()) {
    const std::optional<SuitFile>& file = SuitFileAt(*entry);
    if (!file) continue;
    for (const Suit& suit : file->suits) allSuits_[Fold(suit.name)].push_back({entry, &suit});
    for (const Skeleton& skeleton : file->skeletons)
      allSkeletons_[Fold(skeleton.name)].push_back({entry, &skeleton});
  }
}

void SkinsCheck::NoteDuplicates(const std::string& name,
                                const std::vector<const ContentEntry*>& copies, PartCheck& part) {
  if (copies.size() < 2) return;
  auto known = differing_.find(name);
  if (known == differing_.end()) {
    bool differ = false;
    const std::optional<std::string> first = index_.Read(*copies[0]);
    for (std::size_t i = 1; i < copies.size() && !differ; ++i) {
      differ = copies[i]->size != copies[0]->size || !first || index_.Read(*copies[i]) != first;
    }
    known = differing_.emplace(name, differ).first;
  }
  if (!known->second) return;
  std::string places;
  for (std::size_t i = 0; i < copies.size(); ++i) {
    places += i == 0 ? "" : i + 1 == copies.size() ? " and " : ", ";
    places += Placed(copies[i]->place);
  }
  Add(part, "duplicate",
      "different copies of " + Quote(name) + " lie in " + places + "; the game may load either");
}

const ContentEntry* SkinsCheck::FindFile(const std::string& base, SkinKind kind, PartCheck& part) {
  const std::array<std::string_view, 2> endings =
      kind == SkinKind::Mesh ? std::array<std::string_view, 2>{".bmf", ".skn"}
                             : std::array<std::string_view, 2>{".bmp", ".tga"};
  const ContentEntry* unread = nullptr;
  for (std::string_view ending : endings) {
    const std::string name = Fold(base).append(ending);
    auto [read, notRead] = Split(index_.Find(name), kind);
    if (!read.empty()) {
      NoteDuplicates(name, read, part);
      return read.front();
    }
    if (unread == nullptr) unread = notRead;
  }
  if (unread != nullptr) NoteUnread(*unread, part);
  return nullptr;
}

std::vector<std::pair<const ContentEntry*, const SuitFile*>> SkinsCheck::SuitFilesNamed(
    const std::string& base) {
  std::vector<std::pair<const ContentEntry*, const SuitFile*>> files;
  for (std::string_view ending : {".cmx.bcf", ".bcf", ".cmx"}) {
    for (const ContentEntry& copy : index_.Find(std::string(base).append(ending))) {
      const std::optional<SuitFile>& file = SuitFileAt(copy);
      if (file) files.emplace_back(&copy, &*file);
    }
  }
  return files;
}

std::optional<SkinsCheck::SuitAt> SkinsCheck::FindSuit(const std::string& name, PartCheck& part) {
  const std::string folded = Fold(name);
  std::vector<SuitAt> found;
  // A suit's file is nearly always named after it: read that one before every suit file there is.
  for (const auto& [copy, file] : SuitFilesNamed(folded)) {
    for (const Suit& suit : file->suits)
      if (Fold(suit.name) == folded) found.push_back({copy, &suit});
  }
  if (found.empty()) {
    ReadAllSuitFiles();
    const auto all = allSuits_.find(folded);
    if (all != allSuits_.end()) found = all->second;
  }
  std::vector<SuitAt> read;
  for (const SuitAt& at : found)
    if (at.file->moveTo.empty()) read.push_back(at);
  if (read.empty()) {
    if (!found.empty()) {
      NoteUnread(*found.front().file, part);
    } else {
      Add(part, "no-suit", "no suit " + Quote(name) + " is installed");
    }
    return std::nullopt;
  }
  std::stable_sort(read.begin(), read.end(), [](const SuitAt& a, const SuitAt& b) {
    return a.file->inArchive < b.file->inArchive;
  });
  if (std::any_of(read.begin() + 1, read.end(),
                  [&read](const SuitAt& at) { return !SameSkins(*at.suit, *read.front().suit); })) {
    std::vector<const ContentEntry*> files;
    for (const SuitAt& at : read) files.push_back(at.file);
    differing_[folded] = true;
    NoteDuplicates(folded, files, part);
  }
  return read.front();
}

std::vector<SkinsCheck::SkeletonAt> SkinsCheck::FindSkeletons(const std::string& folded) {
  std::vector<SkeletonAt> found;
  for (const auto& [copy, file] : SuitFilesNamed(SkeletonFileBase(folded))) {
    for (const Skeleton& skeleton : file->skeletons)
      if (Fold(skeleton.name) == folded) found.push_back({copy, &skeleton});
  }
  if (found.empty()) {
    ReadAllSuitFiles();
    const auto all = allSkeletons_.find(folded);
    if (all != allSkeletons_.end()) found = all->second;
  }
  // Those the game reads first.
  std::stable_partition(found.begin(), found.end(),
                        [](const SkeletonAt& at) { return at.file->moveTo.empty(); });
  return found;
}

const Skeleton* SkinsCheck::SkeletonNamed(const std::string& name) {
  const std::vector<SkeletonAt> found = FindSkeletons(Fold(name) == "cat" ? "kat" : Fold(name));
  if (found.empty() || !found.front().file->moveTo.empty()) return nullptr;
  return found.front().skeleton;
}

std::optional<Mesh> SkinsCheck::WholeMesh(const ContentEntry& entry) const {
  const std::optional<std::string> bytes = index_.Read(entry);
  if (!bytes) return std::nullopt;
  return EndsWith(entry.name, ".skn") ? ReadTextMesh(*bytes) : ReadBinaryMesh(*bytes);
}

void SkinsCheck::CheckSkeleton(const std::string& name, PartCheck& part) {
  const std::vector<SkeletonAt> found = FindSkeletons(Fold(name) == "cat" ? "kat" : Fold(name));
  if (!found.empty() && found.front().file->moveTo.empty()) {
    part.files.suit = found.front().file->place;
  } else if (!found.empty()) {
    NoteUnread(*found.front().file, part);
  } else {
    Add(part, "no-suit", "no skeleton " + Quote(name) + " is installed");
  }
}

const ContentEntry* SkinsCheck::CheckTexture(const std::string& name, const std::string& tone,
                                             PartCheck& part) {
  const std::size_t problems = part.problems.size();
  const ContentEntry* entry = FindFile(name, SkinKind::Texture, part);
  if (entry == nullptr) {
    if (part.problems.size() > problems) return nullptr;  // it lies where the game does not look
    const std::string folded = Fold(name);
    std::vector<std::string> others;
    for (std::string_view own : kTones) {
      const std::size_t at = folded.find(own);
      if (at == std::string::npos) continue;
      for (std::string_view other : kTones) {
        if (other == own) continue;
        std::string variant = folded;
        variant.replace(at, own.size(), other);
        for (std::string_view ending : {".bmp", ".tga"})
          if (!Split(index_.Find(variant + std::string(ending)), SkinKind::Texture).first.empty())
            others.push_back(variant);
      }
      break;
    }
    if (others.empty()) {
      Add(part, "no-texture", "the texture " + Quote(name) + " is missing");
    } else {
      Add(part, "no-texture-for-tone",
          "the texture " + Quote(name) + " for this Sim's skin tone (" + platform::ShownName(tone) +
              ") is missing; only " + Quote(others.front()) + " is installed");
    }
    return nullptr;
  }
  part.files.textures.push_back(entry->place);
  const std::optional<TextureShape>& shape = TextureAt(*entry);
  if (!shape) {
    Add(part, "no-texture", Placed(entry->place) + " is no picture the game can read");
    return nullptr;
  }
  if (!IsEightBitIndexed(*shape)) {
    Add(part, "not-8-bit",
        Placed(entry->place) + " has " + std::to_string(shape->bitsPerPixel) +
            "-bit colour: the game shows it white; it needs 8-bit colour with a palette");
  }
  if (!HasGameSize(*shape)) {
    Add(part, "bad-size",
        Placed(entry->place) + " is " + std::to_string(shape->width) + " \u00d7 " +
            std::to_string(shape->height) +
            " pixels: the game needs a square of 64, 128 or 256 pixels a side");
  }
  return entry;
}

void SkinsCheck::CheckGarment(const Garment& garment, const std::string& tone, PartCheck& part) {
  const std::optional<SuitAt> suit = FindSuit(garment.mesh, part);
  if (!suit) return;
  part.files.suit = suit->file->place;
  const bool crashes = suit->file->inArchive && IsTextForm(suit->file->name);
  if (crashes) {
    Add(part, "text-cmx-in-far",
        Placed(suit->file->place) +
            " is a text suit file inside an archive: the game crashes when it loads it");
  }
  std::vector<std::optional<MeshHeader>> headers;
  for (const Skin& skin : suit->suit->skins) {
    const std::size_t problems = part.problems.size();
    const ContentEntry* mesh = FindFile(skin.mesh, SkinKind::Mesh, part);
    headers.emplace_back();
    part.skins.push_back({mesh, nullptr, !crashes});
    if (mesh == nullptr) {
      if (part.problems.size() == problems)
        Add(part, "no-mesh", "the mesh " + Quote(skin.mesh) + " is missing");
      continue;
    }
    part.files.meshes.push_back(mesh->place);
    headers.back() = MeshAt(*mesh);
    if (!headers.back()) {
      Add(part, "no-mesh", Placed(mesh->place) + " is no mesh the game can read");
    } else if (EndsWith(mesh->name, ".skn") && HasFileNameInHeader(*headers.back())) {
      Add(part, "skn-header",
          Placed(mesh->place) +
              " names a file on its first or second line: the game draws this part invisible");
      part.skins.back().shown = false;
    }
  }
  // The body string's texture dresses one skin: the one whose own texture it is a version of,
  // or one with no texture of its own; else the first. The others keep their own.
  const std::string wanted = WithoutTones(Fold(garment.texture));
  std::size_t dressed = 0;
  for (std::size_t i = 0; i < headers.size(); ++i) {
    if (!headers[i]) continue;
    const std::string own = Fold(headers[i]->defaultTexture);
    if (own == "x" || EndsWith(WithoutTones(own), wanted)) {
      dressed = i;
      break;
    }
  }
  for (std::size_t i = 0; i < headers.size(); ++i) {
    if (i == dressed) {
      part.skins[i].texture = CheckTexture(garment.texture, tone, part);
    } else if (headers[i] && Fold(headers[i]->defaultTexture) != "x" &&
               !headers[i]->defaultTexture.empty()) {
      part.skins[i].texture = CheckTexture(headers[i]->defaultTexture, tone, part);
    }
  }
}

LooksCheck SkinsCheck::Check(const BodyLooks& looks) {
  LooksCheck check;
  if (!IsUnset(looks.skeleton)) {
    PartCheck part{0, "skeleton", looks.skeleton, {}, {}, {}};
    CheckSkeleton(looks.skeleton, part);
    check.parts.push_back(std::move(part));
  }
  const auto garment = [&](int string, const std::optional<Garment>& worn) {
    if (!worn || IsUnset(worn->mesh)) return;
    std::string name = PartName(string, worn->mesh);
    if (name.empty()) return;
    PartCheck part{string, std::move(name), worn->mesh, {}, {}, {}};
    CheckGarment(*worn, looks.skinTone, part);
    check.parts.push_back(std::move(part));
  };
  garment(1, looks.body);
  garment(2, looks.head);
  for (const Outfit& outfit : looks.outfits) garment(outfit.index, outfit.garment);
  check.summary = SummaryOf(check.parts);
  check.right = check.summary == kLooksRight;
  return check;
}

std::string SummaryOf(const std::vector<PartCheck>& parts) {
  const auto first = [&parts](const char* part, std::initializer_list<std::string_view> codes) {
    for (const PartCheck& checked : parts) {
      if (part != nullptr && checked.part != part) continue;
      for (const Problem& problem : checked.problems)
        if (std::find(codes.begin(), codes.end(), problem.code) != codes.end()) return &problem;
    }
    return static_cast<const Problem*>(nullptr);
  };
  // Worst first: what stops the game, then what players see from across the room.
  if (const Problem* p = first(nullptr, {"text-cmx-in-far"}))
    return "would crash the game: " + p->text;
  if (const Problem* p = first("head", {"no-suit", "no-mesh", "in-subfolder", "skn-header"})) {
    // The usual case names the mesh, as players search for it by that name.
    constexpr std::string_view kMissingMesh = "the mesh ";
    if (p->code == "no-mesh" && p->text.rfind(kMissingMesh, 0) == 0)
      return "would be headless: the head mesh " + p->text.substr(kMissingMesh.size());
    return "would be headless: " + p->text;
  }
  if (const Problem* p = first(nullptr, {"skn-header"})) return "would be invisible: " + p->text;
  if (const Problem* p = first("body", {"no-suit", "no-mesh", "in-subfolder"}))
    return "would have no body: " + p->text;
  if (const Problem* p = first(nullptr, {"not-8-bit"}))
    return "would be dressed in white: " + p->text;
  for (const PartCheck& part : parts)
    if (!part.problems.empty()) return "would not look right: " + part.problems.front().text;
  return kLooksRight;
}

}  // namespace quill::content
