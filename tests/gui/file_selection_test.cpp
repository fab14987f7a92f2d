// SPDX-License-Identifier: GPL-3.0-or-later

// Choosing a file, a Sim, a chunk or a picture; opening a path by name or drop; the names'
// language; broken and strange files, which leave the window usable; the picture sheet and saved
// pictures.
#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>
#include <map>
#ifdef _WIN32
#include <share.h>
#else
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif

#include "command_line/roster_listing.h"
#include "neighbourhood_builder.h"
#include "viewer_fixture.h"
#include "window/picture_files.h"
#include "window/picture_sheet.h"
#include "window/sharp_picture.h"

namespace quill::test {
namespace {

namespace fs = std::filesystem;
using testdata::Bytes;
using testdata::CharacterFile;
using testdata::Chunk;
using testdata::operator""_b;

using FileSelection = Viewer;

TEST_F(FileSelection, AFileShowsWhatItHoldsAndWhatItLacksLeavesThePreviousSimOnView) {
  writeSim("UserA.iff", "Ada", "Keeps bees");
  // Windows-1252, as the game writes English.
  writeSim("UserB.iff", "Br\xE4m & Bo", "Builds\r\nboats");
  // Chunks, but neither a CTSS line nor a speech_large line.
  CharacterFile().add({"OBJD", 1, 0, "object", "x"_b, {}, {}}).write(folder() / "UserC.iff");
  // A name on the first line, but no speech_large portrait.
  CharacterFile()
      .add({"CTSS", 2000, 0, "", testdata::NameAndDescription("Cy", "Sings"), {}, {}})
      .write(folder() / "UserD.iff");
  // The label's "ctss" matches too, and it is nearer the end: but a FD string table is left alone.
  CharacterFile()
      .add({"CTSS", 2000, 0, "", testdata::NameAndDescription("Early", "x"), {}, {}})
      .add({"STR#", 1, 0, "my ctss copy", testdata::NameAndDescription("Later", "y"), {}, {}})
      .write(folder() / "UserE.iff");
  open();
  // File by file: the Sim on view, its description and the chunk line selected. Only Bräm has a
  // portrait. The caption doubles an "&", which alone would mark a keyboard shortcut.
  const std::tuple<int, const char*, const char*, int> kSteps[] = {
      {1, "Name: Bräm && Bo", "Builds\nboats", 6},  // 7: BMP_ [speech_large]
      {2, "Name: Bräm && Bo", "Builds\nboats", -1},
      {3, "Name: Cy", "Sings", 0},  // no portrait: the CTSS line stays selected
      {4, "Name: Cy", "Sings", 1},
  };
  const testdata::Rgb portrait = ColourOf("speech_large");
  for (const auto& [file, name, about, chunk] : kSteps) {
    list("File1")->setCurrentRow(file);
    EXPECT_EQ(nameCaption(), name) << file;
    EXPECT_EQ(description(), about) << file;
    EXPECT_EQ(selected("List1"), chunk) << file;
    EXPECT_EQ(picture().pixel(0, 0), qRgb(portrait.r, portrait.g, portrait.b)) << file;
  }
  EXPECT_EQ(window().state().CurrentFilePath, folder() / "UserE.iff");
  // Clearing the selection only marks the speech_large option.
  clickOption(1);
  list("File1")->setCurrentRow(-1);
  EXPECT_TRUE(control<QRadioButton>("Option5")->isChecked());
  EXPECT_EQ(nameCaption(), "Name: Cy");
  // Everywhere else the "&" is shown as it is.
  EXPECT_EQ(lines("List2")[1], "Bräm & Bo");
  list("File1")->setCurrentRow(1);
  window().showPictureSheet();
  EXPECT_EQ(control<QWidget>("PictureSheet")->windowTitle().toStdString(), "Pictures of Bräm & Bo");
  // Catches a roster choice that loads the Sim but keeps the picture option chosen before, the
  // first line's included: choosing a Sim, again or anew, shows its speech_large portrait.
  const testdata::Rgb faces = ColourOf("faces");
  for (const int row : {1, 0}) {
    clickOption(1);
    EXPECT_EQ(picture().pixel(0, 0), qRgb(faces.r, faces.g, faces.b)) << row;
    click("List2", row);
    EXPECT_TRUE(control<QRadioButton>("Option5")->isChecked()) << row;
    EXPECT_FALSE(control<QRadioButton>("Option1")->isChecked()) << row;
    EXPECT_EQ(picture().pixel(0, 0), qRgb(portrait.r, portrait.g, portrait.b)) << row;
  }
}

Chunk Picture(const std::string& label, std::uint8_t shade) {
  return {"BMP_", 1, 0, label, testdata::Bitmap(2, 2, testdata::Rgb{shade, shade, shade}), {}, {}};
}

using ImageTypes = Viewer;

TEST_F(ImageTypes, EachButtonSearchesForItsWordWhenClickedEvenIfMarked) {
  const auto shade = [this] { return qRed(picture().pixel(0, 0)); };
  CharacterFile()
      .add(Picture("FACES", 10))
      .add(Picture("old Faces", 20))
      .add(Picture("speech_medium", 30))
      .add(Picture("thumbnail_small", 40))
      .add(Picture("newimage", 45))
      .add(Picture("Speech_Large", 50))
      .add(Picture("web_image", 60))
      .write(folder() / "UserA");
  CharacterFile()
      .add(Picture("newimage", 45))
      .add(Picture("speech_large", 50))
      .write(folder() / "UserB");
  open();
  EXPECT_EQ(shade(), 50);
  // Any case, anywhere in the line, the last match wins; no match ("rel. Image" needs its full
  // stop and blank) changes nothing but the mark.
  const int shades[] = {20, 20, 40, 30, 50, 60};
  for (int option = 1; option <= 6; ++option) {
    clickOption(option);
    EXPECT_EQ(shade(), shades[option - 1]) << option;
    EXPECT_TRUE(control<QRadioButton>(("Option" + std::to_string(option)).c_str())->isChecked());
  }
  // The marked button searches again when clicked; marking a button from code does not search.
  click("List1", 0);
  clickOption(6);
  EXPECT_EQ(shade(), 60);
  click("List1", 0);
  control<QRadioButton>("Option5")->setChecked(true);
  EXPECT_EQ(shade(), 10);
  // Without a "thumbnail" line, the game's own "newimage" label.
  click("File1", 1);
  clickOption(3);
  EXPECT_EQ(shade(), 45);
}

using Inspector = Viewer;

TEST_F(Inspector, EachChunkTypeShowsWhatItHolds) {
  const auto map = testdata::ResourceMap({{"BMP_", {{7, 1, 2, "pic\0"_b}}, {}}});
  CharacterFile()
      .add({"CTSS", 2000, 0, "", testdata::NameAndDescription("Ada", "Keeps bees"), {}, {}})
      .add({"STR#", 1, 0, "claimed", testdata::NameAndDescription("Nope", "Nope"), {}, {}})
      .add({"STR#", 2, 0, "plain", "\0....Stre...Text..."_b, {}, {}})
      .add({"BMP_", 3, 0, "picture", testdata::Bitmap(200, 40, testdata::Rgb{1, 2, 3}), {}, {}})
      .add({"rsmp", 4, 0, "", map, {}, {}})
      .add({"BHAV", 5, 0, "no markers", "plain text"_b, {}, {}})
      .add({"OBJD", 6, 0, "half", "\x01\x01\x01\x01\x01Half...no end"_b, {}, {}})
      .add({"BMP_", 7, 0, "big", testdata::Bitmap(408, 40, testdata::Rgb{9, 9, 9}), {}, {}})
      .add({"BMP_", 8, 0, "junk", "no picture"_b, {}, {}})
      .write(folder() / "UserA.iff");
  open();
  click("List1", 1);  // a string table the inspector claims
  EXPECT_EQ(nameCaption(), "Name: Ada");
  click("List1", 2);  // a string table it does not
  EXPECT_EQ(nameCaption(), "Name: Stre");
  EXPECT_EQ(description(), "Text.");
  click("List1", 3);  // a picture leaves the text alone
  EXPECT_EQ(nameCaption(), "Name: Stre");
  EXPECT_EQ(picture().size(), QSize(200, 40));
  EXPECT_EQ(control<QLabel>("Picture1")->size(), QSize(204, 44));
  click("List1", 8);  // no picture: the last one stays on view
  EXPECT_EQ(picture().size(), QSize(200, 40));
  click("List1", 4);  // the resource map is decoded, nothing visible changes
  EXPECT_EQ(nameCaption(), "Name: Stre");
  EXPECT_EQ(window().resourceMap()[1].ResourceName, "pic\0"_b);
  click("List1", 5);  // no markers: nothing
  EXPECT_EQ(nameCaption(), "Name: Stre");
  click("List1", 6);  // a name but no closing marker: the name only
  EXPECT_EQ(nameCaption(), "Name: Half");
  EXPECT_EQ(description(), "Text.");
  // Large pictures shrink to the free corner, without smoothing.
  click("List1", 7);
  EXPECT_EQ(control<QLabel>("Picture1")->size(), QSize(208, 24));
  EXPECT_EQ(picture().size(), QSize(204, 20));
  EXPECT_EQ(picture().pixel(100, 10), qRgb(9, 9, 9));
  // Pictures pass through a private scratch folder, and the scratch file is gone after.
  EXPECT_FALSE(std::filesystem::exists(window().scratchFolder() / "temp.bmp"));
  EXPECT_FALSE(std::filesystem::exists("temp.bmp"));
  EXPECT_FALSE(std::filesystem::exists(folder() / "temp.bmp"));
  EXPECT_NE(window().scratchFolder().parent_path(), std::filesystem::current_path());
}

// For a British desktop (slot 2) over a US English player's Sims. Catches the desktop's slot
// used while the game's setting or the files say otherwise, --language overridden by either,
// and the game's setting applied to a folder the player opened by hand.
TEST_F(Viewer, NamesAreInTheLanguageChosenOnceAtStartUp) {
  testdata::WritePlayedSims(folder());
  const std::tuple<const char*, std::optional<int>, bool, bool, Lines> kCases[] = {
      {"the game's setting", 4, false, false, {"Jens", "Jens", "Bella Goth"}},
      {"the files", std::nullopt, false, false, {"Jackie", "Marcus", "Bella Goth"}},
      {"--language", 4, true, false, {"Randy", "Randy", "Bella Goth"}},
      {"a folder opened by hand", 4, false, true, {"Jackie", "Marcus", "Bella Goth"}},
  };
  for (const auto& [what, gameLanguage, given, byHand, names] : kCases) {
    services.startupFolder = [this, language = gameLanguage](const std::string&) {
      return std::optional(platform::registry::FoundFolder(folder(), language));
    };
    services.languageSlot = 2;
    services.languageGiven = given;
    open(byHand ? std::optional(folder()) : std::nullopt);
    EXPECT_EQ(lines("List2"), names) << what;
    EXPECT_EQ(nameCaption(), "Name: " + names.front()) << what;
  }
}

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

#ifdef _WIN32
// Another program holding a file open without sharing it: how a file is locked on Windows.
std::unique_ptr<FILE, int (*)(FILE*)> HoldOpen(const fs::path& file) {
  return {::_wfsopen(file.c_str(), L"rb", _SH_DENYRW), &std::fclose};
}
#endif

class HostileFiles : public Viewer {
 protected:
  // Every listed file has its roster line, the window answers, and the good Sim on `row` loads
  // without adding its name to the roster again.
  void expectUsable(int row, const std::string& name) {
    const Lines roster = lines("List2");
    EXPECT_EQ(roster.size(), static_cast<std::size_t>(list("File1")->count()));
    EXPECT_FALSE(window().busy());
    list("File1")->setCurrentRow(-1);
    click("File1", row);
    EXPECT_EQ(nameCaption(), "Name: " + name);
    EXPECT_EQ(lines("List2"), roster);
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

// However broken, each file the folder lists has its own roster line, in the file list's order.
TEST_F(HostileFiles, EveryFileHasItsRosterLineItsOwnSimAndIsNeverWritten) {
  writeSim("UserB.iff", "Bram");
  writeSim("usera.iff", "Ada");
  write("USERC", Bytes(100, 'q'));  // one chunk, cut off inside its header
  CharacterFile().add({"OBJD", 1, 0, "nameless", "x"_b, {}, {}}).write(folder() / "UserD");
  CharacterFile().add({"CTSS", 1, 0, "", "no markers"_b, {}, {}}).write(folder() / "UserE");
  writeSim("UserF", "Eve");
  // A picture chunk labelled CTSS whose bytes are no picture: the loader is asked all the same.
  CharacterFile().add({"BMP_", 1, 0, "CTSS", "no picture"_b, {}, {}}).write(folder() / "UserG");
  write("UserH", "");
  fs::create_directory(folder() / "UserI");  // folders are not files
#ifdef _WIN32
  // Windows keeps neither devices nor FIFOs in a folder, and only a privileged user makes links:
  // empty files and a locked one stand in.
  write("UserJ", "");
  write("UserK", "");
  const auto locked = HoldOpen(folder() / "UserK");
  write("UserL", "");
#else
  fs::create_symlink("/dev/zero", folder() / "UserJ");
  ASSERT_EQ(::mkfifo((folder() / "UserK").c_str(), 0600), 0);
  fs::create_symlink(folder() / "nowhere", folder() / "UserL");
#endif
  writeSim("User\xC3\xA9t\xC3\xA9.iff", "Unicode");
  writeSim("User\xE9.iff", "Latin");
  write("Other.iff", "not listed");
  // Every file's bytes and time of last change, by name: no click may change them.
  const auto snapshot = [this] {
    std::map<std::string, std::pair<std::optional<Bytes>, fs::file_time_type>> seen;
    for (const auto& entry : fs::directory_iterator(folder()))
      if (entry.is_regular_file())
        seen[entry.path().filename().string()] = {platform::ReadWholeFile(entry.path()),
                                                  entry.last_write_time()};
    return seen;
  };
  const auto before = snapshot();
  open();
  Lines files = lines("File1");
  EXPECT_EQ(files.back(), "User\xC3\xA9.iff");  // a Latin-1 name shown as such
  files.resize(11);
  EXPECT_EQ(files, (Lines{"usera.iff", "UserB.iff", "USERC", "UserD", "UserE", "UserF", "UserG",
                          "UserH", "UserJ", "UserK", "UserL"}));
  const std::string bad = "Bad File";
  EXPECT_EQ(lines("List2"), (Lines{"Ada", "Bram", bad, bad, bad, "Eve", bad, bad, bad, bad, bad,
                                   "Unicode", "Latin"}));
  // The command line's listing, read with no window, says what the window's roster shows.
  const auto listed = ListRoster(folder(), 1).value();
  ASSERT_EQ(listed.size(), 13u);
  for (std::size_t i = 0; i < listed.size(); ++i)
    EXPECT_EQ(platform::DisplayName(listed[i].file) + listed[i].name,
              lines("File1")[i] + lines("List2")[i]);
  clickEverything();
  control<QPushButton>("Command2")->click();
  EXPECT_EQ(snapshot(), before);
  expectUsable(12, "Latin");
  // Choosing a name loads that Sim's own file.
  click("List2", 5);
  EXPECT_EQ(selected("File1"), 5);
  EXPECT_EQ(nameCaption(), "Name: Eve");
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
  expectUsable(1, "Zed");
}

TEST_F(HostileFiles, FilesThatVanishShrinkOrAreLockedBetweenListingAndReading) {
  for (int i = 0; i < 6; ++i) writeSim("User" + std::to_string(i), "Sim" + std::to_string(i));
  // A file its reader may not open (permissions do not bind the superuser).
  writeSim("User6", "Locked");
#ifdef _WIN32
  const auto held = HoldOpen(folder() / "User6");
  const char* locked = "Bad File";
#else
  fs::permissions(folder() / "User6", fs::perms::none);
  const char* locked = ::geteuid() == 0 ? "Locked" : "Bad File";
#endif
  writeSim("UserZ", "Zed");
  services.startupFolder = [](const std::string&) { return std::optional<fs::path>(); };
  open();
  // While the pass reads the first files, later ones go away or lose their tail.
  QTimer::singleShot(0, &window(), [this] {
    fs::remove(folder() / "User3");
    fs::resize_file(folder() / "User4", 100);
  });
  control<FolderList>("Dir1")->setPath(folder());
  EXPECT_EQ(lines("List2"),
            (Lines{"Sim0", "Sim1", "Sim2", "Bad File", "Bad File", "Sim5", locked, "Zed"}));
  click("List2", 3);
  EXPECT_EQ(nameCaption(), "Name: ");
  expectUsable(7, "Zed");
}

// Catches a card that shows nothing, or another case's words, for a neighbourhood file that is
// empty, damaged, too large or missing.
TEST_F(HostileFiles, ABrokenNeighbourhoodLeavesTheCardSayingWhy) {
  writeSim("UserData/Characters/UserA", "Ada");
  // The neighbourhood file (none: no file), and the line the card shows.
  const std::pair<std::optional<Bytes>, std::string> cases[] = {
      {"", "The neighbourhood file holds no list of Sims."},
      {CharacterFile().add({"FAMI", 1, 0, "", "", 0, {}}).build(),
       "The neighbourhood file is damaged; what follows the damage is missing."},
      {Bytes(platform::kLargestReadableFile + 1, 'x'),
       "The neighbourhood file is larger than 64 MiB, too large to be one."},
      {std::nullopt, "There is no neighbourhood file (Neighborhood.iff) beside this folder."},
  };
  open(folder() / "UserData" / "Characters");
  for (const auto& [bytes, line] : cases) {
    bytes ? write("UserData/Neighborhood.iff", *bytes)
          : void(fs::remove(folder() / "UserData/Neighborhood.iff"));
    window().showSimCard();
    EXPECT_EQ(window().findChild<QLabel*>("SimCardMissing")->text().toStdString(), line);
  }
  expectUsable(0, "Ada");
}

QImage Rgb(const QImage& image) {
  return image.convertToFormat(QImage::Format_RGB32);
}

// Every shown pixel is the picture pixel under it, each one a zoom x zoom block.
bool ShownExactly(const QImage& shown, const QImage& picture, int zoom) {
  const QImage a = Rgb(shown), b = Rgb(picture);
  if (a.size() != b.size() * zoom) return false;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x / zoom, y / zoom)) return false;
  return true;
}

class PictureSheetTest : public Viewer {
 protected:
  void SetUp() override {
    write("UserA", testdata::LookalikeCharacter("Ada: the best", "About").build());
    writeSim("UserB", "Bob");
    open();
  }
  PictureSheet* sheet() const { return window().findChild<PictureSheet*>(); }
  QList<QLabel*> shown() const {
    return sheet()->findChildren<QLabel*>(QStringLiteral("SheetPicture"));
  }
  // Once every picture is shown or told why not: the sheet decodes them between events.
  bool filled() const {
    return std::ranges::all_of(shown(), [](const QLabel* picture) {
      return !picture->pixmap().isNull() || !picture->text().isEmpty();
    });
  }
  PictureSheet* openSheet() {
    window().showPictureSheet();
    EXPECT_TRUE(QTest::qWaitFor([this] { return filled(); }));
    return sheet();
  }
  // Saving answers with `chosen` in out_, `replace`, and notes what it tells the user.
  PictureDialogs& answeredDialogs() {
    auto& dialogs = window().pictureDialogs();
    dialogs.chooseFile = [this](QWidget*, const QString&) {
      return std::optional(out_.path() / chosen);
    };
    dialogs.chooseFolder = [this](QWidget*) { return std::optional(out_.path()); };
    dialogs.confirmReplace = [this](QWidget*, const fs::path&) { return replace; };
    dialogs.tellFailure = [this](QWidget*, const QString& text) { told.push_back(text); };
    return dialogs;
  }
  QImage saved(const fs::path& name) const { return Rgb(QImage(PathText(out_.path() / name))); }
  std::ptrdiff_t filesOut() const { return std::distance(fs::directory_iterator(out_.path()), {}); }

  platform::ScratchFolder out_;
  fs::path chosen;
  bool replace = false;
  QStringList told;
};

TEST_F(PictureSheetTest, ShowsEveryPictureEnlargedSharplyAndFollowsTheChosenSim) {
  QTest::mouseDClick(control<QLabel>("Picture1"), Qt::LeftButton);
  ASSERT_NE(sheet(), nullptr);
  ASSERT_TRUE(QTest::qWaitFor([this] { return filled(); }));
  EXPECT_TRUE(sheet()->isVisible());
  EXPECT_EQ(sheet()->windowTitle(), "Pictures of Ada: the best");
  ASSERT_EQ(shown().size(), 6);
  // Each picture's zoom, the largest whole one that fits its room on the test's screen: 320 x 180
  // offscreen, where 105 x 41 goes three times, 200 x 40 once, 25 x 25 seven times, 16 x 16
  // eleven, 32 x 32 five and 45 x 45 four; 480 x 178 on the 1024 x 768 screen of the Windows
  // tests, where 105 x 41 goes four times, 200 x 40 twice and 45 x 45 three times.
#ifdef _WIN32
  const int zooms[] = {4, 2, 7, 11, 5, 3};
#else
  const int zooms[] = {3, 1, 7, 11, 5, 4};
#endif
  for (int i = 0; i < 6; ++i) {
    const QImage& picture = sheet()->pictures()[static_cast<std::size_t>(i)].picture;
    EXPECT_TRUE(ShownExactly(shown()[i]->pixmap().toImage(), picture, zooms[i])) << i;
  }
  EXPECT_EQ(sheet()->pictures()[3].label, "speech_med");
  click("List2", 1);
  EXPECT_EQ(sheet()->windowTitle(), "Pictures of Bob");
  EXPECT_EQ(shown().size(), 6);
  // Escape belongs to the sheet's window, which a real desktop makes active in its own time.
  sheet()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(sheet()));
  QTest::keyClick(sheet(), Qt::Key_Escape);
  EXPECT_FALSE(sheet()->isVisible());
}

TEST_F(PictureSheetTest, CopiedAndSavedPicturesAreTheFilesPixels) {
  auto* box = control<QLabel>("Picture1");
  box->setFocus();
  QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
  const QImage copied = QGuiApplication::clipboard()->image();
  EXPECT_EQ(copied.size(), QSize(32, 32));  // speech_large at its own size

  const PictureDialogs& dialogs = answeredDialogs();
  // The name chosen, and the file saved: a PNG, whatever else the name ends in.
  const std::pair<const char*, const char*> kNames[] = {{"portrait", "portrait.png"},
                                                        {"User00001.iff", "User00001.iff.png"},
                                                        {"Kept.PNG", "Kept.PNG"}};
  for (const auto& [name, file] : kNames) {
    chosen = name;
    SavePictureAs(box, copied, "x", dialogs);
    EXPECT_EQ(saved(file), Rgb(copied)) << file;
  }

  openSheet();
  std::ofstream(out_.path() / "Ada_ the best - faces.png") << "kept";
  SaveAllPictures(sheet(), "Ada: the best", sheet()->pictures(), dialogs);
  EXPECT_EQ(saved("Ada_ the best - faces (2).png"), Rgb(sheet()->pictures()[0].picture));
  EXPECT_EQ(saved("Ada_ the best - speech_large.png"), Rgb(copied));
  EXPECT_EQ(platform::ReadWholeFile(out_.path() / "Ada_ the best - faces.png"), "kept");
  // However long the Sim's name, the names of its pictures fit a file system's.
  // The name is cut to 100 characters and 100 bytes of UTF-8: 100 x's, or 50 two-byte é's.
  const std::pair<QString, QString> stems[] = {
      {QString(240, QLatin1Char('x')), QString(100, QLatin1Char('x'))},
      {QString(240, QChar(0x00E9)), QString(50, QChar(0x00E9))}};
  for (const auto& [sim, stem] : stems) {
    SaveAllPictures(sheet(), sim, sheet()->pictures(), dialogs);
    EXPECT_EQ(saved(PathFromText(stem + " - speech_large.png")), Rgb(copied)) << stem.size();
  }
  EXPECT_EQ(told.join("\n").toStdString(), "");

  // A folder where the file should go: the save fails, says so, and leaves nothing behind.
  fs::create_directory(out_.path() / "blocked.png");
  const auto before = filesOut();
  chosen = "blocked";
  replace = true;
  SavePictureAs(box, copied, "x", dialogs);
  EXPECT_EQ(told.size(), 1);
  EXPECT_EQ(filesOut(), before);
}

#ifndef _WIN32  // links and file-size limits are the POSIX systems'
// A full disk for this process: with no room for any file's bytes, every write fails.
struct DiskFull {
  DiskFull() {
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit none{0, saved.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &none);
  }
  ~DiskFull() {
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, ignored);
  }
  void (*ignored)(int) = std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
};

// A full disk leaves every file whole and says why; what a link names is never written, the link
// itself is replaced once the user agrees.
TEST_F(PictureSheetTest, SavingLosesNoFileAndFollowsNoLink) {
  const PictureDialogs& dialogs = answeredDialogs();
  const platform::ScratchFolder elsewhere;
  std::ofstream(elsewhere.path() / "target.png") << "precious";
  fs::create_symlink(elsewhere.path() / "target.png", out_.path() / "link.png");
  fs::create_symlink(elsewhere.path() / "absent.png", out_.path() / "dangling.png");
  std::ofstream(out_.path() / "kept.png") << "kept";
  replace = true;
  const QImage& picture = openSheet()->pictures()[0].picture;
  const auto before = filesOut();
  chosen = "kept.png";
  {
    const DiskFull full;
    SavePictureAs(sheet(), picture, "x", dialogs);
    QTest::mouseClick(sheet()->findChild<QPushButton*>("SaveAllPictures"), Qt::LeftButton);
  }
  EXPECT_EQ(platform::ReadWholeFile(out_.path() / "kept.png"), "kept");
  EXPECT_EQ(filesOut(), before);
  EXPECT_EQ(told.join("|").toStdString(),
            PathText(out_.path()).toStdString() + "/kept.png was not saved.\nFile too large|" +
                PathText(out_.path()).toStdString() +
                "/Ada_ the best - faces.png was not saved.\nFile too large");

  told.clear();
  for (const char* name : {"link.png", "dangling.png"}) {
    chosen = name;
    SavePictureAs(sheet(), picture, "x", dialogs);
    EXPECT_FALSE(fs::is_symlink(out_.path() / name)) << name;
    EXPECT_EQ(saved(name), Rgb(picture)) << name;
  }
  EXPECT_EQ(platform::ReadWholeFile(elsewhere.path() / "target.png"), "precious");
  EXPECT_FALSE(fs::exists(elsewhere.path() / "absent.png"));
  EXPECT_EQ(told.join("|").toStdString(), "");
}
#endif

// Pictures that claim far more pixels than they hold, or more than a portrait ever has, are not
// decoded; nor are those beyond what the sheet holds at once.
TEST_F(PictureSheetTest, PicturesBeyondTheBoundsAreNeverDecoded) {
  testdata::CharacterFile file;
  file.add({"CTSS", 2000, 0x10, "", testdata::NameAndDescription("Cy", "Big"), {}, {}});
  const auto add = [&file](const testdata::Bytes& picture, int count) {
    for (int k = 0; k < count; ++k) file.add({"BMP_", 2001, 0x10, "p", picture, {}, {}});
  };
  add(testdata::GifAroundOnePixel(4096, 4096), 2);
  add(testdata::RunLengthBitmap(1025, 1024), 1);
  add(testdata::RunLengthBitmap(1024, 1024), 10);
  write("UserC", file.build());
  open();
  click("List2", 2);
  openSheet();
  std::string texts;
  for (const QLabel* picture : shown())
    texts += (picture->pixmap().isNull() ? picture->text().toStdString() : "shown") + "|";
  // Each 1024 x 1024 picture holds its pixels twice, decoded and shown: eight fill the sheet.
  EXPECT_EQ(texts,
            "(no picture)|(no picture)|(no picture)|shown|shown|shown|shown|shown|shown|"
            "shown|shown|(too large to show)|(too large to show)|");
}

TEST(SharpPicture, ZoomIsTheLargestThatFitsTwiceForSmallPicturesAndPixelsTheNearest) {
  // picture, room, zoom
  const std::tuple<QSize, QSize, int> kCases[] = {
      {{45, 45}, {480, 240}, 5}, {{105, 41}, {480, 240}, 4}, {{200, 40}, {399, 240}, 1},
      {{16, 16}, {20, 20}, 2},   {{32, 32}, {40, 400}, 2},   {{33, 33}, {40, 400}, 1},
      {{0, 0}, {480, 240}, 1}};
  for (const auto& [picture, room, zoom] : kCases)
    EXPECT_EQ(ZoomToFit(picture, room), zoom) << picture.width() << "x" << picture.height();
  QImage picture(2, 1, QImage::Format_RGB32);
  picture.setPixel(0, 0, qRgb(255, 0, 0));
  picture.setPixel(1, 0, qRgb(0, 0, 255));
  for (const qreal ratio : {1.0, 2.0, 3.0}) {
    const QPixmap pixmap = SharpPixmap(picture, QSize(4, 2), ratio);
    EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(4, 2));
    EXPECT_TRUE(ShownExactly(pixmap.toImage(), picture, static_cast<int>(2 * ratio))) << ratio;
  }
}

TEST(PictureFiles, NamesHoldOnlyWhatFileNamesCan) {
  const std::pair<QString, QString> names[] = {{"a/b\\c|d*e<f>?:\"\n", "a_b_c_d_e_f_____"},
                                               {"Dots. . .", "Dots"},
                                               {"", "_"},
                                               {"Lpt1.x", "_Lpt1.x"},
                                               {"com\u00b2", "_com\u00b2"},
                                               {"LPT\u00b9.png", "_LPT\u00b9.png"},
                                               {"CONIN$", "_CONIN$"},
                                               {"conout$.txt", "_conout$.txt"},
                                               {"COM0", "COM0"}};
  for (const auto& [given, safe] : names)
    EXPECT_EQ(FileNameSafe(given).toStdString(), safe.toStdString());
}

}  // namespace
}  // namespace quill::test
