// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the Sim card's data on a large neighbourhood: reading Neighborhood.iff, decoding every
// record and family, and gathering one Sim's profile with its friends and household.
//
//   neighbourhood_bench [PEOPLE] [RELATIONSHIPS]
//
// PEOPLE Sims (default 2000) in families of four, each with RELATIONSHIPS relationships (default
// 20), make a file of about 2 MB, written into a fresh temporary folder removed at the end. The
// file is read cold for the card each run (a fresh cache), after one read to warm the page cache.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "inspect/neighbourhood_files.h"
#include "inspect/sim_profile.h"
#include "neighbourhood_builder.h"
#include "platform/files.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRuns = 15;

}  // namespace

int main(int argc, char** argv) {
  const int people = argc > 1 ? std::atoi(argv[1]) : 2000;
  const int relationships = argc > 2 ? std::atoi(argv[2]) : 20;
  if (people < 1 || relationships < 0) {
    std::fprintf(stderr, "usage: %s [PEOPLE] [RELATIONSHIPS]\n", argv[0]);
    return 2;
  }
  const quill::platform::ScratchFolder folder;
  const fs::path characters = folder.path() / "UserData" / "Characters";
  fs::create_directories(characters);
  const fs::path file = folder.path() / "UserData" / quill::kNeighbourhoodFileName;
  quill::testdata::LargeNeighbourhood(people, relationships).write(file);
  const auto nameOf = [](std::uint32_t) { return std::optional<std::string>(); };

  std::vector<double> runs;
  std::size_t friends = 0;
  for (int run = 0; run <= kRuns; ++run) {
    quill::NeighbourhoodFiles files;
    const Clock::time_point start = Clock::now();
    const quill::Neighbourhood& hood = files.of(characters, 1);
    const quill::SimProfile sim = quill::ProfileOf(hood, hood.people[people / 2].guid, nameOf);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (run > 0) runs.push_back(ms);  // the first only warms the page cache
    friends = sim.friends ? sim.friends->size() : 0;
  }
  std::sort(runs.begin(), runs.end());
  std::printf("neighbourhood: %d Sims, %d relationships each, %.2f MB\n", people, relationships,
              static_cast<double>(fs::file_size(file)) / (1024.0 * 1024.0));
  std::printf(
      "card data (read, decode, one profile with %zu friends): median %.2f ms, "
      "slowest %.2f ms over %d runs (target: under 50 ms)\n",
      friends, runs[runs.size() / 2], runs.back(), kRuns);
  return 0;
}
