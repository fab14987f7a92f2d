// SPDX-License-Identifier: GPL-3.0-or-later
// Times the start-up search for the game's folder when a player has many Wine prefixes with large
// registry files, none of which holds the game, against a home with no prefix at all, and in a
// home of 300 Proton prefixes whose 4 MB registries name "The Sims 2"; and reads one registry file
// of the largest size read, printing its time and the memory it took. A program that prints
// figures, not a test.
//   startup_bench [PREFIXES] [MEGABYTES_PER_FILE]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/registry/game_folder.h"
#include "platform/registry/registry.h"
#include "platform/registry/wine_registry.h"

namespace {

namespace fs = std::filesystem;
namespace registry = quill::platform::registry;

// A registry file of about `bytes` bytes, shaped as Wine writes one: many keys of a few values.
// `mention` puts the game's name in one key that is not the game's, which a plain-text search
// cannot tell from the game's own.
void WriteRegistry(const fs::path& file, std::size_t bytes, bool mention, const char* tail = "") {
  std::ofstream out(file, std::ios::binary);
  out << "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n";
  if (mention) out << "[Software\\\\Maxis\\\\The Sims 2] 1700000000\n\"Installed\"=dword:1\n\n";
  std::size_t written = 0;
  for (std::size_t n = 0; written < bytes; ++n) {
    std::string entry = "[Software\\\\Classes\\\\CLSID\\\\{";
    entry.append(std::to_string(1000000 + n));
    entry.append(
        "-0000-0000-C000-000000000046}] 1700000000\n#time=1d9f3c2b1a09876\n@=\"Component ");
    entry.append(std::to_string(n));
    entry.append("\"\n\"ThreadingModel\"=\"Both\"\n\"Flags\"=hex:01,00,00,00,ff,ff,00,00\n\n");
    out << entry;
    written += entry.size();
  }
  out << tail;
}

// A prefix whose system.reg is `registry`, linked rather than copied, so that hundreds are made
// quickly.
void MakePrefix(const fs::path& prefix, const fs::path& registry) {
  fs::create_directories(prefix / "drive_c/users/steamuser");
  fs::create_directories(prefix / "dosdevices");
  fs::create_directory_symlink("../drive_c", prefix / "dosdevices/c:");
  fs::create_hard_link(registry, prefix / "system.reg");
}

struct Timing {
  double wallMs;
  double cpuMs;  // this process's processor time: the wall time of an idle machine
};

// The medians of five timed runs after one that warms the page cache.
Timing Median(const std::function<void()>& run) {
  run();
  std::vector<double> wall;
  std::vector<double> cpu;
  for (int i = 0; i < 5; ++i) {
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t startCpu = std::clock();
    run();
    cpu.push_back(1000.0 * static_cast<double>(std::clock() - startCpu) / CLOCKS_PER_SEC);
    wall.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::sort(wall.begin(), wall.end());
  std::sort(cpu.begin(), cpu.end());
  return {wall[2], cpu[2]};
}

Timing Startup(const fs::path& home) {
  const registry::Environment env{home, {}, "player", {}};
  return Median([&env] {
    registry::WineRegistry own(registry::WinePrefixOf(env));
    if (registry::ChooseStartupFolder(registry::GetGameDataFolder(own), env)) {
      std::puts("unexpected: a game folder was found");
    }
  });
}

// The process's memory high-water mark in KiB (Linux).
long HighWaterKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("VmHWM:")) return std::atol(line.c_str() + 6);
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  const int prefixes = argc > 1 ? std::atoi(argv[1]) : 30;
  const std::size_t megabytes = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 8;
  const quill::platform::ScratchFolder large;
  WriteRegistry(large.path() / "system.reg", registry::kLargestRegistryFile - 64 * 1024, false,
                "[Software\\\\Wow6432Node\\\\Maxis\\\\The Sims] 1\n\"SIMS_DATA\"=\"C:\\\\Sims\"\n");
  std::string answer;
  // Measured first, so that the high-water mark before the read is the program's base.
  const long before = HighWaterKiB();
  const Timing large64 = Median([&] {
    registry::WineRegistry registry(large.path());
    answer = registry::GetGameDataFolder(registry);
  });
  const long after = HighWaterKiB();
  std::printf(
      "%zu MiB system.reg, the game's key at its end: %.1f / %.1f ms (wall / processor), "
      "%s, memory high-water +%ld KiB\n",
      registry::kLargestRegistryFile >> 20, large64.wallMs, large64.cpuMs, answer.c_str(),
      after - before);

  const quill::platform::ScratchFolder none;
  const quill::platform::ScratchFolder many;
  const quill::platform::ScratchFolder mentioning;
  const quill::platform::ScratchFolder proton;
  fs::create_directories(none.path() / ".wine");
  // Spread over the places players keep them: Lutris, Bottles and Steam's Proton.
  const auto make = [&](const fs::path& home, bool mention) {
    WriteRegistry(home / "system.reg", megabytes * 1024 * 1024, mention);
    for (int i = 0; i < prefixes; ++i) {
      const std::string name = std::string("p").append(std::to_string(i));
      const fs::path places[] = {home / "Games" / name,
                                 home / ".local/share/bottles/bottles" / name,
                                 home / ".local/share/Steam/steamapps/compatdata" / name / "pfx"};
      MakePrefix(places[i % 3], home / "system.reg");
    }
  };
  make(many.path(), false);
  make(mentioning.path(), true);
  WriteRegistry(proton.path() / "system.reg", 4000 * 1000, true);
  for (int i = 0; i < 300; ++i) {
    MakePrefix(proton.path() / ".local/share/Steam/steamapps/compatdata" /
                   std::to_string(100000 + i) / "pfx",
               proton.path() / "system.reg");
  }

  const Timing noneTime = Startup(none.path());
  const Timing manyTime = Startup(many.path());
  const Timing mentioningTime = Startup(mentioning.path());
  const Timing protonTime = Startup(proton.path());
  std::printf("start-up search (wall / processor time):\n");
  std::printf("  no prefix:                                   %7.1f / %7.1f ms\n", noneTime.wallMs,
              noneTime.cpuMs);
  std::printf("  %d prefixes of %zu MB, no game:                %7.1f / %7.1f ms (+%.1f ms)\n",
              prefixes, megabytes, manyTime.wallMs, manyTime.cpuMs,
              manyTime.cpuMs - noneTime.cpuMs);
  std::printf("  the same, each naming \"The Sims 2\":              %7.1f / %7.1f ms\n",
              mentioningTime.wallMs, mentioningTime.cpuMs);
  std::printf("  300 Proton prefixes of 4 MB naming \"The Sims 2\": %7.1f / %7.1f ms (+%.1f ms)\n",
              protonTime.wallMs, protonTime.cpuMs, protonTime.cpuMs - noneTime.cpuMs);

  return 0;
}
