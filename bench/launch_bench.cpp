// SPDX-License-Identifier: GPL-3.0-or-later
// The viewer's start-up on a folder of game-sized Sims, until the roster is full and the window on
// screen, against a bare Qt window showing one list of as many lines: the CPU time each process
// takes, from exec to its first idle moment.
//
//   launch_bench [N] [RUNS] [folder]
//
// N files (default 216) are written as User00000.iff ... into `folder`, or into a fresh temporary
// folder that is removed at the end. Both programs run RUNS times (default 9), in turns, after one
// run each that warms the caches. Both end at their first idle moment through the quit_at_idle
// plugin, so the viewer is the program as built, unchanged.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "lookalike_folder.h"
#include "platform/files.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

double CpuSeconds(const rusage& usage) {
  const auto seconds = [](const timeval& time) { return time.tv_sec + time.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Runs the program to its end and returns the CPU time it took, user and system; exits the
// benchmark when it fails.
double RunForCpu(std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
    std::fprintf(stderr, "launch_bench: cannot start %s\n", argv[0]);
    std::exit(1);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "launch_bench: %s failed\n", argv[0]);
    std::exit(1);
  }
  return CpuSeconds(usage);
}

double Median(std::vector<double> runs) {
  std::sort(runs.begin(), runs.end());
  return runs[runs.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t files = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 216;
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;
  const quill::platform::ScratchFolder temporary;
  const fs::path folder = argc > 3 ? fs::path(argv[3]) : temporary.path() / "characters";
  fs::create_directories(folder);
  const std::uintmax_t bytes = quill::bench::WriteLookalikeFolder(folder, files);
  std::printf("%zu files, %.1f MB, in %s\n", files, bytes / 1e6, folder.string().c_str());

  setenv("QT_PLUGIN_PATH", QUIT_AT_IDLE_PLUGINS, 1);
  setenv("QT_QPA_GENERIC_PLUGINS", "quitatidle", 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  std::printf("platform %s\n", std::getenv("QT_QPA_PLATFORM"));
  const std::vector<std::string> viewer = {QUILLMERE_PROGRAM, folder.string()};
  const std::vector<std::string> bare = {BARE_WINDOW_PROGRAM, std::to_string(files)};
  RunForCpu(viewer);
  RunForCpu(bare);
  // Taken in turns, so that a busy moment of the machine falls on both alike.
  std::vector<double> viewerRuns;
  std::vector<double> bareRuns;
  std::vector<double> pairRatios;
  for (int run = 0; run < runs; ++run) {
    viewerRuns.push_back(RunForCpu(viewer));
    bareRuns.push_back(RunForCpu(bare));
    pairRatios.push_back(viewerRuns.back() / bareRuns.back());
  }
  const double viewerCpu = Median(viewerRuns);
  const double bareCpu = Median(bareRuns);
  std::printf("(a) bare window, one list of %zu lines: %.3f s CPU (median of %d)\n", files, bareCpu,
              runs);
  std::printf("(b) viewer, roster of %zu Sims:        %.3f s CPU (median of %d)\n", files,
              viewerCpu, runs);
  std::printf("(b)/(a) = %.2f  (aim <= 1.6); median of the pairs' ratios %.2f\n",
              viewerCpu / bareCpu, Median(pairRatios));
  return 0;
}
