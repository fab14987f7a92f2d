#include "viewer_fixture.h"

namespace quill::test {
namespace {

using testdata::CharacterFile;
using testdata::Chunk;
using testdata::operator""_b;

class FileSelection : public Viewer {};

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

class Inspector : public Viewer {};

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

}  // namespace
}  // namespace quill::test
