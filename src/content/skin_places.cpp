// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/skin_places.h"

namespace quill::content {

namespace {

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() > end.size() && text.substr(text.size() - end.size()) == end;
}

bool StartsWith(const std::vector<std::string>& folders, std::vector<std::string_view> start) {
  if (folders.size() < start.size()) return false;
  for (std::size_t i = 0; i < start.size(); ++i)
    if (folders[i] != start[i]) return false;
  return true;
}

constexpr std::string_view kSkins = "GameData/Skins";
constexpr std::string_view kSkinsBuy = "ExpansionShared/SkinsBuy";

}  // namespace

std::optional<SkinKind> KindOfName(std::string_view name) {
  if (EndsWith(name, ".cmx") || EndsWith(name, ".bcf")) return SkinKind::Suit;
  if (EndsWith(name, ".bmf") || EndsWith(name, ".skn")) return SkinKind::Mesh;
  if (EndsWith(name, ".bmp") || EndsWith(name, ".tga")) return SkinKind::Texture;
  return std::nullopt;
}

bool IsArchiveName(std::string_view name) {
  return EndsWith(name, ".far");
}

bool IsTextForm(std::string_view name) {
  return EndsWith(name, ".cmx") || EndsWith(name, ".skn");
}

std::optional<std::string> LoosePlaceVerdict(const std::vector<std::string>& folders,
                                             SkinKind kind) {
  // The game reads its two skins folders alone, none of their subfolders; suits it also finds
  // anywhere in Downloads.
  for (const auto& [start, shown] :
       {std::pair{std::vector<std::string_view>{"gamedata", "skins"}, kSkins},
        std::pair{std::vector<std::string_view>{"expansionshared", "skinsbuy"}, kSkinsBuy}}) {
    if (!StartsWith(folders, start)) continue;
    if (folders.size() == start.size()) return std::string();
    return std::string(shown);
  }
  if (StartsWith(folders, {"downloads"})) {
    if (kind == SkinKind::Suit) return std::string();
    return std::string(kSkins);
  }
  return std::nullopt;
}

}  // namespace quill::content
