// `quillmere --list` over a folder of game-sized character files, against merely reading the same
// files' bytes: how much the reading, chunk walk and name inspection add.
//
//   list_bench [N] [folder]
//
// N files (default 1080, a large household's worth of downloads) are written as User00000.iff ...
// into `folder`, or into a fresh temporary folder that is removed at the end.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "character_builder.h"
#include "command_line/roster_listing.h"
#include "platform/files.h"

namespace {

namespace fs = std::filesystem;
namespace td = quill::testdata;

using Clock = std::chrono::steady_clock;

// 50 KB of portraits and chunks, plus up to 320 KB of behaviour code: 50-370 KB a file, the
// spread the game's own character files show. The same sizes on every run.
std::size_t PaddingOf(std::size_t file) {
  return (file * 7919 % 321) * 1024;
}

std::uintmax_t WriteFolder(const fs::path& folder, std::size_t files) {
  const td::SimLook looks[] = {{}, {{120, 80, 50}, {30, 20, 15}, {200, 120, 30}, {240, 220, 200}}};
  std::uintmax_t bytes = 0;
  for (std::size_t file = 0; file < files; ++file) {
    char name[32];
    std::snprintf(name, sizeof name, "User%05zu.iff", file);
    td::LookalikeCharacter("Sim " + std::to_string(file), "Lives in a benchmark.", looks[file % 2],
                           PaddingOf(file))
        .write(folder / name);
    bytes += fs::file_size(folder / name);
  }
  return bytes;
}

template <typename Work>
double MedianSeconds(Work work) {
  std::vector<double> runs;
  for (int run = 0; run < 5; ++run) {
    const Clock::time_point start = Clock::now();
    work();
    runs.push_back(std::chrono::duration<double>(Clock::now() - start).count());
  }
  std::sort(runs.begin(), runs.end());
  return runs[runs.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t files = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1080;
  const quill::platform::ScratchFolder temporary;
  const fs::path folder = argc > 2 ? fs::path(argv[2]) : temporary.path() / "characters";
  fs::create_directories(folder);
  const std::uintmax_t bytes = WriteFolder(folder, files);
  std::printf("%zu files, %.1f MB, in %s\n", files, bytes / 1e6, folder.string().c_str());

  const std::vector<fs::path> names = [&] {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder)) found.push_back(entry.path());
    return found;
  }();
  std::string image;
  const auto readAll = [&] {
    for (const fs::path& name : names) quill::platform::ReadWholeFile(name, image);
  };
  readAll();  // warms the page cache
  const double read = MedianSeconds(readAll);

  const quill::platform::ScratchFolder scratch;
  std::size_t named = 0;
  const double listed = MedianSeconds([&] {
    const auto roster = quill::ListRoster(folder, scratch.path());
    named = roster ? static_cast<std::size_t>(std::count_if(
                         roster->begin(), roster->end(),
                         [](const quill::RosterEntry& entry) { return entry.name != "Bad File"; }))
                   : 0;
  });
  std::printf("(a) reading the bytes:  %.3f s (median of 5)\n", read);
  std::printf("(b) --list's roster:    %.3f s (median of 5), %zu of %zu files named\n", listed,
              named, files);
  std::printf("(b)/(a) = %.2f\n", listed / read);
  return named == files ? 0 : 1;
}
