// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/sim_picture.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <variant>

#include "chunkfile/chunk_walk.h"
#include "content/game_skins.h"
#include "inspect/path_kind.h"
#include "inspect/roster_entry.h"
#include "inspect/stored_portrait.h"
#include "platform/files.h"
#include "platform/picture.h"
#include "platform/text.h"
#include "render/dress_sim.h"
#include "render/outfits.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

constexpr int kEveryday = 1;

Answer Said(const std::string& text, int status) {
  return {{}, "quillmere: " + text + "\n", status};
}

std::string ShownPath(const fs::path& path) {
  return platform::VisibleText(platform::DisplayName(path));
}

Answer AlreadyThere(const fs::path& out) {
  return Said(ShownPath(out) + " already exists; it is not replaced", 2);
}

struct SimToDraw {
  std::string file;  // shown
  std::string name;  // shown
  std::optional<BodyLooks> looks;
};

SimToDraw MemberToDraw(const fs::path& path, FamilyMember& member) {
  return {ShownFileName(path.filename()), member.name, std::move(member.looks)};
}

SimToDraw CharacterToDraw(const fs::path& path, std::string_view image, int languageSlot) {
  RosterEntry entry = ReadRosterEntry(image, languageSlot);
  return {ShownFileName(path.filename()), entry.name, std::move(entry.looks)};
}

Answer Unreadable(const fs::path& path, const PathVerdict& verdict) {
  const char* what = verdict.kind == PathKind::BadFamilyExport ? "family export" : "character file";
  return Said(std::string("cannot read the ").append(what).append(" ") + ShownPath(path), 2);
}

// Member `member` (from 1) of a family export, or the Sim of a character file; the answer that
// refuses the path or the member otherwise.
std::variant<SimToDraw, Answer> SimAt(const fs::path& path, int member, int languageSlot) {
  PathVerdict verdict = DecidePath(path, languageSlot);
  const std::string file = ShownFileName(path.filename());
  if (verdict.kind == PathKind::FamilyExport) {
    std::vector<FamilyMember>& members = verdict.family->members;
    if (static_cast<std::size_t>(member) > members.size()) {
      return Said(file + " has no member " + std::to_string(member) + ": it has " +
                      std::to_string(members.size()),
                  2);
    }
    return MemberToDraw(path, members[static_cast<std::size_t>(member) - 1]);
  }
  if (verdict.kind != PathKind::CharacterFile && verdict.kind != PathKind::NotACharacterFile)
    return Unreadable(path, verdict);
  if (member != 1)
    return Said(file + " is a character file, which holds one Sim: --member can only be 1", 2);
  const std::optional<std::string> image = platform::ReadWholeFile(path);
  if (!image) return Unreadable(path, verdict);
  return CharacterToDraw(path, *image, languageSlot);
}

// An outfit's name as --outfit takes it: "high-fashion".
std::string OptionName(std::string_view name) {
  std::string option(name);
  std::replace(option.begin(), option.end(), ' ', '-');
  return option;
}

std::string OutfitText(int string) {
  for (const render::OutfitName& outfit : render::kOutfitNames)
    if (outfit.string == string) return OptionName(outfit.name);
  return std::to_string(string);
}

// Why the Sim cannot be drawn in `outfit`, when its body strings do not dress it so.
std::optional<Answer> OutfitMissing(const SimToDraw& sim, int outfit) {
  if (!sim.looks) return std::nullopt;
  std::string worn;
  for (const render::OutfitName& has : render::OutfitsOf(*sim.looks)) {
    if (has.string == outfit) return std::nullopt;
    worn.append(worn.empty() ? "" : ", ").append(OptionName(has.name));
  }
  return Said(sim.name + " has no " + OutfitText(outfit) + " outfit; it has " +
                  (worn.empty() ? std::string("none") : worn),
              2);
}

// The Sim drawn as the game would dress it, or the answer that says why nothing of it can be.
std::variant<QImage, Answer> Drawn(const fs::path& path, const SimToDraw& sim, int outfit,
                                   QSize size, content::GameSkins& skins,
                                   const std::string& searched) {
  const std::string who = sim.file + ": " + sim.name + ": ";
  if (!sim.looks) return Said(who + "the file holds no body strings to dress the Sim by", 1);
  content::SkinsCheck* check = skins.ForSimsIn(SimsFolderOf(path, false));
  if (check == nullptr) return Said(content::NoGameFolderText(searched), 1);
  const render::DressedSim dressed = render::DressSim(*check, *sim.looks, outfit);
  if (dressed.meshes.empty()) {
    const content::LooksCheck looks = check->Check(*sim.looks);
    return Said(
        who + "nothing can be drawn: " +
            (looks.right ? std::string("no mesh could be put on the skeleton") : looks.summary),
        1);
  }
  return render::DrawSim(dressed.parts(), size, render::View{},
                         QColor::fromRgb(render::kSimBackground));
}

Answer Saved(const QImage& picture, const fs::path& out) {
  const platform::SaveResult saved =
      platform::SavePng(picture, out, platform::WhenNameTaken::kKeep);
  if (saved.outcome == platform::SaveResult::kNameTaken) return AlreadyThere(out);
  if (saved.outcome == platform::SaveResult::kFailed)
    return Said(std::string("cannot write ").append(ShownPath(out)) + ": " + saved.reason, 1);
  return {};
}

// A family export's face for a file manager: its house picture, as the family window shows it,
// else its first member's portrait.
QImage FamilyPicture(const FamilyExport& family) {
  QImage picture = platform::LargestPicture(family.housePictures);
  if (picture.isNull() && !family.members.empty()) {
    if (std::optional<QImage> face = platform::DecodePicture(family.members.front().thumbnail))
      picture = *face;
  }
  return picture;
}

// Within a square of `side` pixels, its shape kept. Portraits are pixel art of a few dozen
// pixels: they are enlarged without smoothing, so that they stay sharp.
QImage Fitted(const QImage& picture, int side) {
  const QSize fitted =
      picture.size().scaled(side, side, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
  return picture.scaled(
      fitted, Qt::IgnoreAspectRatio,
      fitted.width() > picture.width() ? Qt::FastTransformation : Qt::SmoothTransformation);
}

}  // namespace

Answer RenderSim(const fs::path& path, const PictureRequest& picture, int languageSlot,
                 content::GameSkins& skins, const std::string& searched) {
  if (platform::NameTaken(picture.out)) return AlreadyThere(picture.out);
  std::variant<SimToDraw, Answer> found = SimAt(path, picture.member, languageSlot);
  if (Answer* refused = std::get_if<Answer>(&found)) return std::move(*refused);
  const SimToDraw& sim = std::get<SimToDraw>(found);
  if (std::optional<Answer> missing = OutfitMissing(sim, picture.outfit)) return *missing;
  std::variant<QImage, Answer> drawn =
      Drawn(path, sim, picture.outfit, picture.size, skins, searched);
  if (Answer* refused = std::get_if<Answer>(&drawn)) return std::move(*refused);
  return Saved(std::get<QImage>(drawn), picture.out);
}

Answer MakeThumbnail(const fs::path& path, const PictureRequest& picture, int languageSlot,
                     content::GameSkins& skins, const std::string& searched) {
  if (platform::NameTaken(picture.out)) return AlreadyThere(picture.out);
  const int side = picture.size.width();
  PathVerdict verdict = DecidePath(path, languageSlot);
  std::optional<SimToDraw> sim;
  if (verdict.kind == PathKind::FamilyExport) {
    const QImage stored = FamilyPicture(*verdict.family);
    if (!stored.isNull()) return Saved(Fitted(stored, side), picture.out);
    if (verdict.family->members.empty())
      return Said(ShownFileName(path.filename()) + " holds no Sims and no pictures", 1);
    sim = MemberToDraw(path, verdict.family->members.front());
  } else if (verdict.kind == PathKind::CharacterFile ||
             verdict.kind == PathKind::NotACharacterFile) {
    const std::optional<std::string> image = platform::ReadWholeFile(path);
    if (image) {
      const QImage stored = StoredPortrait(*image);
      if (!stored.isNull()) return Saved(Fitted(stored, side), picture.out);
      sim = CharacterToDraw(path, *image, languageSlot);
    }
  }
  if (!sim) {
    Answer unreadable = Unreadable(path, verdict);
    unreadable.status = 1;
    return unreadable;
  }
  // Drawn as tall as the square, and two thirds as wide, as --render draws by default.
  std::variant<QImage, Answer> drawn =
      Drawn(path, *sim, kEveryday, QSize(std::max(1, side * 2 / 3), side), skins, searched);
  if (Answer* refused = std::get_if<Answer>(&drawn)) return std::move(*refused);
  return Saved(std::get<QImage>(drawn), picture.out);
}

}  // namespace quill
