// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registry/wine_prefixes.h"

#include <algorithm>
#include <system_error>

#include "platform/files.h"
#include "platform/registry/steam_libraries.h"
#include "platform/registry/wine_path.h"

namespace quill::platform::registry {

namespace fs = std::filesystem;

namespace {

// Lutris's game files are a few hundred bytes.
constexpr std::size_t kLargestLutrisFile = 256 * 1024;

// The entries of `folder`, by name; only folders when `foldersOnly`.
std::vector<fs::path> SortedEntries(const fs::path& folder, bool foldersOnly) {
  std::vector<fs::path> entries;
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (!foldersOnly || it->is_directory(typeError)) entries.push_back(it->path());
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

const std::vector<std::string>& SaveFolderComponents() {
  static const std::vector<std::string> kComponents = {"Saved Games", "Electronic Arts",
                                                       "The Sims 25", "UserData", "Characters"};
  return kComponents;
}

std::optional<std::string> ParseLutrisPrefix(std::string_view text) {
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    if (!line.starts_with("prefix:")) continue;
    line = Trim(line.substr(7));
    if (line.size() >= 2 && (line.front() == '"' || line.front() == '\'') &&
        line.back() == line.front()) {
      line = line.substr(1, line.size() - 2);
    }
    if (!line.empty()) return std::string(line);
  }
  return std::nullopt;
}

std::vector<fs::path> FrontEndPrefixes(const Environment& env) {
  std::vector<fs::path> prefixes;
  if (env.home.empty()) return prefixes;
  const auto addAll = [&prefixes](const fs::path& folder) {
    for (fs::path& prefix : SortedEntries(folder, true)) prefixes.push_back(std::move(prefix));
  };
  for (const fs::path& game : SortedEntries(env.home / ".config/lutris/games", false)) {
    if (game.extension() != ".yml") continue;
    const auto text = ReadWholeFile(game, kLargestLutrisFile);
    if (!text) continue;
    const auto prefix = ParseLutrisPrefix(*text);
    std::error_code ec;
    if (prefix && fs::path(*prefix).is_absolute() && fs::is_directory(*prefix, ec)) {
      prefixes.emplace_back(*prefix);
    }
  }
  addAll(env.home / "Games");
  addAll(env.home / ".local/share/bottles/bottles");
  addAll(env.home / ".var/app/com.usebottles.bottles/data/bottles/bottles");
  addAll(env.home / ".PlayOnLinux/wineprefix");
  for (const fs::path& library : SteamLibraries(env)) {
    for (const fs::path& game : SortedEntries(library / "steamapps/compatdata", true)) {
      std::error_code ec;
      if (fs::is_directory(game / "pfx", ec)) prefixes.push_back(game / "pfx");
    }
  }
  return prefixes;
}

std::optional<fs::path> SaveFolderIn(const fs::path& users, const std::string& firstUser) {
  std::vector<fs::path> profiles;
  if (!firstUser.empty()) profiles.push_back(MatchComponents(users, {firstUser}));
  for (fs::path& profile : SortedEntries(users, true)) {
    if (profile.filename() != firstUser) profiles.push_back(std::move(profile));
  }
  for (const fs::path& profile : profiles) {
    const fs::path saves = MatchComponents(profile, SaveFolderComponents());
    std::error_code ec;
    if (fs::is_directory(saves, ec)) return saves;
  }
  return std::nullopt;
}

}  // namespace quill::platform::registry
