#include <QRadioButton>

#include "viewer_fixture.h"

namespace quill::test {
namespace {

using testdata::Bytes;
using testdata::CharacterFile;
using testdata::operator""_b;

QRgb Pixel(const testdata::Rgb& colour) {
  return qRgb(colour.r, colour.g, colour.b);
}

class FileSelection : public Viewer {};

TEST_F(FileSelection, ChoosingAFileShowsNameDescriptionAndLargePortrait) {
  writeSim("UserA.iff", "Ada", "Keeps bees");
  writeSim("UserB.iff", "Bram", "Builds boats");
  open();
  list("File1")->setCurrentRow(1);
  EXPECT_EQ(lines("List1").size(), 8u);
  EXPECT_EQ(lines("List1")[1], "2: CTSS []");
  EXPECT_EQ(nameCaption(), "Name: Bram");
  EXPECT_EQ(description(), "Builds boats.");
  EXPECT_EQ(selected("List1"), 6);  // 7: BMP_ [speech_large]
  EXPECT_EQ(picture().pixel(0, 0), Pixel(ColourOf("speech_large")));
  EXPECT_TRUE(control<QRadioButton>("Option5")->isChecked());
  EXPECT_EQ(window().state().CurrentFilePath, folder() / "UserB.iff");
}

TEST_F(FileSelection, UnreadableFilesShowAnEmptySummary) {
  writeSim("UserA.iff", "Ada");
  write("UserB.iff", Bytes(71, 'x'));  // too short for a chunk
  open();
  ASSERT_EQ(nameCaption(), "Name: Ada");
  list("File1")->setCurrentRow(1);
  EXPECT_TRUE(lines("List1").empty());
  EXPECT_EQ(nameCaption(), "Name: ");
  EXPECT_EQ(description(), "");
  EXPECT_TRUE(picture().isNull());
}

TEST_F(FileSelection, MissingChunksLeaveThePreviousSimOnView) {
  writeSim("UserA.iff", "Ada", "Keeps bees");
  // Chunks, but neither a CTSS line nor a speech_large line.
  CharacterFile().add({"OBJD", 1, 0, "object", "x"_b, {}, {}}).write(folder() / "UserB.iff");
  // A name, but no speech_large portrait.
  CharacterFile()
      .add({"CTSS", 2000, 0, "", testdata::NameAndDescription("Cy", "Sings"), {}, {}})
      .write(folder() / "UserC.iff");
  open();
  list("File1")->setCurrentRow(1);
  EXPECT_EQ(lines("List1"), std::vector<std::string>{"1: OBJD [object]"});
  EXPECT_EQ(nameCaption(), "Name: Ada");
  EXPECT_EQ(description(), "Keeps bees.");
  EXPECT_EQ(picture().pixel(0, 0), Pixel(ColourOf("speech_large")));

  list("File1")->setCurrentRow(2);
  EXPECT_EQ(nameCaption(), "Name: Cy");
  EXPECT_EQ(selected("List1"), 0);  // the CTSS line stays selected
  EXPECT_EQ(picture().pixel(0, 0), Pixel(ColourOf("speech_large")));
}

TEST_F(FileSelection, ClearingTheFileSelectionOnlyMarksSpeechLarge) {
  writeSim("UserA.iff", "Ada");
  open();
  clickOption(1);
  list("File1")->setCurrentRow(-1);
  list("File1")->clearSelection();
  EXPECT_TRUE(control<QRadioButton>("Option5")->isChecked());
  EXPECT_EQ(nameCaption(), "Name: Ada");
  EXPECT_EQ(lines("List1").size(), 8u);
}

TEST_F(FileSelection, TheLastMatchingLineWinsAndTheFirstLineCounts) {
  CharacterFile()
      .add({"CTSS", 2000, 0, "", testdata::NameAndDescription("First", "Line one"), {}, {}})
      .add({"OBJD", 1, 0, "", "x"_b, {}, {}})
      .write(folder() / "UserA.iff");
  CharacterFile()
      .add({"CTSS", 2000, 0, "", testdata::NameAndDescription("Early", "x"), {}, {}})
      .add({"STR#", 1, 0, "my ctss copy", testdata::NameAndDescription("Later", "y"), {}, {}})
      .write(folder() / "UserB.iff");
  open();
  EXPECT_EQ(nameCaption(), "Name: First");
  list("File1")->setCurrentRow(1);
  // The label's "ctss" matches too, and it is nearer the end: but a FD string table is left alone.
  EXPECT_EQ(selected("List1"), 1);
  EXPECT_EQ(nameCaption(), "Name: First");
}

class Inspector : public Viewer {
 protected:
  void SetUp() override {
    CharacterFile()
        .add({"CTSS", 2000, 0, "", testdata::NameAndDescription("Ada", "Keeps bees"), {}, {}})
        .add({"STR#", 1, 0, "claimed", testdata::NameAndDescription("Nope", "Nope"), {}, {}})
        .add({"STR#", 2, 0, "plain", "\0....Stre...Text..."_b, {}, {}})
        .add({"BMP_",
              3,
              0,
              "picture",
              testdata::Bitmap(200, 40,
                               [](int, int) {
                                 return testdata::Rgb{1, 2, 3};
                               }),
              {},
              {}})
        .add({"rsmp",
              4,
              0,
              "",
              testdata::ResourceMap({{"BMP_", {{7, 1, 2, "pic\0"_b}}, {}}}),
              {},
              {}})
        .add({"BHAV", 5, 0, "no markers", "plain text"_b, {}, {}})
        .add({"OBJD", 6, 0, "half", "\x01\x01\x01\x01\x01Half...no end"_b, {}, {}})
        .add({"BMP_",
              7,
              0,
              "big",
              testdata::Bitmap(408, 40,
                               [](int, int) {
                                 return testdata::Rgb{9, 9, 9};
                               }),
              {},
              {}})
        .write(folder() / "UserA.iff");
    open();
  }
};

TEST_F(Inspector, EachChunkTypeShowsWhatItHolds) {
  const auto rosterBefore = lines("List2");
  click("List1", 1);  // a string table the inspector claims
  EXPECT_EQ(nameCaption(), "Name: Ada");
  click("List1", 2);  // a string table it does not
  EXPECT_EQ(nameCaption(), "Name: Stre");
  EXPECT_EQ(description(), "Text.");
  click("List1", 3);  // a picture leaves the text alone
  EXPECT_EQ(nameCaption(), "Name: Stre");
  EXPECT_EQ(picture().size(), QSize(200, 40));
  EXPECT_EQ(control<QLabel>("Picture1")->size(), QSize(204, 44));
  click("List1", 4);  // the resource map is decoded, nothing visible changes
  EXPECT_EQ(nameCaption(), "Name: Stre");
  EXPECT_EQ(window().resourceMap()[1].ResourceName, "pic\0"_b);
  click("List1", 5);  // no markers: nothing
  EXPECT_EQ(nameCaption(), "Name: Stre");
  click("List1", 6);  // a name but no closing marker: the name only
  EXPECT_EQ(nameCaption(), "Name: Half");
  EXPECT_EQ(description(), "Text.");
  // Browsing chunks after the roster was built never adds to it.
  EXPECT_EQ(lines("List2"), rosterBefore);
}

TEST_F(Inspector, LargePicturesShrinkToTheFreeCornerWithoutSmoothing) {
  click("List1", 7);
  EXPECT_EQ(control<QLabel>("Picture1")->size(), QSize(208, 24));
  EXPECT_EQ(picture().size(), QSize(204, 20));
  EXPECT_EQ(picture().pixel(100, 10), qRgb(9, 9, 9));
}

TEST_F(Inspector, ThePictureTravelsThroughAPrivateScratchFileThatIsThenGone) {
  const auto scratch = window().scratchFolder() / "temp.bmp";
  click("List1", 3);
  EXPECT_FALSE(std::filesystem::exists(scratch));
  EXPECT_FALSE(std::filesystem::exists("temp.bmp"));
  EXPECT_FALSE(std::filesystem::exists(folder() / "temp.bmp"));
  EXPECT_NE(window().scratchFolder().parent_path(), std::filesystem::current_path());
}

class BitmapProtocol : public Viewer {
 protected:
  std::filesystem::path scratch() const { return window().scratchFolder() / "temp.bmp"; }
  void openWith(const Bytes& body, std::optional<std::int32_t> size = {}) {
    CharacterFile()
        .add({"BMP_",
              1,
              0,
              "speech_large",
              testdata::Bitmap(3, 3,
                               [](int, int) {
                                 return testdata::Rgb{5, 5, 5};
                               }),
              {},
              {}})
        .add({"BMP_", 2, 0, "other", body, size, {}})
        .write(folder() / "UserA.iff");
    open();
    ASSERT_EQ(picture().pixel(0, 0), qRgb(5, 5, 5));
  }
  std::string scratchBytes() const {
    std::ifstream in(scratch(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

TEST_F(BitmapProtocol, AnEmptyBodyFailsAndLeavesAnEmptyScratchFile) {
  openWith("");
  click("List1", 1);
  EXPECT_EQ(picture().pixel(0, 0), qRgb(5, 5, 5));
  ASSERT_TRUE(std::filesystem::exists(scratch()));
  EXPECT_EQ(std::filesystem::file_size(scratch()), 0u);
}

TEST_F(BitmapProtocol, ASizeBelowTheHeaderWritesNothing) {
  openWith("garbage"_b, 75);
  click("List1", 1);
  EXPECT_FALSE(std::filesystem::exists(scratch()));
  EXPECT_EQ(picture().pixel(0, 0), qRgb(5, 5, 5));
}

TEST_F(BitmapProtocol, ANonPictureStaysBehindExactlyAsWrittenThenIsOverwrittenInPlace) {
  const Bytes junk = "this is no picture at all, just words"_b;
  openWith(junk);
  click("List1", 1);
  EXPECT_EQ(scratchBytes(), junk);
  // The next picture overwrites the start; the older tail stays while it is loaded.
  click("List1", 0);
  EXPECT_FALSE(std::filesystem::exists(scratch()));
  EXPECT_EQ(picture().pixel(0, 0), qRgb(5, 5, 5));
}

TEST_F(BitmapProtocol, APlantedLinkIsNotFollowed) {
#ifdef _WIN32
  GTEST_SKIP() << "making a symbolic link on Windows takes a privilege ordinary users lack, and "
                  "the MinGW C++ library makes none";
#endif
  openWith("x"_b);
  const auto victim = folder() / "victim";
  std::ofstream(victim) << "precious";
  std::filesystem::create_symlink(victim, scratch());
  click("List1", 1);
  click("List1", 0);
  std::ifstream in(victim);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "precious");
}

TEST_F(BitmapProtocol, ForgedHugePicturesAreRefused) {
  openWith(testdata::BitmapHeaderOnly(60000, 60000));
  click("List1", 1);
  EXPECT_EQ(picture().pixel(0, 0), qRgb(5, 5, 5));
}

}  // namespace
}  // namespace quill::test
