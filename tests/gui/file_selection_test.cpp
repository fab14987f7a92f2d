
// Choosing a file, a Sim, a chunk or a picture option; opening a folder or a character file by
// name (the command line) or by dropping it on the window; the language names are shown in.
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "viewer_fixture.h"

namespace quill::test {
namespace {

namespace fs = std::filesystem;
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
}

// Catches a roster choice that loads the Sim but keeps the picture option chosen before, the
// first line's included: choosing a Sim shows its large speech portrait and marks that option.
TEST_F(FileSelection, ChoosingASimAgainBringsBackTheSpeechPortrait) {
  writeSim("UserA", "Ada");
  writeSim("UserB", "Bo");
  open();
  const testdata::Rgb faces = ColourOf("faces");
  const testdata::Rgb portrait = ColourOf("speech_large");
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

class ImageTypes : public Viewer {
 protected:
  int shade() const { return qRed(picture().pixel(0, 0)); }
};

TEST_F(ImageTypes, EachButtonSearchesForItsWordWhenClickedEvenIfMarked) {
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

}  // namespace
}  // namespace quill::test
