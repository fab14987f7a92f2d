// Folders of broken, forged and strange files: the window must stay whole and usable.
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <fstream>
#include <map>

#include "viewer_fixture.h"

namespace quill::test {
namespace {

namespace fs = std::filesystem;
using testdata::BigEndian32;
using testdata::Bytes;
using testdata::CharacterFile;
using testdata::Chunk;
using testdata::operator""_b;

class HostileFiles : public Viewer {
 protected:
  // Every listed file has its roster line, the window answers, and a good Sim still loads.
  void expectUsable(const std::string& goodFile, const std::string& goodName) {
    EXPECT_EQ(list("List2")->count(), list("File1")->count());
    EXPECT_FALSE(window().busy());
    EXPECT_EQ(window().state().RosterPass, "1");
    const auto files = lines("File1");
    const auto at = std::find(files.begin(), files.end(), goodFile);
    ASSERT_NE(at, files.end());
    list("File1")->setCurrentRow(-1);
    click("File1", static_cast<int>(at - files.begin()));
    EXPECT_EQ(nameCaption(), "Name: " + goodName);
  }

  // Clicks every file, every chunk line of it and every image-type option.
  void clickEverything() {
    for (int file = 0; file < list("File1")->count(); ++file) {
      click("File1", file);
      for (int line = 0; line < list("List1")->count(); ++line) click("List1", line);
      for (int option = 1; option <= 6; ++option) clickOption(option);
    }
    for (int line = 0; line < list("List2")->count(); ++line) click("List2", line);
  }
};

TEST_F(HostileFiles, TruncatedFilesAtEveryLengthOfHeaderAndFirstChunk) {
  const Bytes whole =
      CharacterFile()
          .add({"CTSS", 2000, 0, "", testdata::NameAndDescription("Whole", "x"), {}, {}})
          .add({"BMP_", 1, 0, "speech_large", testdata::Portrait(8, 8, {}), {}, {}})
          .build();
  for (std::size_t length = 0; length <= 64 + 76 + 24; ++length) {
    write("User" + std::to_string(1000 + length), whole.substr(0, length));
  }
  writeSim("UserZ", "Zed");
  open();
  EXPECT_EQ(list("File1")->count(), 166);
  // The name counts once the description's closing marker is there: 17 body bytes.
  for (std::size_t length = 0; length < 64 + 76 + 17; ++length) {
    EXPECT_EQ(lines("List2")[length], "Bad File") << length;
  }
  EXPECT_EQ(lines("List2")[64 + 76 + 17], "Whole");
  expectUsable("UserZ", "Zed");
}

TEST_F(HostileFiles, ForgedChunkSizes) {
  const Bytes header = testdata::FileHeader();
  int serial = 0;
  for (const std::int32_t size : {0, 1, 75, 76, 77, -1, -76, 500, 0x7FFFFFFF, INT32_MIN}) {
    Chunk chunk{"CTSS", 2000, 0, "", testdata::NameAndDescription("Forged", "x"), size, {}};
    write("User" + std::to_string(serial++), header + testdata::ChunkHeader(chunk) + chunk.body);
    // The same chunk after a good one.
    write("User" + std::to_string(serial++),
          CharacterFile().add({"OBJD", 1, 0, "", "x"_b, {}, {}}).add(chunk).build());
  }
  writeSim("UserZ", "Zed");
  open();
  expectUsable("UserZ", "Zed");
}

TEST_F(HostileFiles, TooManyChunks) {
  for (const int count : {1000, 1001}) {
    CharacterFile file;
    for (int i = 0; i < count; ++i) file.add({"XXXX", 0, 0, "faces", "", {}, {}});
    file.write(folder() / ("User" + std::to_string(count)));
  }
  // One chunk of size 0 is read again for every row.
  CharacterFile()
      .add({"CTSS", 1, 0, "", testdata::NameAndDescription("Loop", "x"), 0, {}})
      .write(folder() / "User0");
  writeSim("UserZ", "Zed");
  open();
  click("File1", 2);
  EXPECT_EQ(list("List1")->count(), 1001);
  EXPECT_EQ(lines("List1").back(), "Error reading file - Too many Chunks");
  // The message line matches no image type and has no chunk behind it.
  clickOption(1);
  EXPECT_EQ(selected("List1"), 999);
  click("List1", 1000);
  EXPECT_EQ(lines("List2")[0], "Bad File");  // size 0: a body of nothing, so no name
  expectUsable("UserZ", "Zed");
}

TEST_F(HostileFiles, ThingsThatAreNotCharacterFiles) {
  write("User0", "");
  fs::create_directory(folder() / "User1.iff");
#ifdef _WIN32
  // Windows keeps neither devices nor FIFOs in a folder, and only a privileged user makes links:
  // empty files and a file held open by another program stand in.
  write("User2.iff", "");
  write("User3.iff", "");
  write("User4.iff", "");
  const HANDLE held = ::CreateFileW((folder() / "User3.iff").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
#else
  fs::create_symlink("/dev/zero", folder() / "User2.iff");
  ASSERT_EQ(::mkfifo((folder() / "User3.iff").c_str(), 0600), 0);
  fs::create_symlink(folder() / "nowhere", folder() / "User4.iff");
#endif
  write("User5", Bytes(1, 'x'));
  writeSim("UserZ", "Zed");
  open();
  // Folders are folders: the file list shows the rest, each with a roster line.
  EXPECT_EQ(lines("File1"), (std::vector<std::string>{"User0", "User2.iff", "User3.iff",
                                                      "User4.iff", "User5", "UserZ"}));
  EXPECT_EQ(lines("List2")[1], "Bad File");
  expectUsable("UserZ", "Zed");
#ifdef _WIN32
  ::CloseHandle(held);
#endif
}

TEST_F(HostileFiles, NamesInLatin1AndUtf8) {
  writeSim("User\xE9.iff", "Latin");
  writeSim("User\xC3\xA9t\xC3\xA9.iff", "Unicode");
  writeSim("UserZ", "Zed");
  open();
  EXPECT_EQ(lines("List2"), (std::vector<std::string>{"Zed", "Unicode", "Latin"}));
  click("File1", 2);
  EXPECT_EQ(nameCaption(), "Name: Latin");
  expectUsable("UserZ", "Zed");
}

TEST_F(HostileFiles, BrokenBodies) {
  const auto withBody = [](const std::string& type, const Bytes& body,
                           const std::string& label = "") {
    return CharacterFile().add({type, 2000, 0, label, body, {}, {}});
  };
  withBody("CTSS", "no markers in here at all"_b).write(folder() / "User1");
  withBody("CTSS", "x"_b).write(folder() / "User2");
  withBody("CTSS", ""_b).write(folder() / "User3");
  withBody("STR#", ""_b, "ctss").write(folder() / "User4");
  withBody("BMP_", "not a picture"_b, "speech_large").write(folder() / "User5");
  withBody("BMP_", testdata::BitmapHeaderOnly(60000, 60000), "speech_large")
      .write(folder() / "User6");
  withBody("rsmp", testdata::ResourceMap({{"BMP_", {{1, 0, 0, "a\0"_b}}, 0x7FFFFFFF}}, 0x7FFFFFFF),
           "ctss")
      .write(folder() / "User7");
  writeSim("UserZ", "Zed");
  open();
  EXPECT_EQ(lines("List2"),
            (std::vector<std::string>{"Bad File", "Bad File", "Bad File", "Bad File", "Bad File",
                                      "Bad File", "Bad File", "Zed"}));
  clickEverything();
  expectUsable("UserZ", "Zed");
}

TEST_F(HostileFiles, AFiftyMegabyteFileIsHeldAtMostTwice) {
  CharacterFile big;
  big.add({"CTSS", 2000, 0, "", testdata::NameAndDescription("Huge", "x"), {}, {}});
  for (int i = 0; i < 50; ++i) big.add({"BHAV", 1, 0, "", Bytes(1 << 20, 'b'), {}, {}});
  big.write(folder() / "User1");
  writeSim("UserZ", "Zed");
  open();
  click("File1", 0);
  EXPECT_EQ(nameCaption(), "Name: Huge");
  const CharacterState& state = window().state();
  std::size_t held = state.FileImage.size();
  for (int row = 1; row <= list("List1")->count(); ++row)
    held += state.ChunkTable[row].ChunkData.size();
  EXPECT_LE(held, 2 * fs::file_size(folder() / "User1"));
  expectUsable("UserZ", "Zed");
}

TEST_F(HostileFiles, FilesThatVanishOrShrinkBetweenListingAndReading) {
  for (int i = 0; i < 6; ++i) writeSim("User" + std::to_string(i), "Sim" + std::to_string(i));
  writeSim("UserZ", "Zed");
  services.startupFolder = [](const std::string&) { return std::optional<fs::path>(); };
  open();
  // While the pass reads the first files, later ones go away or lose their tail.
  QTimer::singleShot(0, &window(), [this] {
    fs::remove(folder() / "User3");
    fs::resize_file(folder() / "User4", 100);
  });
  control<FolderList>("Dir1")->setPath(folder());
  EXPECT_EQ(lines("List2"), (std::vector<std::string>{"Sim0", "Sim1", "Sim2", "Bad File",
                                                      "Bad File", "Sim5", "Zed"}));
  click("List2", 3);
  EXPECT_EQ(nameCaption(), "Name: ");
  expectUsable("UserZ", "Zed");
}

TEST_F(HostileFiles, UnreadableFilesAreBadFiles) {
  writeSim("User1", "Locked");
#ifdef _WIN32
  // Another program holding the file open without sharing it is what locks a file on Windows.
  const HANDLE held = ::CreateFileW((folder() / "User1").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
#else
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  fs::permissions(folder() / "User1", fs::perms::none);
#endif
  writeSim("UserZ", "Zed");
  open();
  EXPECT_EQ(lines("List2"), (std::vector<std::string>{"Bad File", "Zed"}));
  expectUsable("UserZ", "Zed");
#ifdef _WIN32
  ::CloseHandle(held);
#endif
}

TEST_F(HostileFiles, ASessionOfClicksNeverTouchesTheFiles) {
  for (int i = 0; i < 3; ++i) writeSim("User" + std::to_string(i), "Sim" + std::to_string(i));
  write("User3", Bytes(100, 'q'));
  struct Seen {
    Bytes bytes;
    fs::file_time_type time;
  };
  std::map<std::string, Seen> before;
  for (const auto& entry : fs::directory_iterator(folder())) {
    std::ifstream in(entry.path(), std::ios::binary);
    before[entry.path().filename().string()] = {Bytes(std::istreambuf_iterator<char>(in), {}),
                                                fs::last_write_time(entry.path())};
  }
  open();
  clickEverything();
  control<QPushButton>("Command2")->click();
  std::map<std::string, Seen> after;
  for (const auto& entry : fs::directory_iterator(folder())) {
    std::ifstream in(entry.path(), std::ios::binary);
    after[entry.path().filename().string()] = {Bytes(std::istreambuf_iterator<char>(in), {}),
                                               fs::last_write_time(entry.path())};
  }
  ASSERT_EQ(after.size(), before.size());
  for (const auto& [name, seen] : before) {
    EXPECT_EQ(after[name].bytes, seen.bytes) << name;
    EXPECT_EQ(after[name].time, seen.time) << name;
  }
}

}  // namespace
}  // namespace quill::test
