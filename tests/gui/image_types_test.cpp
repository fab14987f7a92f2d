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
  return {"BMP_", 1, 0, label, testdata::Bitmap(2, 2, testdata::Rgb{shade, shade, shade}), {}, {}};
}

class ImageTypes : public Viewer {
 protected:
  int shade() const { return qRed(picture().pixel(0, 0)); }
};

TEST_F(ImageTypes, EachButtonSearchesForItsWord) {
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
  // Without a "thumbnail" line, the game's own "newimage" label.
  click("File1", 1);
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

}  // namespace
}  // namespace quill::test
