#include "platform/registry/game_folder.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include "platform/registry/registry.h"
#include "platform/registry/wine_registry.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace quill::platform::registry {

namespace fs = std::filesystem;

namespace {

bool IsFolder(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

// The re-release's save folder, below the user's profile folder.
const std::vector<std::string>& SaveFolderComponents() {
  static const std::vector<std::string> kComponents = {"Saved Games", "Electronic Arts",
                                                       "The Sims 25", "UserData", "Characters"};
  return kComponents;
}

// The entry of `folder` named `name` with case ignored, preferring the exact spelling; the name as
// written when there is none. Several spellings can only exist on a case-sensitive file system,
// where Wine would see one of them; we take the first in byte order so that the choice is stable.
fs::path MatchEntry(const fs::path& folder, const std::string& name) {
  std::error_code ec;
  const fs::path exact = folder / name;
  if (fs::exists(fs::symlink_status(exact, ec))) return exact;
  const std::string wanted = FoldCase(name);
  std::optional<std::string> best;
  fs::directory_iterator it(folder, ec);
  for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    if (FoldCase(entry) == wanted && (!best || entry < *best)) best = entry;
  }
  return best ? folder / *best : exact;
}

fs::path MatchComponents(fs::path base, const std::vector<std::string>& components) {
  for (const std::string& component : components) base = MatchEntry(base, component);
  return base;
}

#ifndef _WIN32
// A link-free spelling, so that the viewer shows the folder the way the player knows it rather
// than through the prefix's drive links.
std::optional<fs::path> Found(const fs::path& folder) {
  if (!IsFolder(folder)) return std::nullopt;
  std::error_code ec;
  fs::path canonical = fs::canonical(folder, ec);
  return ec ? folder : canonical;
}

// The "path" entries of Steam's list of library folders (a KeyValues text file).
std::vector<fs::path> ListedLibraries(const fs::path& listFile) {
  std::vector<fs::path> libraries;
  const std::optional<std::string> text = ReadBoundedFile(listFile, 1024 * 1024);
  if (!text) return libraries;
  std::vector<std::string> tokens;
  for (std::size_t i = 0; i < text->size(); ++i) {
    if ((*text)[i] != '"') continue;
    std::string token;
    for (++i; i < text->size() && (*text)[i] != '"'; ++i) {
      if ((*text)[i] == '\\' && i + 1 < text->size()) ++i;
      token.push_back((*text)[i]);
    }
    tokens.push_back(std::move(token));
  }
  for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
    if (FoldCase(tokens[i]) == "path" && !tokens[i + 1].empty())
      libraries.emplace_back(tokens[++i]);
  }
  return libraries;
}

std::vector<fs::path> SteamLibraries(const Environment& env) {
  std::vector<fs::path> libraries;
  if (env.home.empty()) return libraries;
  const fs::path roots[] = {env.home / ".steam" / "steam", env.home / ".local/share/Steam",
                            env.home / ".var/app/com.valvesoftware.Steam/.local/share/Steam"};
  std::vector<fs::path> seen;
  const auto add = [&](const fs::path& library) {
    if (!IsFolder(library)) return;
    std::error_code ec;
    fs::path canonical = fs::canonical(library, ec);
    if (ec) canonical = library;
    // ~/.steam/steam is usually a link to one of the others.
    if (std::find(seen.begin(), seen.end(), canonical) != seen.end()) return;
    seen.push_back(canonical);
    libraries.push_back(library);
  };
  for (const fs::path& root : roots) {
    add(root);
    for (const fs::path& listed : ListedLibraries(root / "steamapps" / "libraryfolders.vdf")) {
      add(listed);
    }
  }
  return libraries;
}

std::optional<fs::path> ChooseOnWine(const std::string& gameDataFolder, const Environment& env) {
  const fs::path prefix = WinePrefixOf(env);
  if (!prefix.empty() && gameDataFolder != kGameDataNotFound) {
    const auto mapped = MapWindowsPathToWine(prefix, gameDataFolder + "UserData\\Characters");
    if (mapped) {
      if (auto found = Found(*mapped)) return found;
    }
  }

  if (!prefix.empty()) {
    const fs::path users = prefix / "drive_c" / "users";
    std::vector<std::string> names;
    if (!env.user.empty()) names.push_back(env.user);
    std::vector<std::string> others;
    std::error_code ec;
    fs::directory_iterator it(users, ec);
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
      std::string name = it->path().filename().string();
      if (name != env.user) others.push_back(std::move(name));
    }
    std::sort(others.begin(), others.end());
    names.insert(names.end(), others.begin(), others.end());
    for (const std::string& name : names) {
      if (auto found = Found(MatchComponents(MatchEntry(users, name), SaveFolderComponents()))) {
        return found;
      }
    }
  }

  for (const fs::path& library : SteamLibraries(env)) {
    const fs::path profile = library / "steamapps" / "compatdata" / kReReleaseSteamApp / "pfx" /
                             "drive_c" / "users" / "steamuser";
    if (auto found = Found(MatchComponents(profile, SaveFolderComponents()))) return found;
  }
  return std::nullopt;
}
#else
// The registry's text is in the ANSI code page.
fs::path AnsiPath(const std::string& text) {
  const int length =
      ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
  if (length > 0) {
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          length);
  }
  return fs::path(wide);
}

std::optional<fs::path> ChooseOnWindows(const std::string& gameDataFolder, const Environment& env) {
  if (gameDataFolder != kGameDataNotFound) {
    const fs::path characters = AnsiPath(gameDataFolder + "UserData\\Characters");
    if (IsFolder(characters)) return characters;
  }
  if (!env.userProfile.empty()) {
    fs::path saves = env.userProfile;
    for (const std::string& component : SaveFolderComponents()) saves /= component;
    if (IsFolder(saves)) return saves;
  }
  return std::nullopt;
}
#endif

}  // namespace

std::optional<fs::path> MapWindowsPathToWine(const fs::path& prefix, std::string_view windowsPath) {
  const auto isSeparator = [](char c) { return c == '\\' || c == '/'; };
  const bool driveAbsolute = windowsPath.size() >= 2 && windowsPath[1] == ':' &&
                             ((windowsPath[0] >= 'A' && windowsPath[0] <= 'Z') ||
                              (windowsPath[0] >= 'a' && windowsPath[0] <= 'z')) &&
                             (windowsPath.size() == 2 || isSeparator(windowsPath[2]));
  if (!driveAbsolute) return std::nullopt;
  const fs::path drive = MatchEntry(prefix / "dosdevices", std::string(windowsPath.substr(0, 2)));
  if (!IsFolder(drive)) return std::nullopt;

  std::vector<std::string> components;
  std::size_t start = 2;
  while (start < windowsPath.size()) {
    std::size_t end = start;
    while (end < windowsPath.size() && !isSeparator(windowsPath[end])) ++end;
    const std::string_view component = windowsPath.substr(start, end - start);
    // Windows resolves dots in the text of the path, never above the drive's root.
    if (component == "..") {
      if (!components.empty()) components.pop_back();
    } else if (!component.empty() && component != ".") {
      components.emplace_back(component);
    }
    start = end + 1;
  }
  return MatchComponents(drive, components);
}

std::optional<fs::path> ChooseStartupFolder(const std::string& gameDataFolder,
                                            const Environment& env) {
#ifdef _WIN32
  return ChooseOnWindows(gameDataFolder, env);
#else
  return ChooseOnWine(gameDataFolder, env);
#endif
}

std::optional<fs::path> ChooseStartupFolder(const std::string& gameDataFolder) {
  return ChooseStartupFolder(gameDataFolder, CurrentEnvironment());
}

}  // namespace quill::platform::registry
