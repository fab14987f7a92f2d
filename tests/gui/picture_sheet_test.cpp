// The picture sheet and keeping pictures: what is shown, copied and saved is the file's pixels.
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>
#include <fstream>

#include "viewer_fixture.h"
#include "window/picture_files.h"
#include "window/picture_sheet.h"
#include "window/sharp_picture.h"

namespace quill::test {
namespace {

namespace fs = std::filesystem;

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
  platform::ScratchFolder out_;
};

TEST_F(PictureSheetTest, ShowsEveryPictureEnlargedSharplyAndFollowsTheChosenSim) {
  QTest::mouseDClick(control<QLabel>("Picture1"), Qt::LeftButton);
  ASSERT_NE(sheet(), nullptr);
  EXPECT_TRUE(sheet()->isVisible());
  EXPECT_EQ(sheet()->windowTitle(), "Pictures of Ada: the best");
  ASSERT_EQ(shown().size(), 6);
  for (int i = 0; i < 6; ++i) {
    const QImage& picture = sheet()->pictures()[static_cast<std::size_t>(i)].picture;
    const int zoom = shown()[i]->property("zoom").toInt();
    EXPECT_TRUE(ShownExactly(shown()[i]->pixmap().toImage(), picture, zoom)) << i;
    EXPECT_TRUE(picture.width() > 25 || zoom >= 2) << i;
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

  fs::path chosen;
  int failures = 0;
  auto& dialogs = window().pictureDialogs();
  dialogs.chooseFile = [&](QWidget*, const QString&) {
    return std::optional(out_.path() / chosen);
  };
  dialogs.chooseFolder = [&](QWidget*) { return std::optional(out_.path()); };
  dialogs.confirmReplace = [](QWidget*, const fs::path&) { return false; };
  dialogs.tellFailure = [&](QWidget*, const QString&) { ++failures; };
  const auto saved = [this](const char* name) { return Rgb(QImage(PathText(out_.path() / name))); };
  // The name chosen, and the file saved: a PNG, whatever else the name ends in.
  const std::pair<const char*, const char*> kNames[] = {{"portrait", "portrait.png"},
                                                        {"User00001.iff", "User00001.iff.png"},
                                                        {"Kept.PNG", "Kept.PNG"}};
  for (const auto& [name, file] : kNames) {
    chosen = name;
    SavePictureAs(box, copied, "x", dialogs);
    EXPECT_EQ(saved(file), Rgb(copied)) << file;
  }

  window().showPictureSheet();
  std::ofstream(out_.path() / "Ada_ the best - faces.png") << "kept";
  SaveAllPictures(sheet(), "Ada: the best", sheet()->pictures(), dialogs);
  EXPECT_EQ(saved("Ada_ the best - faces (2).png"), Rgb(sheet()->pictures()[0].picture));
  EXPECT_EQ(saved("Ada_ the best - speech_large.png"), Rgb(copied));
  EXPECT_EQ(platform::ReadWholeFile(out_.path() / "Ada_ the best - faces.png"), "kept");
  EXPECT_EQ(failures, 0);

  // A folder where the file should go: the save fails, says so, and leaves nothing behind.
  fs::create_directory(out_.path() / "blocked.png");
  const auto before = std::distance(fs::directory_iterator(out_.path()), {});
  chosen = "blocked";
  dialogs.confirmReplace = [](QWidget*, const fs::path&) { return true; };
  SavePictureAs(box, copied, "x", dialogs);
  EXPECT_EQ(failures, 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(out_.path()), {}), before);
}

TEST(SharpPicture, ScreenPixelsTakeTheNearestPicturePixel) {
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
                                               {"Lpt1.x", "_Lpt1.x"}};
  for (const auto& [given, safe] : names)
    EXPECT_EQ(FileNameSafe(given), safe) << given.toStdString();
}

}  // namespace
}  // namespace quill::test
