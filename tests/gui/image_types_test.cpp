#include <QPushButton>
#include <QRadioButton>

#include "viewer_fixture.h"

namespace quill::test {
namespace {

using testdata::Bytes;
using testdata::CharacterFile;
using testdata::Chunk;
using testdata::operator""_b;

Chunk Picture(const std::string& label, std::uint8_t shade) {
  return {"BMP_",
          1,
          0,
          label,
          testdata::Bitmap(2, 2,
                           [=](int, int) {
                             return testdata::Rgb{shade, shade, shade};
                           }),
          {},
          {}};
}

class ImageTypes : public Viewer {
 protected:
  int shade() const { return qRed(picture().pixel(0, 0)); }
};

TEST_F(ImageTypes, EachButtonShowsItsPicture) {
  writeSim("UserA", "Ada");
  open();
  const char* labels[] = {"faces",      "rel. images",  "newimage",
                          "speech_med", "speech_large", "web_image"};
  for (int option = 1; option <= 6; ++option) {
    clickOption(option);
    EXPECT_EQ(picture().pixel(0, 0),
              qRgb(ColourOf(labels[option - 1]).r, ColourOf(labels[option - 1]).g, 77))
        << option;
    EXPECT_EQ(selected("List1"), option + 1) << option;
    EXPECT_TRUE(control<QRadioButton>(("Option" + std::to_string(option)).c_str())->isChecked());
  }
}

TEST_F(ImageTypes, WordsMatchAnywhereInAnyCaseAndTheLastMatchWins) {
  CharacterFile()
      .add(Picture("FACES", 10))
      .add(Picture("old Faces", 20))
      .add(Picture("speech_medium", 30))
      .add(Picture("thumbnail_small", 40))
      .add(Picture("newimage", 45))
      .add(Picture("Speech_Large", 50))
      .write(folder() / "UserA");
  open();
  EXPECT_EQ(shade(), 50);
  clickOption(1);
  EXPECT_EQ(shade(), 20);
  clickOption(4);  // speech_med is found in speech_medium but not in speech_large
  EXPECT_EQ(shade(), 30);
  clickOption(3);  // thumbnail found: newimage is not looked at
  EXPECT_EQ(shade(), 40);
  clickOption(5);
  EXPECT_EQ(shade(), 50);
}

TEST_F(ImageTypes, NoMatchChangesNothingButTheButton) {
  CharacterFile()
      .add(Picture("speech_large", 50))
      .add({"OBJD", 1, 0, "x", "y"_b, {}, {}})
      .write(folder() / "UserA");
  open();
  click("List1", 1);
  clickOption(6);
  EXPECT_EQ(shade(), 50);
  EXPECT_EQ(selected("List1"), 1);
  EXPECT_TRUE(control<QRadioButton>("Option6")->isChecked());
  clickOption(2);  // "rel. Image" needs its full stop and blank
  EXPECT_EQ(selected("List1"), 1);
}

TEST_F(ImageTypes, ThumbnailFallsBackToTheGamesNewimageLabel) {
  CharacterFile()
      .add(Picture("newimage", 45))
      .add(Picture("speech_large", 50))
      .write(folder() / "UserA");
  open();
  clickOption(3);
  EXPECT_EQ(shade(), 45);
}

TEST_F(ImageTypes, ClickingTheMarkedButtonSearchesAgainAndMarkingFromCodeDoesNot) {
  writeSim("UserA", "Ada");
  open();
  click("List1", 2);  // faces, by hand
  clickOption(5);     // already marked: still searches
  EXPECT_EQ(selected("List1"), 6);
  click("List1", 2);
  control<QRadioButton>("Option6")->setChecked(true);
  EXPECT_EQ(selected("List1"), 2);
}

TEST_F(ImageTypes, AnEmptyListOnlyMovesTheMark) {
  services.startupFolder = [](const std::string&) {
    return std::optional<std::filesystem::path>();
  };
  open();
  clickOption(2);
  EXPECT_TRUE(control<QRadioButton>("Option2")->isChecked());
  EXPECT_TRUE(picture().isNull());
}

class AboutPanel : public Viewer {};

TEST_F(AboutPanel, ButtonsOpenTheTwoPagesAndCloseEnds) {
  open();
  control<QPushButton>("Command2")->click();
  control<QPushButton>("Command2")->click();
  control<QPushButton>("Command4")->click();
  EXPECT_EQ(openedPages,
            (std::vector<std::string>{"https://harrowfen.example/", "https://harrowfen.example/",
                                      "https://tamblewick.example/"}));
  EXPECT_EQ(endings, 0);
  const auto scratch = window().scratchFolder();
  control<QPushButton>("Command1")->click();
  EXPECT_EQ(endings, 1);
  EXPECT_FALSE(std::filesystem::exists(scratch));
}

TEST(AboutPanelDeathTest, CloseEndsTheProcessAtOnce) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        PlatformServices services = SystemServices();
        services.startupFolder = [](const std::string&) {
          return std::optional<std::filesystem::path>();
        };
        FrmMain window(services);
        window.load();
        window.findChild<QPushButton*>("Command1")->click();
        std::fprintf(stderr, "still running\n");
        std::abort();
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace quill::test
