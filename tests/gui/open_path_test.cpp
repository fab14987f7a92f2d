// Opening a folder or a character file by name (the command line) or by dropping it on the window.
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <QApplication>
#include <QMimeData>
#include <QTest>
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
    fs::create_directories(folder() / "other" / "deep");
    fs::create_directory_symlink(folder() / "other" / "deep", folder() / "hop");
    writeSim("caf\xe9/User1", "Di");
#endif
  }
  fs::path shownFolder() const {
    return control<FileList>("File1")->path();
  }

  void drop(const fs::path& path) {
    QMimeData data;
#ifdef _WIN32
    data.setUrls({QUrl::fromLocalFile(QString::fromStdWString(path.wstring()))});
#else
    // As a file manager drops it: a URL that percent-encodes the name's bytes.
    const QByteArray name = QByteArray::fromStdString(path.native());
    data.setData("text/uri-list", "file://" + name.toPercentEncoding("/") + "\r\n");
#endif
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
#ifndef _WIN32  // ".." after a link leads to the parent of its target
      {"hop/..", true, "other", "Name: Bo"},
#endif
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
#ifndef _WIN32  // a name that is not UTF-8
  drop(folder() / "caf\xe9");
  EXPECT_EQ(shownFolder(), folder() / "caf\xe9");
#endif
}

TEST_F(OpenPath, TheCommandLineOpensItsPathWithItsRosterElseSaysWhyAndOpensTheGameFolder) {
  // The path, relative to the working folder, which is also the game's folder; the first roster
  // line, the Sim shown, the line chosen in both File1 and List2, and how often the player is told
  // why the path does not open.
  const std::tuple<std::optional<fs::path>, const char*, const char*, int, std::size_t> cases[] = {
      {".", "Ada", "Name: Ada", 0, 0},
      {"UserA", "Ada", "Name: Ada", 0, 0},
      {std::nullopt, "Ada", "Name: Ada", 0, 0},
      {"other/User2", "Bo", "Name: Cy", 1, 0},
      {"missing", "Ada", "Name: Ada", 0, 1}};
  const fs::path before = fs::current_path();
  fs::current_path(folder());
  for (const auto& [startPath, firstSim, name, chosen, told] : cases) {
    toldUser.clear();
    open(startPath);
    EXPECT_EQ(lines("List2").at(0), firstSim);
    EXPECT_EQ(nameCaption(), name);
    // Catches a roster left on its first line while the file list shows the start file.
    EXPECT_EQ(selected("File1"), chosen);
    EXPECT_EQ(selected("List2"), chosen);
    EXPECT_EQ(toldUser.size(), told) << (startPath ? startPath->string() : "") << ": "
                                     << (toldUser.empty() ? "" : toldUser.front());
  }
  // The keyboard moves on from the start file's roster line, not from the first line.
  open(fs::path("other/User2"));
  QTest::keyClick(list("List2"), Qt::Key_Up);
  EXPECT_EQ(nameCaption(), "Name: Bo");
  fs::current_path(before);
}

}  // namespace
}  // namespace quill::test
