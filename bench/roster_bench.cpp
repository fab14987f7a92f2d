// SPDX-License-Identifier: GPL-3.0-or-later
// The roster pass over a folder of game-sized character files, against merely reading the same
// files: how much slower the pass is, how long the window goes without an event-loop turn, and
// how much memory the pass takes beyond what the window already held.
//
//   roster_bench [N] [folder]
//
// N files (default 1000) are written as User00000.iff ... into `folder`, or into a fresh
// temporary folder that is removed at the end.
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "character_builder.h"
#include "platform/files.h"
#include "window/folder_list.h"
#include "window/frm_main.h"
#include "window/platform_services.h"

namespace {

namespace fs = std::filesystem;
namespace td = quill::testdata;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration elapsed) {
  return std::chrono::duration<double>(elapsed).count();
}

// The same numbers on every machine and every standard library, so that two runs time the same
// folder.
class SplitMix {
 public:
  explicit SplitMix(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // From `low` to `high`, both included.
  std::size_t between(std::size_t low, std::size_t high) {
    return low + static_cast<std::size_t>(next() % (high - low + 1));
  }
  template <typename T>
  const T& pick(const std::vector<T>& choices) {
    return choices[between(0, choices.size() - 1)];
  }

 private:
  std::uint64_t state_;
};

// Game-sized files: 55 to 370 KB, most of it behaviour data, and 30 to 46 chunks.
constexpr std::size_t kMostPadding = 315 * 1024;
constexpr std::size_t kPlainChunks = 25;  // the lookalike without extras
constexpr std::size_t kFewestChunks = 30;
constexpr std::size_t kMostChunks = 46;
constexpr std::size_t kRemarks = 26;  // the game's CTSS holds 28 strings

const std::vector<td::SimLook> kLooks = {
    {{236, 188, 150}, {160, 60, 30}, {120, 40, 140}, {210, 230, 250}},
    {{120, 80, 50}, {30, 20, 15}, {200, 120, 30}, {240, 220, 200}},
    {{240, 200, 170}, {220, 190, 90}, {30, 150, 120}, {250, 210, 220}},
    {{210, 160, 120}, {60, 60, 60}, {90, 90, 100}, {200, 230, 200}},
    {{250, 215, 190}, {200, 80, 20}, {20, 60, 160}, {230, 230, 250}},
    {{200, 150, 100}, {20, 20, 20}, {180, 30, 30}, {250, 240, 200}},
    {{170, 120, 90}, {230, 230, 230}, {60, 120, 60}, {220, 220, 240}},
    {{225, 180, 140}, {110, 70, 40}, {70, 70, 160}, {240, 240, 220}}};
const std::vector<std::string> kFirstNames = {
    "Ada",   "Bram",   "Celeste", "Dmitri", "Esme",   "Felix", "Gwendolyn", "Hugo",
    "Ines",  "Jasper", "Kalinda", "Lorcan", "Maelle", "Nico",  "Odile",     "Piers",
    "Quinn", "Rosa",   "Sefton",  "Thea",   "Ulric",  "Vera",  "Wendell",   "Yusuf"};
const std::vector<std::string> kLastNames = {
    "Thornbury", "Okonkwo", "Marchetti", "Vale",    "Quillfeather", "Nakamura-Reyes",
    "Ash",       "Pelham",  "Drummond",  "Castell", "Fairweather",  "Osei",
    "Lindqvist", "Moreau",  "Hargreave", "Takeda",  "Brannigan",    "Sorensen"};
const std::vector<std::string> kDescriptions = {
    "Keeps a ledger of every cup of tea she has ever brewed",
    "Builds model lighthouses and hums sea shanties while cooking",
    "Paints the same sunset every evening and never the same way twice",
    "Writes letters to the newspaper about the price of plumbobs",
    "Can fix any toilet in town but cannot cook an egg",
    "Retired astronaut who sleeps with the telescope",
    "",
    "Collects garden gnomes and names each one after a former landlord"};

td::Bytes BuildCharacter(SplitMix& random) {
  const std::string name = random.pick(kFirstNames) + " " + random.pick(kLastNames);
  const td::LookalikeExtras extras{
      .padding = random.between(0, kMostPadding),
      .chunks = random.between(kFewestChunks, kMostChunks) - kPlainChunks,
      .remarks = kRemarks};
  return td::LookalikeCharacter(name, random.pick(kDescriptions), random.pick(kLooks), extras)
      .build();
}

void WriteFile(const fs::path& path, const td::Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "roster_bench: cannot write %s\n", path.string().c_str());
    std::exit(EXIT_FAILURE);
  }
}

struct Folder {
  std::vector<fs::path> files;
  std::uintmax_t totalBytes = 0;
  std::uintmax_t largestBytes = 0;
};

Folder WriteCharacters(const fs::path& folder, std::size_t count) {
  SplitMix random(0x51AB5EEDULL);
  Folder written;
  for (std::size_t index = 0; index < count; ++index) {
    const td::Bytes bytes = BuildCharacter(random);
    char name[32];
    std::snprintf(name, sizeof name, "User%05zu.iff", index);
    written.files.push_back(folder / name);
    WriteFile(written.files.back(), bytes);
    written.totalBytes += bytes.size();
    written.largestBytes = std::max<std::uintmax_t>(written.largestBytes, bytes.size());
  }
  return written;
}

// Reads every file whole into a buffer of its exact size: the least any reader has to do. The
// viewer's own reader is left out on purpose, so that its costs show up in the pass rather than
// in the yardstick. The checksum keeps the reads from being optimised away.
double ReadAll(const std::vector<fs::path>& files, std::uint64_t& checksum) {
  const Clock::time_point start = Clock::now();
  std::string bytes;
  for (const fs::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    bytes = std::string(static_cast<std::size_t>(std::max<std::streamoff>(size, 1)), '\0');
    if (!in.read(bytes.data(), size)) {
      std::fprintf(stderr, "roster_bench: cannot read %s\n", file.string().c_str());
      std::exit(EXIT_FAILURE);
    }
    checksum += bytes.size() + static_cast<unsigned char>(bytes.back());
  }
  return Seconds(Clock::now() - start);
}

// Kilobytes from a "Vm...:" line of /proc/self/status; 0 where there is no such file.
std::uintmax_t ProcessStatusKb(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field + ":", 0) == 0)
      return std::strtoumax(line.c_str() + field.size() + 1, nullptr, 10);
  }
  return 0;
}

// Lets the high-water mark start again from what the process holds now, so that the peak read
// after the pass belongs to the pass and not to writing the files.
void ResetPeakMemory() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
}

fs::path MakeTemporaryFolder() {
  std::error_code error;
  fs::path base = fs::temp_directory_path(error);
  if (error) base = fs::current_path();
  SplitMix random(static_cast<std::uint64_t>(Clock::now().time_since_epoch().count()));
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, "%08llx",
                  static_cast<unsigned long long>(random.next() & 0xFFFFFFFFULL));
    const fs::path candidate = base / (std::string("quillmere-roster-bench-") + suffix);
    if (fs::create_directory(candidate, error)) return candidate;
  }
  std::fprintf(stderr, "roster_bench: cannot make a temporary folder\n");
  std::exit(EXIT_FAILURE);
}

// Counts event-loop turns and the longest stretches without one. A zero-interval timer fires
// once in every turn and does next to nothing, so it hardly slows the pass it watches. Each
// stretch is noted with the roster length at its end, which tells which file it belongs to.
class TurnMeter {
 public:
  struct Gap {
    double seconds = 0;
    double endsAfter = 0;  // seconds since the start of the pass
    int rosterLines = 0;
  };

  explicit TurnMeter(const quill::FrmMain& window) : window_(window) {
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this] { turn(); });
  }
  void start() {
    turns_ = 0;
    gaps_.clear();
    start_ = last_ = Clock::now();
    timer_.start();
  }
  void stop() {
    timer_.stop();
    // The stretch from the last turn to the end of the pass counts too.
    note(Clock::now());
  }
  std::uint64_t turns() const { return turns_; }
  // Longest first.
  const std::vector<Gap>& longestGaps() const { return gaps_; }

 private:
  static constexpr std::size_t kKept = 3;

  void turn() {
    note(Clock::now());
    ++turns_;
  }
  void note(Clock::time_point now) {
    const Gap gap{Seconds(now - last_), Seconds(now - start_), window_.rosterLineCount()};
    last_ = now;
    if (gaps_.size() == kKept && gap.seconds <= gaps_.back().seconds) return;
    gaps_.insert(std::upper_bound(gaps_.begin(), gaps_.end(), gap,
                                  [](const Gap& a, const Gap& b) { return a.seconds > b.seconds; }),
                 gap);
    if (gaps_.size() > kKept) gaps_.pop_back();
  }

  const quill::FrmMain& window_;
  QTimer timer_;
  std::uint64_t turns_ = 0;
  std::vector<Gap> gaps_;
  Clock::time_point start_{};
  Clock::time_point last_{};
};

void RunEventsFor(int milliseconds) {
  QElapsedTimer elapsed;
  elapsed.start();
  while (elapsed.elapsed() < milliseconds)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void PrintLine(const char* label, const std::string& value) {
  std::printf("%-34s %s\n", label, value.c_str());
}

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string Kb(std::uintmax_t bytes) {
  return std::to_string((bytes + 512) / 1024) + " KB";
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t count = 1000;
  if (argc > 1) {
    char* end = nullptr;
    const unsigned long long wanted = std::strtoull(argv[1], &end, 10);
    if (end == argv[1] || *end != '\0' || wanted == 0 || wanted > 99999) {
      std::fprintf(stderr, "usage: roster_bench [N (1..99999)] [folder]\n");
      return EXIT_FAILURE;
    }
    count = static_cast<std::size_t>(wanted);
  }
  // The window is real but nobody looks at it.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

  // Both lists start in the current folder; a folder of its own keeps that away from the files,
  // so that pointing the window at them is a change of folder.
  const fs::path scratch = MakeTemporaryFolder();
  const fs::path startFolder = scratch / "start";
  fs::path folder = scratch / "characters";
  if (argc > 2) folder = fs::absolute(argv[2]);
  fs::create_directories(startFolder);
  fs::create_directories(folder);
  const fs::path startedIn = fs::current_path();
  fs::current_path(startFolder);

  std::fprintf(stderr, "roster_bench: writing %zu files into %s\n", count, folder.string().c_str());
  const Folder written = WriteCharacters(folder, count);

  // (a) Reading the bytes: one warm-up so that both timings find the files in the page cache,
  // then the median of three.
  std::uint64_t checksum = 0;
  ReadAll(written.files, checksum);
  std::vector<double> reads;
  for (int run = 0; run < 3; ++run) reads.push_back(ReadAll(written.files, checksum));
  std::sort(reads.begin(), reads.end());
  const double readSeconds = reads[1];

  QApplication application(argc, argv);
  quill::PlatformServices services = quill::SystemServices();
  services.startupFolder = [](const std::string&) { return std::optional<fs::path>(); };
  services.openWebPage = [](const std::string&) { return std::int32_t{0}; };
  services.endProgram = [] {};

  std::uintmax_t baseKb = 0;
  std::uintmax_t peakKb = 0;
  double passSeconds = 0;
  int rosterLines = 0;
  std::uint64_t turns = 0;
  std::vector<TurnMeter::Gap> gaps;
  {
    quill::FrmMain window(services);
    window.load();
    window.show();
    RunEventsFor(300);
    if (window.windowHandle() == nullptr || !window.windowHandle()->isExposed()) {
      std::fprintf(stderr, "roster_bench: the window was not shown\n");
    }
    auto* folders = window.findChild<quill::FolderList*>();
    if (folders == nullptr) {
      std::fprintf(stderr, "roster_bench: the window has no folder list\n");
      return EXIT_FAILURE;
    }

    // (b) The roster pass, started the way a double-click in the folder list starts it.
    ResetPeakMemory();
    baseKb = ProcessStatusKb("VmHWM");
    TurnMeter meter(window);
    meter.start();
    const Clock::time_point start = Clock::now();
    const bool moved = folders->setPath(folder);
    passSeconds = Seconds(Clock::now() - start);
    meter.stop();
    peakKb = ProcessStatusKb("VmHWM");
    if (!moved) {
      std::fprintf(stderr, "roster_bench: the window refused the folder\n");
      return EXIT_FAILURE;
    }
    rosterLines = window.rosterLineCount();
    turns = meter.turns();
    gaps = meter.longestGaps();
  }

  const double peakOverBase = static_cast<double>(peakKb > baseKb ? peakKb - baseKb : 0) * 1024.0;
  PrintLine("files (N)", std::to_string(count));
  PrintLine("total bytes",
            std::to_string(written.totalBytes) + " (" + Kb(written.totalBytes) + ")");
  PrintLine("largest file",
            std::to_string(written.largestBytes) + " (" + Kb(written.largestBytes) + ")");
  PrintLine("event turn interval", std::to_string(services.eventTurnIntervalMs) + " ms");
  PrintLine("(a) read bytes", Format("%.3f s", readSeconds));
  PrintLine("(b) roster pass", Format("%.3f s", passSeconds));
  PrintLine("ratio b/a", Format("%.1f", passSeconds / readSeconds) + "  (target <= 5)");
  PrintLine("event-loop turns during pass", std::to_string(turns));
  const double longestGap = gaps.empty() ? 0 : gaps.front().seconds;
  PrintLine("longest gap between turns",
            Format("%.1f ms", longestGap * 1000) + "  (target <= 20 ms)");
  for (std::size_t k = 0; k < gaps.size(); ++k) {
    PrintLine(k == 0 ? "  longest gaps, where they end" : "",
              Format("%5.1f ms", gaps[k].seconds * 1000) +
                  Format(" at %.3f s,", gaps[k].endsAfter) + " roster lines " +
                  std::to_string(gaps[k].rosterLines));
  }
  PrintLine("roster lines", std::to_string(rosterLines) +
                                (rosterLines == static_cast<int>(count) ? "  (= N)" : "  (!= N)"));
  PrintLine("base memory (VmHWM before pass)", Kb(baseKb * 1024));
  PrintLine("peak memory (VmHWM after pass)", Kb(peakKb * 1024));
  PrintLine("peak - base", Kb(static_cast<std::uintmax_t>(peakOverBase)) +
                               Format("  (%.2f x largest file; target < 3)",
                                      peakOverBase / static_cast<double>(written.largestBytes)));
  PrintLine("memory target (base + 3 x largest)", Kb(baseKb * 1024 + 3 * written.largestBytes));

  fs::current_path(startedIn);
  // A folder named on the command line lies outside the scratch folder and stays.
  std::error_code error;
  fs::remove_all(scratch, error);
  return checksum == 0 ? EXIT_FAILURE : EXIT_SUCCESS;
}
