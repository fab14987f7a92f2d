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

// The process id a marker names; nothing for anything else. Nineteen digits never overflow.
std::optional<std::uint64_t> MarkedProcess(const fs::path& folder) {
  const std::optional<std::string> text = ReadWholeFile(folder / kScratchMarker, 19);
  if (!text || text->empty()) return std::nullopt;
  std::uint64_t id = 0;
  for (const char c : *text) {
    if (c < '0' || c > '9') return std::nullopt;
    id = id * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (id == 0) return std::nullopt;
  return id;
}

}  // namespace

std::optional<FolderListing> ListFolder(const fs::path& folder) {
  std::error_code ec;
  fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
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
  absolute = absolute.lexically_normal();
  if (!fs::is_directory(absolute, ec) || ec) return std::nullopt;
  // A trailing separator would make two spellings of one folder.
  if (absolute.has_relative_path() && !absolute.has_filename()) absolute = absolute.parent_path();
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

void ScratchFolder::mark() {
  if (!WriteAtStart(path_ / kScratchMarker, std::to_string(CurrentProcessId()))) remove();
}

void RemoveStaleScratchFolders(const fs::path& base) {
  const std::optional<FolderListing> listing = ListFolder(base);
  if (!listing) return;
  for (const fs::path& name : listing->folders) {
    if (name.string().rfind(kScratchPrefix, 0) != 0) continue;
    const fs::path folder = base / name;
    if (!IsOwnFolder(folder)) continue;
    const std::optional<std::uint64_t> owner = MarkedProcess(folder);
    if (!owner || ProcessRuns(*owner)) continue;
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
}

void ScratchFolder::remove() {
  if (path_.empty()) return;
  std::error_code ec;
  fs::remove_all(path_, ec);
  path_.clear();
}

ScratchFolder::~ScratchFolder() {
  remove();
}

}  // namespace quill::platform
