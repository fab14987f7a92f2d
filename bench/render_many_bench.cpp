// SPDX-License-Identifier: GPL-3.0-or-later
// `quillmere --render` as a player's page or a script runs it: 216 Sims, each its own process,
// each drawn 400 × 600 into a new PNG file, first one after another, then two at a time (one for
// each of this machine's cores, as `xargs -P 2` would). The Sims are the built figures (adult,
// child, dog, cat and a headless adult) copied in turn; the game folder is named with --game, and
// every run makes its skins index anew. The target is 10 s for all 216.
//
//   render_many_bench [folder]   (default: render_many_bench_folder beside this program)
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "figure_builder.h"
#include "lookalike_folder.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using quill::bench::CharacterFileName;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kSims = 216;
constexpr std::size_t kFigures = 5;

// Starts one `quillmere --render`; a Sim with some parts drawn is drawn, so every run should end
// with status 0.
pid_t StartRender(const fs::path& game, const fs::path& file, const fs::path& out) {
  std::vector<std::string> arguments = {QUILLMERE_PROGRAM, "--render", file.string(), "--game",
                                        game.string(),     "--out",    out.string()};
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
    throw std::runtime_error("cannot run " + arguments[0]);
  }
  return child;
}

// Whether the run ended well.
bool Ended(pid_t child) {
  int status = 0;
  if (waitpid(child, &status, 0) != child) throw std::runtime_error("lost a run");
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Renders every Sim, `atOnce` runs at a time, into `out`; the seconds it took, and how many runs
// failed.
std::pair<double, int> RenderAll(const fs::path& game, const fs::path& sims, const fs::path& out,
                                 std::size_t atOnce) {
  fs::remove_all(out);
  fs::create_directories(out);
  int failed = 0;
  const Clock::time_point start = Clock::now();
  for (std::size_t n = 0; n < kSims; n += atOnce) {
    std::vector<pid_t> running;
    for (std::size_t k = n; k < std::min(n + atOnce, kSims); ++k) {
      running.push_back(
          StartRender(game, sims / CharacterFileName(k), out / (std::to_string(k) + ".png")));
    }
    for (const pid_t child : running) failed += Ended(child) ? 0 : 1;
  }
  return {std::chrono::duration<double>(Clock::now() - start).count(), failed};
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const fs::path root = argc > 1 ? fs::path(argv[1]) : fs::path(RENDER_MANY_BENCH_FOLDER);
    fs::remove_all(root);
    const fs::path game = root / "game";
    quill::testdata::WriteFigureGame(game);
    const fs::path figures = game / "UserData" / "Characters";
    const fs::path sims = root / "sims";
    const fs::path out = root / "pictures";
    fs::create_directories(sims);
    for (std::size_t n = 0; n < kSims; ++n) {
      fs::copy_file(figures / CharacterFileName(n % kFigures), sims / CharacterFileName(n));
    }
    for (const std::size_t atOnce : {std::size_t{1}, std::size_t{2}}) {
      const auto [seconds, failed] = RenderAll(game, sims, out, atOnce);
      std::printf(
          "--render of %zu Sims, %zu at a time: %.2f s in all, %.1f ms a Sim (target: 10 s); "
          "%d not drawn\n",
          kSims, atOnce, seconds, seconds * 1000 / double(kSims), failed);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "render_many_bench: %s\n", error.what());
    return 1;
  }
  return 0;
}
