// SPDX-License-Identifier: GPL-3.0-or-later
// Two players' savers at once: "Save all pictures…" of two Sims of the same name into one folder
// at the same moment, RUNS times (default 400). Every run must leave all twelve files; prints how
// many runs lost one and how many failures were reported.
//
//   save_race [RUNS]
#include <QGuiApplication>
#include <QImage>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/files.h"
#include "window/picture_actions.h"

namespace {

namespace fs = std::filesystem;

constexpr int kPicturesEach = 6;

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  const int runs = argc > 1 ? std::atoi(argv[1]) : 400;
  std::vector<quill::NamedPicture> pictures;
  for (int k = 0; k < kPicturesEach; ++k) {
    QImage picture(64, 64, QImage::Format_RGB32);
    picture.fill(qRgb(10 * k, 20, 30));
    pictures.push_back({QStringLiteral("picture %1").arg(k), picture});
  }
  const quill::platform::ScratchFolder scratch;
  int lossy = 0;
  std::atomic<int> told{0};
  for (int run = 0; run < runs; ++run) {
    const fs::path folder = scratch.path() / std::to_string(run);
    fs::create_directories(folder);
    quill::PictureDialogs dialogs;
    dialogs.chooseFolder = [&folder](QWidget*) { return std::optional<fs::path>(folder); };
    dialogs.tellFailure = [&told](QWidget*, const QString&) { ++told; };
    const auto save = [&] { quill::SaveAllPictures(nullptr, "Ada", pictures, dialogs); };
    std::thread first(save);
    std::thread second(save);
    first.join();
    second.join();
    int saved = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
      saved += entry.path().extension() == ".png";
    }
    if (saved < 2 * kPicturesEach) ++lossy;
    fs::remove_all(folder);
  }
  std::printf("%d of %d runs lost a picture; %d failures reported (target: 0 and 0)\n", lossy, runs,
              told.load());
  return 0;
}
