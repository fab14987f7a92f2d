// SPDX-License-Identifier: GPL-3.0-or-later
// Mapping a Windows path of a Wine prefix to a Linux path, over arbitrary text: a result exactly
// for a path on the prefix's one drive, below that drive's link, never longer than the text it
// came from, and found again whatever the letter case of the text.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "fuzz_check.h"
#include "platform/files.h"
#include "platform/registry/wine_path.h"

namespace {

namespace fs = std::filesystem;

// A prefix with drive C: and the game's folders, made once for the whole run.
const fs::path& Prefix() {
  static const quill::platform::ScratchFolder folder;
  static const bool made = [] {
    fs::create_directories(folder.path() /
                           "drive_c/Program Files/Maxis/The Sims/UserData/Characters");
    fs::create_directories(folder.path() / "drive_c/users/Player/Saved Games");
    fs::create_directories(folder.path() / "dosdevices");
    fs::create_directory_symlink("../drive_c", folder.path() / "dosdevices/c:");
    return true;
  }();
  (void)made;
  return folder.path();
}

std::string UpperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = quill::fuzz::AsBytes(data, size);
  const auto mapped = quill::platform::registry::MapWindowsPathToWine(Prefix(), text);
  const bool onDriveC = text.size() >= 2 && (text[0] == 'c' || text[0] == 'C') && text[1] == ':' &&
                        (text.size() == 2 || text[2] == '\\' || text[2] == '/');
  FUZZ_REQUIRE(mapped.has_value() == onDriveC);
  if (!mapped) return 0;

  const std::string drive = (Prefix() / "dosdevices/c:").string();
  FUZZ_REQUIRE(mapped->string().starts_with(drive));
  FUZZ_REQUIRE(mapped->string().size() <= drive.size() + text.size());
  std::error_code ec;
  // A name with a zero byte is no name; the system would read it only up to that byte.
  if (text.find('\0') == std::string::npos && fs::exists(*mapped, ec)) {
    FUZZ_REQUIRE(quill::platform::registry::MapWindowsPathToWine(Prefix(), UpperAscii(text)) ==
                 mapped);
  }
  return 0;
}
