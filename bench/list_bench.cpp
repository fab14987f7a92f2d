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
#include "chunkfile/name_order.h"
#include "command_line/roster_listing.h"
#include "platform/files.h"

namespace {

namespace fs = std::filesystem;
namespace td = quill::testdata;

using Clock = std::chrono::steady_clock;

constexpr int kRuns = 9;

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
                           {.padding = PaddingOf(file)})
        .write(folder / name);
    bytes += fs::file_size(folder / name);
  }
  return bytes;
}

template <typename Work>
double Seconds(Work work) {
  const Clock::time_point start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> runs) {
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

  // In the order --list reads them, so that both read the disk alike.
  std::vector<fs::path> names = quill::ListCharacterFiles(folder).value_or(std::vector<fs::path>());
  for (fs::path& name : names) name = folder / name;
  std::string image;
  const auto readAll = [&] {
    for (const fs::path& name : names) quill::platform::ReadWholeFile(name, image);
  };
  const quill::platform::ScratchFolder scratch;
  std::size_t named = 0;
  const auto listAll = [&] {
    const auto roster = quill::ListRoster(folder, scratch.path(), 1);
    named = roster ? static_cast<std::size_t>(std::count_if(
                         roster->begin(), roster->end(),
                         [](const quill::RosterEntry& entry) { return entry.name != "Bad File"; }))
                   : 0;
  };
  readAll();  // warms the page cache
  // Taken in turns, so that a busy moment of the machine falls on both alike.
  std::vector<double> reads;
  std::vector<double> lists;
  for (int run = 0; run < kRuns; ++run) {
    reads.push_back(Seconds(readAll));
    lists.push_back(Seconds(listAll));
  }
  const double read = Median(reads);
  const double listed = Median(lists);
  std::printf("(a) reading the bytes:  %.3f s (median of %d)\n", read, kRuns);
  std::printf("(b) --list's roster:    %.3f s (median of %d), %zu of %zu files named\n", listed,
              kRuns, named, files);
  std::printf("(b)/(a) = %.2f\n", listed / read);
  return named == files ? 0 : 1;
}
