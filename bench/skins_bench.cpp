// SPDX-License-Identifier: GPL-3.0-or-later
// The skins check on a game folder full of downloads: the first Sim card (the index made from
// nothing), the next card (the index only looked at again), and `quillmere --check` over a saved
// game of 216 Sims; then the index of a folder of 10,000 tiny archives.
//
//   skins_bench [folder]
//
// The folders are written once into `folder` (by default skins_bench_folders beside this program)
// and reused by later runs. Its "game" holds 100 archives of 50,000 small suits, meshes and
// textures in all under Downloads, the sample game's skins, and 216 Sims in UserData/Characters,
// each wearing the looks of one of the sample game's Sims (which resolve through the index, or
// fail as that Sim is meant to); its "many-archives" holds the tiny archives.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "content/skins_check.h"
#include "game_folder_builder.h"
#include "inspect/body_strings.h"
#include "lookalike_folder.h"
#include "skin_builder.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kArchives = 100;
constexpr int kEntries = 50000;
constexpr std::size_t kSims = 216;
constexpr int kTinyArchives = 10000;
constexpr int kRuns = 9;
constexpr int kCheckRuns = 5;

void Write(const fs::path& file, const quill::testdata::Bytes& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
}

std::string Numbered(const char* format, int number) {
  char text[64];
  std::snprintf(text, sizeof text, format, number);
  return text;
}

// A download's archive: a third each of one-suit files, the meshes they name and the textures
// those name, every name its own so that the index holds kEntries names.
quill::testdata::Bytes DownloadArchive(int archive, int entries) {
  using namespace quill::testdata;
  std::vector<ArchiveFile> files;
  for (int entry = 0; entry < entries; ++entry) {
    const std::string base = Numbered("b%06dfafit", archive * entries + entry / 3);
    const std::string mesh = "xskin-" + base + "-PELVIS-BODY";
    switch (entry % 3) {
      case 0:
        files.push_back({"suits/" + base + ".cmx.bcf",
                         BinarySuitFile({{}, {{base, 0, {{"PELVIS", mesh, 0}}}}, 1})});
        break;
      case 1:
        files.push_back({"meshes/" + mesh + ".bmf", BinaryMesh(mesh, base + "lgt")});
        break;
      default:
        files.push_back({base + "lgt.bmp", PaletteBitmap(8, 8)});
        break;
    }
  }
  return FarArchive(files);
}

// Writes both folders unless the marker says an earlier run wrote them whole.
void WriteFolders(const fs::path& root) {
  const fs::path written = root / "written-whole";
  if (fs::exists(written)) return;
  std::printf("writing the folders (once)...\n");
  const fs::path game = root / "game";
  quill::testdata::WriteSampleGameFolder(game);
  for (int archive = 0; archive < kArchives; ++archive) {
    Write(game / "Downloads" / Numbered("Creator%02d", archive / 10) /
              Numbered("pack%03d.far", archive),
          DownloadArchive(archive, kEntries / kArchives));
  }
  const fs::path characters = game / "UserData" / "Characters";
  fs::create_directories(characters);
  quill::bench::WriteLookalikeFolder(characters, kSims, [](std::size_t file) {
    return quill::testdata::SavedSimLooks(quill::bench::CharacterFileName(file % 8));
  });
  for (int archive = 0; archive < kTinyArchives; ++archive) {
    Write(root / "many-archives" / "Downloads" / Numbered("tiny%05d.far", archive),
          quill::testdata::FarArchive({{Numbered("t%05d.bmp", archive), "BM"}}));
  }
  Write(written, "");
}

template <typename Work>
double Milliseconds(Work work) {
  const Clock::time_point start = Clock::now();
  work();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Spread {
  double first, median, slowest;
};

Spread SpreadOf(std::vector<double> runs) {
  const double first = runs.front();
  std::sort(runs.begin(), runs.end());
  return {first, runs[runs.size() / 2], runs.back()};
}

void PrintFigure(const char* what, const Spread& spread, const char* target, int runs) {
  std::printf("%s: median %.1f ms, first %.1f ms, slowest %.1f ms over %d runs (target: %s)\n",
              what, spread.median, spread.first, spread.slowest, runs, target);
}

quill::BodyLooks LooksOf(const fs::path& file) {
  const std::optional<quill::BodyLooks> looks = quill::BodyLooksOfFile(file);
  if (!looks) throw std::runtime_error("no body strings in " + file.string());
  return *looks;
}

// `quillmere --check` as a player runs it, its output into files beside the game; its exit status
// (1 when any Sim would not look right, as some of these Sims are made to).
int RunCheck(const fs::path& game, const fs::path& out, const fs::path& err) {
  std::vector<std::string> arguments = {QUILLMERE_PROGRAM, "--check", "--game", game.string(),
                                        (game / "UserData" / "Characters").string()};
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t child = 0;
  const int started = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (started != 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
    throw std::runtime_error("cannot run " + arguments[0]);
  return WEXITSTATUS(status);
}

std::string LastLine(const fs::path& file, std::size_t* lines) {
  std::ifstream in(file);
  std::string line;
  std::string last;
  *lines = 0;
  while (std::getline(in, line)) {
    last = line;
    ++*lines;
  }
  return last;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const fs::path root = argc > 1 ? fs::path(argv[1]) : fs::path(SKINS_BENCH_FOLDER);
    WriteFolders(root);
    const fs::path game = root / "game";
    std::printf("game folder %s: %d archives of %d entries in all, %zu Sims\n",
                game.string().c_str(), kArchives, kEntries, kSims);
    const fs::path characters = game / "UserData" / "Characters";
    // Ada, whose skins are all there, then Bram, whose head lies in a subfolder.
    const quill::BodyLooks first = LooksOf(characters / "User00000.iff");
    const quill::BodyLooks next = LooksOf(characters / "User00001.iff");
    // Dmitri wears a winter coat that is nowhere: every suit file is read to look for it.
    const quill::BodyLooks nowhere = LooksOf(characters / "User00006.iff");

    std::vector<double> firstCards;
    std::vector<double> nextCards;
    std::vector<double> nowhereCards;
    std::size_t indexed = 0;
    std::string summary;
    for (int run = 0; run < kRuns; ++run) {
      quill::content::SkinsCheck check(game);
      firstCards.push_back(Milliseconds([&] {
        check.Refresh();
        summary = check.Check(first).summary;
      }));
      nextCards.push_back(Milliseconds([&] {
        check.Refresh();
        check.Check(next);
      }));
      nowhereCards.push_back(Milliseconds([&] {
        check.Refresh();
        check.Check(nowhere);
      }));
      indexed = check.index().SuitFiles().size();
    }
    std::printf("%zu suit files indexed; the first Sim %s\n", indexed, summary.c_str());
    PrintFigure("first card, index made", SpreadOf(firstCards), "<= 1000 ms", kRuns);
    PrintFigure("next card, index warm", SpreadOf(nextCards), "< 50 ms", kRuns);
    PrintFigure("a card naming a suit that is nowhere (every suit file read)",
                SpreadOf(nowhereCards), "none set", kRuns);

    const fs::path out = root / "check-output.txt";
    const fs::path err = root / "check-errors.txt";
    std::vector<double> checks;
    int status = 0;
    for (int run = 0; run < kCheckRuns; ++run)
      checks.push_back(Milliseconds([&] { status = RunCheck(game, out, err); }));
    std::size_t problems = 0;
    std::size_t errLines = 0;
    LastLine(out, &problems);
    const std::string said = LastLine(err, &errLines);
    PrintFigure("quillmere --check over the Sims", SpreadOf(checks), "<= 2000 ms", kCheckRuns);
    std::printf("  exit status %d, %zu problem lines; %s\n", status, problems, said.c_str());

    std::vector<double> tiny;
    std::size_t found = 0;
    for (int run = 0; run < 3; ++run) {
      quill::content::ContentIndex index(root / "many-archives");
      tiny.push_back(Milliseconds([&] { index.Refresh(); }));
      found = index.Find("t09999.bmp").size();
    }
    PrintFigure("index of 10,000 tiny archives", SpreadOf(tiny), "none set", 3);
    std::printf("  the last archive's entry found %zu time(s)\n", found);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "skins_bench: %s\n", error.what());
    return 1;
  }
  return 0;
}
