// SPDX-License-Identifier: GPL-3.0-or-later
// The Sim in 3D on its card: turning, zooming and going back; outfits dressed when first chosen;
// the portrait and the reason for a Sim that cannot be drawn; saving the view.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "platform/files.h"
#include "window/picture_files.h"
#include "window/sim_card.h"
#include "window/sim_view.h"

namespace quill::test {
namespace {

// A quad facing the player, a texture of one colour: lit from the front, 200 is drawn as 145.
render::PosedMesh Quad(float left, float right, float bottom, float top) {
  render::PosedMesh quad;
  quad.positions = {{left, top, 0}, {right, top, 0}, {right, bottom, 0}, {left, bottom, 0}};
  quad.normals.assign(4, {0, 0, 1});
  quad.uvs = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  quad.triangles = {{0, 1, 2}, {0, 2, 3}};
  return quad;
}

QImage Plain(QRgb colour) {
  QImage texture(1, 1, QImage::Format_RGB32);
  texture.fill(colour);
  return texture;
}

// A red body 3 high under a blue head 1 high: the picture's centre is the body's.
render::DressedSim TwoQuads() {
  return {{Quad(-1, 1, 0, 3), Quad(-0.5F, 0.5F, 3, 4)},
          {Plain(qRgb(200, 0, 0)), Plain(qRgb(0, 0, 200))}};
}

class SimViewTest : public ::testing::Test {
 protected:
  // Shows "Ada: the best" in everyday wear, with winter, formal and costume in the looks' order.
  void show(LooksVerdict verdict) {
    BodyLooks looks;
    looks.body = Garment{"body", "BODY", "tex"};
    for (const int outfit : {33, 30, 27}) looks.outfits.push_back({outfit, {"b", "BODY", "t"}});
    SimProfile profile;
    profile.looks = looks;
    card.showSim("Ada: the best", Plain(qRgb(1, 2, 3)), profile, verdict);
  }
  LooksVerdict dressing() {
    return {std::nullopt, {}, [this](int outfit) {
              dressed.push_back(outfit);
              return TwoQuads();
            }};
  }
  template <typename Widget>
  Widget* find(const char* name) const {
    return card.findChild<Widget*>(QString::fromLatin1(name));
  }
  SimView* view() const { return find<SimView>("SimCardView"); }
  void send(QEvent&& event) const { QApplication::sendEvent(view(), &event); }

  PictureDialogs dialogs;
  SimCard card{dialogs, nullptr};
  std::vector<int> dressed;
};

// Catches a picture not drawn by DrawSim at the view's size (the Sim off centre, squeezed or
// missing) and a background other than the one the command line draws on.
TEST_F(SimViewTest, ShowsTheSimOnTheBackground) {
  show(dressing());
  ASSERT_NE(view(), nullptr);
  EXPECT_EQ(find<QLabel>("SimCardPortrait"), nullptr);
  const QImage picture = view()->picture();
  ASSERT_EQ(picture.size(), QSize(240, 360));
  EXPECT_EQ(picture.pixel(120, 180), qRgb(145, 0, 0));
  EXPECT_EQ(picture.pixel(0, 0), render::kSimBackground);
}

// Catches swapped keys or axes, a pitch let past ±80°, Home that keeps a part of the turn, and a
// picture kept from before a turn.
TEST_F(SimViewTest, KeysTurnTheSimAndHomeTurnsItBack) {
  show(dressing());
  const QImage first = view()->picture();
  const std::vector<Qt::Key> upSix(6, Qt::Key_Up);
  const struct {
    std::vector<Qt::Key> keys;
    float yaw, pitch;
  } cases[] = {{{Qt::Key_Right}, 15, 0},
               {{Qt::Key_Left}, -15, 0},
               {{Qt::Key_Down}, 0, 15},
               {upSix, 0, -80},
               {{Qt::Key_Right, Qt::Key_Down, Qt::Key_Home}, 0, 0}};
  for (const auto& c : cases) {
    for (const Qt::Key key : c.keys) QTest::keyClick(view(), key);
    EXPECT_EQ(view()->view().yawDegrees, c.yaw) << c.keys.front();
    EXPECT_EQ(view()->view().pitchDegrees, c.pitch) << c.keys.front();
    EXPECT_EQ(view()->picture() == first, c.yaw == 0 && c.pitch == 0) << c.keys.front();
    QTest::keyClick(view(), Qt::Key_Home);
  }
}

// Catches a wheel notch that zooms by another step or the wrong way, and a drag that turns the
// Sim by the pointer's whole distance from where it was pressed on every move.
TEST_F(SimViewTest, WheelZoomsAndDragTurns) {
  show(dressing());
  send(QWheelEvent({120, 180}, {120, 180}, {}, {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase,
                   false));
  EXPECT_EQ(view()->view().zoom, 1.25F);
  send(QMouseEvent(QEvent::MouseButtonPress, {100, 100}, {100, 100}, Qt::LeftButton, Qt::LeftButton,
                   {}));
  for (const int x : {120, 140}) {
    send(QMouseEvent(QEvent::MouseMove, QPointF(x, 100), QPointF(x, 100), Qt::NoButton,
                     Qt::LeftButton, {}));
  }
  EXPECT_EQ(view()->view().yawDegrees, 20);
  EXPECT_EQ(view()->view().pitchDegrees, 0);
}

// Catches the outfits listed in the looks' order or with one missing, an outfit dressed again each
// time it is chosen (reading its files again), and a view turned back when the outfit changes.
TEST_F(SimViewTest, ChooserDressesEachOutfitOnceAndKeepsTheView) {
  show(dressing());
  auto* chooser = find<QComboBox>("SimCardOutfit");
  QStringList names;
  for (int i = 0; i < chooser->count(); ++i) names << chooser->itemText(i);
  EXPECT_EQ(names.join(",").toStdString(), "everyday,formal,winter,costume");
  QTest::keyClick(view(), Qt::Key_Right);
  for (const char* outfit : {"formal", "everyday", "formal"})
    chooser->setCurrentIndex(chooser->findText(outfit));
  EXPECT_EQ(dressed, (std::vector<int>{1, 30}));
  EXPECT_EQ(view()->view().yawDegrees, 15);
}

// Catches a view shown with nothing to draw, and a reason left out or taken from the wrong field.
TEST_F(SimViewTest, NothingToDrawShowsThePortraitAndWhy) {
  const LooksVerdict unchecked{std::nullopt, "No game folder was found.", {}};
  const LooksVerdict undressed{content::LooksCheck{{}, "would be invisible", false}, {}, [](int) {
                                 return render::DressedSim{};
                               }};
  const std::pair<LooksVerdict, const char*> cases[] = {{unchecked, "No game folder was found."},
                                                        {undressed, "would be invisible"}};
  for (const auto& [verdict, reason] : cases) {
    show(verdict);
    EXPECT_EQ(view(), nullptr) << reason;
    ASSERT_NE(find<QLabel>("SimCardPortrait"), nullptr) << reason;
    EXPECT_FALSE(find<QLabel>("SimCardPortrait")->pixmap().isNull()) << reason;
    EXPECT_EQ(find<QLabel>("SimCardViewReason")->text().toStdString(), reason);
  }
}

// Catches a name suggested unsafe for a file, and a saved picture other than the one shown.
TEST_F(SimViewTest, SavesTheViewAsShown) {
  platform::ScratchFolder out;
  QString suggested;
  dialogs.chooseFile = [&](QWidget*, const QString& name) {
    suggested = name;
    return std::optional(out.path() / "view");
  };
  dialogs.tellFailure = [](QWidget*, const QString& text) { ADD_FAILURE() << text.toStdString(); };
  show(dressing());
  QTest::keyClick(view(), Qt::Key_Right);
  QTest::mouseClick(find<QPushButton>("SimCardSaveView"), Qt::LeftButton);
  EXPECT_EQ(suggested.toStdString(), "Ada_ the best.png");
  const QImage saved(PathText(out.path() / "view.png"));
  EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32),
            view()->picture().convertToFormat(QImage::Format_RGB32));
}

}  // namespace
}  // namespace quill::test
