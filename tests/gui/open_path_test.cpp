// Opening a folder or a character file by name (the command line) or by dropping it on the window.
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <QApplication>
#include <QMimeData>
#include <QUrl>

#include "viewer_fixture.h"

namespace quill::test {
namespace {

namespace fs = std::filesystem;

class OpenPath : public Viewer {
 protected:
  void SetUp() override {
    writeSim("UserA", "Ada");
    writeSim("other/User1", "Bo");
    writeSim("other/User2", "Cy");
    write("other/Notes.txt", "x");
#ifndef _WIN32
    ::mkfifo((folder() / "other" / "User3").c_str(), 0600);
#endif
  }
  fs::path shownFolder() const {
    return control<FileList>("File1")->path();
  }

  void drop(const fs::path& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path.string()))});
    QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&window(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent dropped({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&window(), &dropped);
  }
};

TEST_F(OpenPath, FoldersAndCharacterFilesOpenByNameOrDropAndAnythingElseIsRefused) {
  open();
  // The path, whether it opens, and the folder and Sim shown afterwards.
  const std::tuple<const char*, bool, const char*, const char*> kPaths[] = {
      {"other", true, "other", "Name: Bo"},
      {"UserA", true, "", "Name: Ada"},
      {"other/User2", true, "other", "Name: Cy"},
      {"other/User2", true, "other", "Name: Cy"},
      {"missing", false, "other", "Name: Cy"},
      {"other/Notes.txt", false, "other", "Name: Cy"},
#ifndef _WIN32  // Windows keeps no FIFOs in a folder
      {"other/User3", false, "other", "Name: Cy"},
#endif
      {"other/missing/User1", false, "other", "Name: Cy"},
  };
  for (const auto& [path, opens, shown, name] : kPaths) {
    toldUser.clear();
    EXPECT_EQ(window().openPath(folder() / path), opens) << path;
    EXPECT_EQ(toldUser.size(), opens ? 0u : 1u) << path;
    EXPECT_EQ(shownFolder(), *shown ? folder() / shown : folder()) << path;
    EXPECT_EQ(nameCaption(), name) << path;
  }
  drop(folder());
  EXPECT_EQ(shownFolder(), folder());
  drop(folder() / "other" / "User1");
  EXPECT_EQ(shownFolder(), folder() / "other");
  EXPECT_EQ(nameCaption(), "Name: Bo");
}

TEST_F(OpenPath, TheCommandLineOpensItsPathElseSaysWhyAndOpensTheGameFolder) {
  open(folder() / "other" / "User2");
  EXPECT_EQ(selected("File1"), 1);
  EXPECT_EQ(nameCaption(), "Name: Cy");
  open(folder() / "missing");
  EXPECT_EQ(shownFolder(), folder());
  EXPECT_EQ(nameCaption(), "Name: Ada");
  ASSERT_EQ(toldUser.size(), 1u);
  EXPECT_NE(toldUser[0].find("missing"), std::string::npos);
}

}  // namespace
}  // namespace quill::test
