// SPDX-License-Identifier: GPL-3.0-or-later
// The picture sheet over a hostile character file: how long it takes to fill, the longest stretch
// the window goes without an event-loop turn meanwhile, and the memory it takes.
//
//   picture_sheet_bench rle|gif
//
// "rle": 40 pictures, each a run-length-coded 4096 x 4096 bitmap (6 MB in all). "gif": 1,000
// pictures, each a 35-byte GIF whose logical screen is 4096 x 4096 around one pixel. Run it under
// `/usr/bin/time -v` for the whole process's peak ("Maximum resident set size").
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "character_builder.h"
#include "platform/files.h"
#include "window/frm_main.h"
#include "window/picture_sheet.h"
#include "window/platform_services.h"

namespace {

namespace fs = std::filesystem;
namespace td = quill::testdata;

using Clock = std::chrono::steady_clock;

td::Bytes HostileFile(bool runLength) {
  td::CharacterFile file;
  const td::Bytes picture =
      runLength ? td::RunLengthBitmap(4096, 4096) : td::GifAroundOnePixel(4096, 4096);
  for (int index = 0; index < (runLength ? 40 : 1000); ++index) {
    td::Chunk chunk;
    chunk.type = "BMP_";
    chunk.label = "picture " + std::to_string(index);
    chunk.body = picture;
    file.add(chunk);
  }
  return file.build();
}

std::uintmax_t PeakKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::strtoumax(line.c_str() + 6, nullptr, 10);
  }
  return 0;
}

// Every picture of the sheet shown, or told why not.
bool SheetFilled(const quill::FrmMain& window) {
  const auto* sheet = window.findChild<quill::PictureSheet*>();
  if (sheet == nullptr) return false;
  for (const QLabel* shown : sheet->findChildren<QLabel*>(QStringLiteral("SheetPicture"))) {
    if (shown->pixmap().isNull() && shown->text().isEmpty()) return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || (std::strcmp(argv[1], "rle") != 0 && std::strcmp(argv[1], "gif") != 0)) {
    std::fprintf(stderr, "usage: picture_sheet_bench rle|gif\n");
    return EXIT_FAILURE;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const quill::platform::ScratchFolder folder;
  const fs::path file = folder.path() / "User00001.iff";
  const td::Bytes bytes = HostileFile(std::strcmp(argv[1], "rle") == 0);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!(out << bytes).flush()) {
    std::fprintf(stderr, "picture_sheet_bench: cannot write %s\n", file.string().c_str());
    return EXIT_FAILURE;
  }

  QApplication application(argc, argv);
  quill::PlatformServices services = quill::SystemServices();
  services.startupFolder = [](const std::string&) { return std::optional<fs::path>(); };
  services.openWebPage = [](const std::string&) { return std::int32_t{0}; };
  services.endProgram = [] {};
  quill::FrmMain window(services);
  window.load(file);
  window.show();
  const std::uintmax_t baseKb = PeakKb();

  // A zero-interval timer fires once in every event-loop turn.
  Clock::time_point last = Clock::now();
  double longestGap = 0;
  QTimer turns;
  turns.setInterval(0);
  QObject::connect(&turns, &QTimer::timeout, [&] {
    const Clock::time_point now = Clock::now();
    longestGap = std::max(longestGap, std::chrono::duration<double>(now - last).count());
    last = now;
  });
  const Clock::time_point start = last = Clock::now();
  turns.start();
  window.showPictureSheet();
  while (!SheetFilled(window)) QCoreApplication::processEvents();
  const double filled = std::chrono::duration<double>(Clock::now() - start).count();
  longestGap = std::max(longestGap, std::chrono::duration<double>(Clock::now() - last).count());

  std::printf("file                        %zu bytes\n", bytes.size());
  std::printf("sheet filled in             %.3f s\n", filled);
  std::printf("longest stretch, no events  %.3f s\n", longestGap);
  std::printf("peak memory before sheet    %ju KB\n", baseKb);
  std::printf("peak memory with sheet      %ju KB\n", PeakKb());
  return EXIT_SUCCESS;
}
