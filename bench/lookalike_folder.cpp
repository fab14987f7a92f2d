// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookalike_folder.h"

#include <cstdio>
#include <string>

namespace quill::bench {

namespace {

// 50 KB of portraits and chunks, plus up to 320 KB of behaviour code: 50-370 KB a file, the
// spread the game's own character files show. The same sizes on every run.
std::size_t PaddingOf(std::size_t file) {
  return (file * 7919 % 321) * 1024;
}

}  // namespace

std::string CharacterFileName(std::size_t number) {
  char name[32];
  std::snprintf(name, sizeof name, "User%05zu.iff", number);
  return name;
}

std::uintmax_t WriteLookalikeFolder(const std::filesystem::path& folder, std::size_t files,
                                    const LooksOfFile& looksOf) {
  const testdata::SimLook looks[] = {
      {}, {{120, 80, 50}, {30, 20, 15}, {200, 120, 30}, {240, 220, 200}}};
  std::uintmax_t bytes = 0;
  for (std::size_t file = 0; file < files; ++file) {
    const std::string name = CharacterFileName(file);
    testdata::LookalikeCharacter(
        "Sim " + std::to_string(file), "Lives in a benchmark.", looks[file % 2],
        {.padding = PaddingOf(file), .looks = looksOf ? looksOf(file) : std::nullopt})
        .write(folder / name);
    bytes += std::filesystem::file_size(folder / name);
  }
  return bytes;
}

}  // namespace quill::bench
