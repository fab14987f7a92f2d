// The program as a player starts it: its command line without a display, and how it ends.
#include <gtest/gtest.h>

#include <QProcess>
#include <chrono>
#include <fstream>
#include <thread>

#include "character_builder.h"
#include "platform/files.h"

namespace quill::test {
namespace {

namespace fs = std::filesystem;

QString Text(const fs::path& path) {
  return QString::fromStdString(path.string());
}

class Program : public ::testing::Test {
 protected:
  Program() {
    fs::create_directories(home());
    fs::create_directories(base());
    testdata::WriteSampleCharacters(sims());
  }
  fs::path root() const { return root_.path(); }
  fs::path home() const { return root_.path() / "home"; }
  fs::path base() const { return root_.path() / "runtime"; }
  fs::path sims() const { return root_.path() / "sims"; }

  // Started in `folder`, where no game is installed, with scratch folders made in base(); a
  // window only on an offscreen screen, an answer with no display at all.
  void start(QProcess& program, const QStringList& arguments, const fs::path& folder,
             bool window = false) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "WINEPREFIX", "QT_QPA_PLATFORM"})
      env.remove(QString::fromLatin1(name));
    if (window) env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("HOME", Text(home()));
    env.insert("XDG_RUNTIME_DIR", Text(base()));
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(Text(folder));
    program.start(QStringLiteral(QUILLMERE_BINARY), arguments);
    ASSERT_TRUE(program.waitForStarted());
  }

  // The scratch folder a running viewer has made.
  fs::path scratchOf(const QProcess& program) const {
    const std::string id = std::to_string(program.processId());
    for (int tries = 0; tries < 5000; ++tries) {
      for (const auto& entry : fs::directory_iterator(base())) {
        if (platform::ReadWholeFile(entry.path() / "quillmere.pid") == id) return entry.path();
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ADD_FAILURE() << "no scratch folder";
    return {};
  }

 private:
  platform::ScratchFolder root_;
};

TEST_F(Program, AnswersWithoutADisplay) {
  struct Case {
    QStringList arguments;
    int exitCode;
    std::string out;  // the start of standard output
    std::string err;  // the start of standard error
  };
  const QString missing = Text(root() / "missing");
  const Case cases[] = {
      {{"--help"}, 0, "Usage: ", ""},
      {{"--version"}, 0, "Quillmere 1.0\n", ""},
      {{"--list", Text(sims())}, 0, "User00000.iff\tAda Thornbury\nUser00001.iff\tBram", ""},
      {{"--list"}, 0, "User00000.iff\tAda Thornbury\n", ""},
      {{"--list", missing},
       2,
       "",
       "quillmere: cannot read the folder " + missing.toStdString() + "\n"},
      {{"--bogus"}, 2, "", "quillmere: Unknown option 'bogus'.\nUsage: "},
      {{"one", "two"}, 2, "", "quillmere: more than one path given: 'two'\nUsage: "},
  };
  for (const Case& c : cases) {
    QProcess program;
    start(program, c.arguments, sims());
    ASSERT_TRUE(program.waitForFinished());
    const std::string out = program.readAllStandardOutput().toStdString();
    const std::string err = program.readAllStandardError().toStdString();
    const std::string what = c.arguments.join(' ').toStdString();
    EXPECT_EQ(program.exitCode(), c.exitCode) << what << err;
    EXPECT_EQ(out.substr(0, c.out.size()), c.out) << what;
    EXPECT_EQ(err.substr(0, c.err.size()), c.err) << what;
    if (c.exitCode == 0) EXPECT_EQ(err, "") << what;
  }
}

TEST_F(Program, EndsAsCloseDoesWhenAskedToInTheMiddleOfTheRoster) {
  // Files of many chunks, so that the roster pass takes a while and lets events run often.
  testdata::CharacterFile slow;
  slow.add({"CTSS", 1, 0x10, "", testdata::NameAndDescription("Ada", "Slow"), {}, {}});
  for (int chunk = 0; chunk < 900; ++chunk) slow.add({"XXXX", 1, 0x10, "", "", {}, {}});
  const testdata::Bytes bytes = slow.build();
  const fs::path folder = root() / "slow";
  fs::create_directory(folder);
  for (int file = 0; file < 300; ++file)
    std::ofstream(folder / ("User" + std::to_string(file)), std::ios::binary) << bytes;

  for (const char* signal : {"TERM", "INT", "HUP"}) {
    QProcess viewer;
    start(viewer, {}, folder, true);
    scratchOf(viewer);
    QProcess::execute("kill", {"-s", signal, QString::number(viewer.processId())});
    ASSERT_TRUE(viewer.waitForFinished()) << signal;
    EXPECT_EQ(viewer.exitStatus(), QProcess::NormalExit) << signal;
    EXPECT_TRUE(fs::is_empty(base())) << signal;
  }
}

TEST_F(Program, NextStartRemovesOnlyScratchFoldersOfDeadRuns) {
  QProcess live;
  QProcess killed;
  start(live, {}, sims(), true);
  const fs::path liveFolder = scratchOf(live);
  start(killed, {}, sims(), true);
  const fs::path deadFolder = scratchOf(killed);
  const std::string deadId = std::to_string(killed.processId());
  killed.kill();
  killed.waitForFinished();
  // Look-alikes that are not ours to remove.
  const fs::path others[] = {base() / "quillmere-unmarked", base() / "quillmere-file",
                             base() / "other"};
  fs::create_directory(others[0]);
  std::ofstream(others[1]) << deadId;
  fs::create_directory(others[2]);
  std::ofstream(others[2] / "quillmere.pid") << deadId;

  QProcess next;
  start(next, {"--list", Text(sims())}, sims());
  ASSERT_TRUE(next.waitForFinished());
  EXPECT_FALSE(fs::exists(deadFolder));
  EXPECT_TRUE(fs::exists(liveFolder / "quillmere.pid"));
  for (const fs::path& other : others) EXPECT_TRUE(fs::exists(other)) << other;
  live.terminate();
  ASSERT_TRUE(live.waitForFinished());
  EXPECT_FALSE(fs::exists(liveFolder));
}

}  // namespace
}  // namespace quill::test
