// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registry/install_folder.h"

#include <string_view>
#include <system_error>
#include <type_traits>
#include <utility>

#include "platform/registry/key_text_search.h"

namespace quill::platform::registry {

namespace fs = std::filesystem;

namespace {

// Whether the file name `name` is the ASCII name `wanted` with case ignored, as Wine and Windows
// compare names; a name with any other character is not.
bool SameName(const fs::path::string_type& name, std::string_view wanted) {
  if (name.size() != wanted.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto unit = static_cast<std::make_unsigned_t<fs::path::value_type>>(name[i]);
    if (unit > 0x7F || FoldByte(static_cast<unsigned char>(unit)) !=
                           FoldByte(static_cast<unsigned char>(wanted[i]))) {
      return false;
    }
  }
  return true;
}

// The entry of `folder` called `name` with case ignored, preferring the exact spelling, else the
// first in name order, so that the choice is stable.
std::optional<fs::path> EntryIn(const fs::path& folder, std::string_view name) {
  std::error_code ec;
  if (fs::exists(folder / name, ec)) return folder / name;
  std::optional<fs::path> best;
  fs::directory_iterator it(folder, ec);
  for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
    if (SameName(it->path().filename().native(), name) && (!best || it->path() < *best)) {
      best = it->path();
    }
  }
  return best;
}

bool HoldsFile(const fs::path& folder, std::string_view name) {
  const std::optional<fs::path> file = EntryIn(folder, name);
  std::error_code ec;
  return file && fs::is_regular_file(*file, ec);
}

}  // namespace

bool IsGameFolder(const fs::path& folder) {
  const std::optional<fs::path> gameData = EntryIn(folder, "GameData");
  std::error_code ec;
  return gameData && fs::is_directory(*gameData, ec) && HoldsFile(*gameData, "Behavior.iff");
}

bool IsReReleaseInstall(const fs::path& folder) {
  return HoldsFile(folder, "eadpsdk.json") && HoldsFile(folder, "Sims.exe");
}

bool LiesInReReleaseInstall(const fs::path& folder) {
  std::error_code ec;
  fs::path at = fs::absolute(folder, ec).lexically_normal();
  if (ec) return false;
  // Each step drops one name, so the walk ends at the root.
  for (;;) {
    if (IsReReleaseInstall(at)) return true;
    fs::path up = at.parent_path();
    if (up.empty() || up == at) return false;
    at = std::move(up);
  }
}

std::optional<fs::path> GameFolderAbove(const fs::path& characters) {
  if (characters.empty()) return std::nullopt;
  std::error_code ec;
  fs::path folder = fs::absolute(characters, ec).lexically_normal();
  if (ec) return std::nullopt;
  // "…/Characters/" names the same folder as "…/Characters".
  if (!folder.has_filename()) folder = folder.parent_path();
  const fs::path userData = folder.parent_path();
  const auto name = userData.filename().native();
  constexpr std::string_view kUserData = "UserData";
  if (name.size() < kUserData.size() || !SameName(name.substr(0, kUserData.size()), kUserData)) {
    return std::nullopt;
  }
  fs::path game = userData.parent_path();
  if (!IsGameFolder(game)) return std::nullopt;
  return game;
}

std::string GetInstallPath(RegistryApi& api) {
  // The game is a 32-bit program, so on 64-bit Windows its installer wrote to the 32-bit view;
  // the native view covers 32-bit systems and hand-made keys.
  std::string folder = ReadRegistryValue(api, RootKey::kLocalMachine, kGameKeyPath,
                                         kInstallPathValue, KeyView::k32Bit);
  if (folder.empty()) {
    folder = ReadRegistryValue(api, RootKey::kLocalMachine, kGameKeyPath, kInstallPathValue,
                               KeyView::kNative);
  }
  return folder;
}

std::optional<fs::path> FindGameFolder(const fs::path& characters,
                                       std::function<bool()> endRequested) {
  return FindGameFolder(characters, CurrentEnvironment(),
                        ReadingBudget(kMostRegistryBytesPerSearch, std::move(endRequested)));
}

}  // namespace quill::platform::registry
