// SPDX-License-Identifier: GPL-3.0-or-later
// The Sim in 3D on its card: turning, zooming and going back; outfits dressed when first chosen;
// the portrait and the reason for a Sim that cannot be drawn; saving the view.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <array>
#include <functional>

#include "platform/files.h"
#include "window/picture_files.h"
#include "window/sim_card.h"
#include "window/sim_view.h"

namespace quill::test {
namespace {

// A quad facing the player in one colour, lit from the front: 200 is drawn as 145.
void AddQuad(render::DressedSim& sim, float left, float right, float bottom, float top,
             QRgb colour) {
  render::PosedMesh& quad = sim.meshes.emplace_back();
  quad.positions = {{left, top, 0}, {right, top, 0}, {right, bottom, 0}, {left, bottom, 0}};
  quad.normals.assign(4, {0, 0, -1});
  quad.uvs = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  quad.triangles = {{0, 1, 2}, {0, 2, 3}};
  sim.textures.emplace_back(1, 1, QImage::Format_RGB32).fill(colour);
}

class SimViewTest : public ::testing::Test {
 protected:
  // "Ada: the best" in everyday wear, with winter, formal and costume in the looks' order.
  void show(LooksVerdict verdict) {
    SimProfile profile;
    profile.looks = BodyLooks{"adult", Garment{"body", "BODY", "t"}, {}, {}, {}, {}, {}};
    for (const int outfit : {33, 30, 27}) profile.looks->outfits.push_back({outfit, {}});
    QImage portrait(1, 1, QImage::Format_RGB32);
    card.showSim("Ada: the best", portrait, profile, verdict);
  }
  // Dresses every outfit as a red body 3 high under a blue head 1 high, noting which.
  LooksVerdict dressing() {
    return {std::nullopt, {}, [this](int outfit) {
              dressed.push_back(outfit);
              render::DressedSim sim;
              AddQuad(sim, -1, 1, 0, 3, qRgb(200, 0, 0));
              AddQuad(sim, -0.5F, 0.5F, 3, 4, qRgb(0, 0, 200));
              return sim;
            }};
  }
  SimView* view() const { return card.findChild<SimView*>("SimCardView"); }
  std::function<void()> pressing(std::vector<Qt::Key> keys) const {
    return [this, keys] {
      for (const Qt::Key key : keys) QTest::keyClick(view(), key);
    };
  }
  void send(QEvent&& event) const { QApplication::sendEvent(view(), &event); }
  // Pressed at x = 100 and moved to 120, then 140.
  void drag() const {
    for (const int x : {100, 120, 140}) {
      send(QMouseEvent(x == 100 ? QEvent::MouseButtonPress : QEvent::MouseMove, QPointF(x, 9),
                       QPointF(x, 9), Qt::LeftButton, Qt::LeftButton, {}));
    }
  }
  void wheel() const { send(QWheelEvent({9, 9}, {9, 9}, {}, {0, 120}, {}, {}, {}, false)); }

  PictureDialogs dialogs;
  SimCard card{dialogs, nullptr};
  std::vector<int> dressed;
};

// Catches a picture not drawn by DrawSim at the view's size (the Sim off centre or squeezed), a
// background other than the command line's, swapped keys or axes, a pitch let past ±80°, a wheel
// notch that zooms by another step, a drag that adds the whole distance from the press on every
// move, Home that keeps part of the turn, and a picture kept from before a turn.
TEST_F(SimViewTest, TurnsZoomsAndGoesBackToTheFirstView) {
  show(dressing());
  ASSERT_NE(view(), nullptr);
  EXPECT_EQ(card.findChild<QLabel*>("SimCardPortrait"), nullptr);
  const QImage first = view()->picture();
  ASSERT_EQ(first.size(), QSize(240, 360));
  EXPECT_EQ(first.pixel(120, 180), qRgb(145, 0, 0));
  EXPECT_EQ(first.pixel(0, 0), render::kSimBackground);
  // What is done, and the yaw, pitch and zoom seen after it.
  const std::pair<std::function<void()>, std::array<float, 3>> cases[] = {
      {pressing({Qt::Key_Right}), {15, 0, 1}},
      {pressing({Qt::Key_Left}), {-15, 0, 1}},
      {pressing({Qt::Key_Down}), {0, 15, 1}},
      {pressing(std::vector(6, Qt::Key_Up)), {0, -80, 1}},
      {[this] { wheel(); }, {0, 0, 1.25F}},
      {[this] { drag(); }, {20, 0, 1}},
      {pressing({Qt::Key_Right, Qt::Key_Home}), {0, 0, 1}},
  };
  for (const auto& [act, seen] : cases) {
    act();
    const render::View now = view()->view();
    EXPECT_EQ((std::array{now.yawDegrees, now.pitchDegrees, now.zoom}), seen);
    const bool firstView = seen == std::array<float, 3>{0, 0, 1};
    EXPECT_EQ(view()->picture() == first, firstView);
    QTest::keyClick(view(), Qt::Key_Home);
  }
}

// Catches outfits listed in the looks' order or one left out, an outfit dressed again each time it
// is chosen (its files read again), and a view turned back when the outfit changes.
TEST_F(SimViewTest, ChooserDressesEachOutfitOnceAndKeepsTheView) {
  show(dressing());
  auto* chooser = card.findChild<QComboBox*>("SimCardOutfit");
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
    EXPECT_NE(card.findChild<QLabel*>("SimCardPortrait"), nullptr) << reason;
    EXPECT_EQ(card.findChild<QLabel*>("SimCardViewReason")->text().toStdString(), reason);
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
  show(dressing());
  QTest::keyClick(view(), Qt::Key_Right);
  QTest::mouseClick(card.findChild<QPushButton*>("SimCardSaveView"), Qt::LeftButton);
  EXPECT_EQ(suggested.toStdString(), "Ada_ the best.png");
  EXPECT_EQ(QImage(PathText(out.path() / "view.png")).convertToFormat(QImage::Format_RGB32),
            view()->picture().convertToFormat(QImage::Format_RGB32));
}

}  // namespace
}  // namespace quill::test
