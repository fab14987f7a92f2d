// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registry/steam_libraries.h"

#include <set>
#include <system_error>

#include "platform/files.h"
#include "platform/registry/wine_registry.h"

namespace quill::platform::registry {

namespace fs = std::filesystem;

std::vector<std::string> ParseSteamLibraryList(std::string_view text) {
  std::vector<std::string> libraries;
  std::set<std::string> seen;
  bool afterPathKey = false;
  for (std::size_t i = 0; i < text.size() && libraries.size() < kMostSteamLibraries; ++i) {
    if (text[i] != '"') continue;
    std::string token;
    for (++i; i < text.size() && text[i] != '"'; ++i) {
      if (text[i] == '\\' && i + 1 < text.size()) ++i;
      token.push_back(text[i]);
    }
    // A quote that is never closed ends the list: what follows it is no path.
    if (i >= text.size()) break;
    if (afterPathKey && !token.empty() && seen.insert(token).second) {
      libraries.push_back(token);
      afterPathKey = false;
      continue;
    }
    afterPathKey = !afterPathKey && FoldCase(token) == "path";
  }
  return libraries;
}

std::vector<fs::path> SteamLibraries(const Environment& env) {
  std::vector<fs::path> libraries;
  if (env.home.empty()) return libraries;
  std::set<fs::path> seen;
  const auto add = [&](const fs::path& library) {
    std::error_code ec;
    if (libraries.size() >= kMostSteamLibraries || !fs::is_directory(library, ec)) return;
    fs::path canonical = fs::canonical(library, ec);
    // ~/.steam/steam is usually a link to one of the others.
    if (seen.insert(ec ? library : canonical).second) libraries.push_back(library);
  };
  const fs::path roots[] = {env.home / ".steam" / "steam", env.home / ".local/share/Steam",
                            env.home / ".var/app/com.valvesoftware.Steam/.local/share/Steam"};
  for (const fs::path& root : roots) {
    add(root);
    const auto list = ReadWholeFile(root / "steamapps" / "libraryfolders.vdf", kLargestLibraryList);
    if (!list) continue;
    for (const std::string& listed : ParseSteamLibraryList(*list)) add(listed);
  }
  return libraries;
}

}  // namespace quill::platform::registry
