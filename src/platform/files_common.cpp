// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of the file services that the standard library covers on every system.
#include "platform/files.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <system_error>

#include "platform/read_to_end.h"
#include "platform/scratch_owner.h"

namespace quill::platform {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kScratchPrefix = "quillmere-";
constexpr const char* kScratchMarker = "quillmere.pid";

// `absolute` without "." and "..", taken as the file system takes them: ".." after a symbolic
// link leads to the parent of the link's target, not back to the folder that holds the link.
fs::path WithoutDots(const fs::path& absolute) {
  fs::path resolved;
  for (const fs::path& part : absolute) {
    if (part.empty() || part == ".") continue;
    if (part != "..") {
      resolved /= part;
      continue;
    }
    std::error_code ec;
    if (fs::is_symlink(resolved, ec)) {
      fs::path target = fs::canonical(resolved, ec);
      if (!ec) resolved = std::move(target);
    }
    resolved = resolved.parent_path();
  }
  return resolved;
}

}  // namespace

bool NameTaken(const fs::path& file) {
  std::error_code ignored;
  return fs::exists(fs::symlink_status(file, ignored));
}

std::optional<FolderListing> ListFolder(const fs::path& folder) {
  std::error_code ec;
  // A folder that may not be read is refused, not shown as empty.
  fs::directory_iterator it(folder, ec);
  if (ec) return std::nullopt;
  FolderListing listing;
  for (const fs::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) return std::nullopt;
    std::error_code typeError;
    // A link to a folder is a folder to open; a dangling link is a name like any file's.
    if (it->is_directory(typeError)) {
      listing.folders.push_back(it->path().filename());
    } else {
      listing.files.push_back(it->path().filename());
    }
  }
  if (ec) return std::nullopt;
  return listing;
}

std::optional<fs::path> ResolveFolder(const fs::path& folder) {
  std::error_code ec;
  fs::path absolute = fs::absolute(folder, ec);
  if (ec) return std::nullopt;
  absolute = WithoutDots(absolute);
  if (!fs::is_directory(absolute, ec) || ec) return std::nullopt;
  return absolute;
}

std::optional<FileStamp> StampOf(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec) return std::nullopt;
  const fs::file_time_type modified = fs::last_write_time(path, ec);
  if (ec) return std::nullopt;
  return FileStamp{size, static_cast<std::int64_t>(modified.time_since_epoch().count())};
}

std::optional<std::int64_t> FolderChangeTime(const fs::path& folder) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return std::nullopt;
  const fs::file_time_type changed = fs::last_write_time(folder, ec);
  if (ec) return std::nullopt;
  return static_cast<std::int64_t>(changed.time_since_epoch().count());
}

std::optional<fs::path> RealFolder(const fs::path& folder) {
  std::error_code ec;
  fs::path real = fs::canonical(folder, ec);
  if (ec || !fs::is_directory(real, ec)) return std::nullopt;
  return real;
}

fs::path CurrentFolder() {
  std::error_code ec;
  fs::path here = fs::current_path(ec);
  return ec ? fs::path() : here;
}

fs::path JoinFolderAndName(const fs::path& folder, const fs::path& name) {
  fs::path::string_type joined = folder.native();
  if (joined.empty() || joined.back() != fs::path::preferred_separator) {
    joined.push_back(fs::path::preferred_separator);
  }
  joined += name.native();
  return fs::path(joined);
}

bool ReadToEnd(std::string& bytes, std::size_t expected, std::size_t limit,
               const std::function<long long(char* into, std::size_t room)>& readSome) {
  // One spare byte tells a file that grew since it was measured from one that did not, without a
  // second allocation in the common case.
  bytes.resize(expected + 1);
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) {
      if (filled > limit) break;
      bytes.resize(std::min(limit + 1, 2 * bytes.size()));
    }
    const long long got = readSome(bytes.data() + filled, bytes.size() - filled);
    if (got < 0) break;
    if (got == 0) {
      bytes.resize(filled);
      return true;
    }
    filled += static_cast<std::size_t>(got);
  }
  bytes.clear();
  return false;
}

bool ReadUpTo(std::string& bytes, std::size_t most,
              const std::function<long long(char* into, std::size_t room)>& readSome) {
  bytes.resize(most);
  std::size_t filled = 0;
  while (filled < most) {
    const long long got = readSome(bytes.data() + filled, most - filled);
    if (got < 0) {
      bytes.clear();
      return false;
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  return true;
}

void ScratchFolder::mark() {
  marker_ = HoldMarker(path_ / kScratchMarker, std::to_string(CurrentProcessId()));
  if (marker_ == -1) remove();
}

void RemoveStaleScratchFolders(const fs::path& base) {
  const std::optional<FolderListing> listing = ListFolder(base);
  if (!listing) return;
  for (const fs::path& name : listing->folders) {
    if (name.string().rfind(kScratchPrefix, 0) != 0) continue;
    const fs::path folder = base / name;
    if (!IsOwnFolder(folder) || !MarkerAbandoned(folder / kScratchMarker)) continue;
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
}

void ScratchFolder::remove() {
  if (path_.empty()) return;
  // Let go first: Windows deletes no file that is held open.
  ReleaseMarker(marker_);
  marker_ = -1;
  std::error_code ec;
  fs::remove_all(path_, ec);
  path_.clear();
}

ScratchFolder::~ScratchFolder() {
  remove();
}

}  // namespace quill::platform
