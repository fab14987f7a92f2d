// SPDX-License-Identifier: GPL-3.0-or-later
// The figure game drawn: Sims of boxes in plain colours, dressed from the files the skins check
// finds and drawn 200 × 300 at yaw 0, which shows a Sim from the front with its left on the
// picture's right. A side facing the viewer is lit by 0.35 + 0.65 / √3 = 0.7253 of its colour.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>

#include "figure_builder.h"
#include "game_folder_builder.h"
#include "platform/files.h"
#include "render/draw_sim.h"
#include "render/dress_sim.h"

namespace quill::render {
namespace {

// The game written once for every test, with its skins read as the window reads them.
class WrittenFigureGame {
 public:
  WrittenFigureGame() {
    testdata::WriteFigureGame(folder_.path());
    check_.emplace(folder_.path());
    check_->Refresh();
  }

  std::optional<BodyLooks> Looks(const char* file) const {
    return BodyLooksOfFile(folder_.path() / "UserData" / "Characters" / file);
  }

  content::SkinsCheck& check() { return *check_; }

 private:
  platform::ScratchFolder folder_;
  std::optional<content::SkinsCheck> check_;
};

WrittenFigureGame& Game() {
  static WrittenFigureGame game;
  return game;
}

DressedSim Dressed(const char* file, int outfit) {
  const std::optional<BodyLooks> looks = Game().Looks(file);
  return looks ? DressSim(Game().check(), *looks, outfit) : DressedSim{};
}

QImage Drawn(const DressedSim& sim) {
  return DrawSim(sim.parts(), QSize(200, 300), {}, QColor::fromRgb(kSimBackground));
}

// Each channel within 3 of what the hand-worked light gives: only rounding may differ.
::testing::AssertionResult Near(QRgb actual, QRgb expected) {
  if (std::abs(qRed(actual) - qRed(expected)) <= 3 &&
      std::abs(qGreen(actual) - qGreen(expected)) <= 3 &&
      std::abs(qBlue(actual) - qBlue(expected)) <= 3) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << std::hex << "0x" << actual << " is not near 0x" << expected;
}

// The adult is 4 units tall, fitted to 270 pixels about the picture's centre at height 2; the
// child is the same shape at 0.6 of the size, so the same pixels. Head 3.3 to 4.0: (100, 38);
// torso 1.9 to 3.3: (100, 110); the left hand at data x 0.45 to 0.65, on the picture's right as
// the Sim faces the viewer, 1.6 to 1.9 high: (137, 167); the right hand at (63, 167). Skin (210,
// 160, 110) lit is (152, 116, 80); the left hand's (230, 180, 130) is (167, 131, 94), the right's
// (160, 110, 70) is (116, 80, 51). Catches the head below the body (a picture upside down), the
// hands swapped (x not mirrored, or the picture's x flipped), a bone's turn taken without its
// conjugate (the arms would point up, the hands above the shoulders), a child posed on the adult's
// skeleton, and an outfit's body not the one its body string names.
TEST(FigureGame, HeadBodyAndHandsWhereTheyBelong) {
  const struct {
    const char* file;
    int outfit;
    QRgb body;
  } cases[] = {{"User00000.iff", 1, qRgb(36, 65, 145)},    // everyday (50, 90, 200)
               {"User00000.iff", 30, qRgb(44, 44, 44)},    // formal (60, 60, 60)
               {"User00001.iff", 1, qRgb(36, 123, 51)},    // child's everyday (50, 170, 70)
               {"User00001.iff", 31, qRgb(145, 29, 29)}};  // swimwear (200, 40, 40)
  for (const auto& c : cases) {
    const QImage picture = Drawn(Dressed(c.file, c.outfit));
    EXPECT_TRUE(Near(picture.pixel(100, 38), qRgb(152, 116, 80))) << c.file << " " << c.outfit;
    EXPECT_TRUE(Near(picture.pixel(100, 110), c.body)) << c.file << " " << c.outfit;
    EXPECT_TRUE(Near(picture.pixel(137, 167), qRgb(167, 131, 94))) << c.file << " " << c.outfit;
    EXPECT_TRUE(Near(picture.pixel(63, 167), qRgb(116, 80, 51))) << c.file << " " << c.outfit;
  }
}

// Hedda's head suit is installed but not its mesh: the check says she would be headless and she
// is drawn so, body and hands and nothing else; with no head her torso is the top of the picture
// (3.3 units fitted to 270 pixels: its top at row 15), background above it. Catches a part drawn
// from another suit's mesh, and a Sim left undrawn for one missing part. Every other Sim looks
// right: catches the figure game's files drifting from what the check accepts.
TEST(FigureGame, HeadlessSimDrawnWithoutHead) {
  for (const char* file : {"User00000.iff", "User00001.iff", "User00002.iff", "User00003.iff"}) {
    EXPECT_TRUE(Game().check().Check(Game().Looks(file).value()).right) << file;
  }
  EXPECT_EQ(Game().check().Check(Game().Looks("User00004.iff").value()).summary,
            "would be headless: the head mesh `xskin-c011fa_hedda-HEAD-HEAD` is missing");
  const DressedSim hedda = Dressed("User00004.iff", 1);
  EXPECT_EQ(hedda.meshes.size(), 3U);
  const QImage picture = Drawn(hedda);
  EXPECT_EQ(picture.pixel(100, 8), kSimBackground);
  EXPECT_TRUE(Near(picture.pixel(100, 30), qRgb(36, 65, 145)));
}

// The pets' bodies fill the picture's centre: the dog's brown (120, 75, 40) lit is (87, 54, 29),
// the cat's orange (240, 140, 30) is (174, 102, 22). Catches a pet's skeleton not found by the
// name its body string gives ("cat" for the skeleton "kat"), and a pet's skin left undressed.
// Seen from the side a pet is longer than the picture is wide at the size that fits its height;
// it is drawn smaller, the picture's sides left clear: catches a pet fitted by its height alone
// and cut off as it turns.
TEST(FigureGame, PetsDrawnInTheirColours) {
  const struct {
    const char* file;
    QRgb centre;
  } cases[] = {{"User00002.iff", qRgb(87, 54, 29)}, {"User00003.iff", qRgb(174, 102, 22)}};
  for (const auto& c : cases) {
    EXPECT_TRUE(Near(Drawn(Dressed(c.file, 1)).pixel(100, 150), c.centre)) << c.file;
    const DressedSim pet = Dressed(c.file, 1);
    const QImage side =
        DrawSim(pet.parts(), QSize(200, 300), {90, 0, 1}, QColor::fromRgb(kSimBackground));
    for (const int x : {0, 199}) EXPECT_EQ(side.pixel(x, 150), kSimBackground) << c.file << x;
  }
}

// The adult's whole picture, held to a 64-bit FNV-1a of its pixels' red, green and blue: the Linux
// and the Windows build (under Wine) run this same test, so both must draw every pixel alike.
// Catches arithmetic whose last bit differs between compilers or libraries (a maths library's
// sine, a fused multiply-add) and any change to the picture; change the literal only with a change
// meant to alter the pictures, having looked at them.
TEST(FigureGame, AdultDrawnTheSameEverywhere) {
  const QImage picture = Drawn(Dressed("User00000.iff", 1));
  std::uint64_t hash = 0xcbf29ce484222325U;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb pixel = picture.pixel(x, y);
      for (const int channel : {qRed(pixel), qGreen(pixel), qBlue(pixel)}) {
        hash = (hash ^ std::uint64_t(channel)) * 0x100000001b3U;
      }
    }
  }
  EXPECT_EQ(hash, 0xbdaecf599478797bU);
}

// The sample game's Sims whose files the game finds but would not show: Biscuit's body is a text
// mesh naming a file (drawn invisible), Marmalade's suit a text suit inside an archive (the game
// crashes on it); Ada is dressed whole, body, head and left hand. Catches a skin drawn that the
// game would not show, and a whole Sim dropped for one such part.
TEST(FigureGame, SampleSimsWithoutWhatTheGameWouldNotShow) {
  const platform::ScratchFolder game;
  testdata::WriteSampleGameFolder(game.path());
  content::SkinsCheck check(game.path());
  check.Refresh();
  const struct {
    const char* file;
    std::size_t meshes;
  } cases[] = {{"User00000.iff", 3}, {"User00003.iff", 0}, {"User00004.iff", 0}};
  for (const auto& c : cases) {
    const std::optional<BodyLooks> looks =
        ReadBodyStrings(testdata::BodyStrings(testdata::SavedSimLooks(c.file)));
    ASSERT_TRUE(looks.has_value()) << c.file;
    EXPECT_EQ(DressSim(check, *looks, 1).meshes.size(), c.meshes) << c.file;
  }
}

}  // namespace
}  // namespace quill::render
