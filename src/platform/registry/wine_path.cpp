// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registry/wine_path.h"

#include <system_error>

#include "platform/registry/wine_registry.h"

namespace quill::platform::registry {

namespace fs = std::filesystem;

namespace {

// Past this length the system looks nothing up, so no component beyond it can be matched.
constexpr std::size_t kLongestLookup = 4096;

// The name of the entry of `folder` called `name` with case ignored, preferring the exact
// spelling; nothing when there is none. Several spellings can only exist on a case-sensitive
// file system, where Wine would see one of them; we take the first in byte order so that the
// choice is stable.
std::optional<std::string> MatchEntry(const fs::path& folder, std::string_view name) {
  // No file name holds a zero byte; the system would read the name only up to it.
  if (name.find('\0') != std::string_view::npos) return std::nullopt;
  std::error_code ec;
  if (fs::exists(fs::symlink_status(folder / name, ec))) return std::string(name);
  const std::string wanted = FoldCase(name);
  std::optional<std::string> best;
  fs::directory_iterator it(folder, ec);
  for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
    std::string entry = it->path().filename().string();
    if (FoldCase(entry) == wanted && (!best || entry < *best)) best = std::move(entry);
  }
  return best;
}

// Appends each component to the text of `base`, once: matching stops at the first component
// that does not exist, since nothing can exist below it.
template <typename Components>
fs::path Match(const fs::path& base, const Components& components) {
  std::string path = base.string();
  bool matching = true;
  for (const auto& component : components) {
    std::optional<std::string> entry;
    if (matching && path.size() <= kLongestLookup) entry = MatchEntry(fs::path(path), component);
    matching = entry.has_value();
    if (!path.empty() && path.back() != '/') path.push_back('/');
    path.append(entry ? std::string_view(*entry) : std::string_view(component));
  }
  return fs::path(std::move(path));
}

}  // namespace

fs::path MatchComponents(const fs::path& base, const std::vector<std::string>& components) {
  return Match(base, components);
}

std::optional<fs::path> MapWindowsPathToWine(const fs::path& prefix, std::string_view windowsPath) {
  const auto isSeparator = [](char c) { return c == '\\' || c == '/'; };
  const bool driveAbsolute = windowsPath.size() >= 2 && windowsPath[1] == ':' &&
                             ((windowsPath[0] >= 'A' && windowsPath[0] <= 'Z') ||
                              (windowsPath[0] >= 'a' && windowsPath[0] <= 'z')) &&
                             (windowsPath.size() == 2 || isSeparator(windowsPath[2]));
  if (!driveAbsolute) return std::nullopt;
  const fs::path devices = prefix / "dosdevices";
  const std::optional<std::string> drive = MatchEntry(devices, windowsPath.substr(0, 2));
  std::error_code ec;
  if (!drive || !fs::is_directory(devices / *drive, ec)) return std::nullopt;

  std::vector<std::string_view> components;
  std::size_t start = 2;
  while (start < windowsPath.size()) {
    std::size_t end = start;
    while (end < windowsPath.size() && !isSeparator(windowsPath[end])) ++end;
    const std::string_view component = windowsPath.substr(start, end - start);
    // Windows resolves dots in the text of the path, never above the drive's root.
    if (component == "..") {
      if (!components.empty()) components.pop_back();
    } else if (!component.empty() && component != ".") {
      components.push_back(component);
    }
    start = end + 1;
  }
  return Match(devices / *drive, components);
}

}  // namespace quill::platform::registry
