// SPDX-License-Identifier: GPL-3.0-or-later
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

#include "chunkfile/name_order.h"
#include "command_line/roster_listing.h"
#include "lookalike_folder.h"
#include "platform/files.h"

namespace {

namespace fs = std::filesystem;

using Clock = std::chrono::steady_clock;

constexpr int kRuns = 9;

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
  const std::uintmax_t bytes = quill::bench::WriteLookalikeFolder(folder, files);
  std::printf("%zu files, %.1f MB, in %s\n", files, bytes / 1e6, folder.string().c_str());

  // In the order --list reads them, so that both read the disk alike.
  std::vector<fs::path> names = quill::ListCharacterFiles(folder).value_or(std::vector<fs::path>());
  for (fs::path& name : names) name = folder / name;
  std::string image;
  const auto readAll = [&] {
    for (const fs::path& name : names) quill::platform::ReadWholeFile(name, image);
  };
  std::size_t named = 0;
  const auto listAll = [&] {
    const auto roster = quill::ListRoster(folder, 1);
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
