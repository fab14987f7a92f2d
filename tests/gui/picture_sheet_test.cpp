// The picture sheet and keeping pictures: what is shown, copied and saved is the file's pixels.
#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>
#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

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
  // Each picture's zoom, the largest whole one that fits a room of 320 x 180 on the test's
  // screen: 105 x 41 three times, 200 x 40 once, 25 x 25 seven times, 16 x 16 eleven, 32 x 32
  // five, 45 x 45 four.
  const int zooms[] = {3, 1, 7, 11, 5, 4};
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

TEST(SharpPicture, ZoomIsTheLargestThatFitsAndTwiceForSmallPictures) {
  // picture, room, zoom
  const std::tuple<QSize, QSize, int> kCases[] = {
      {{45, 45}, {480, 240}, 5}, {{105, 41}, {480, 240}, 4}, {{200, 40}, {399, 240}, 1},
      {{16, 16}, {20, 20}, 2},   {{32, 32}, {40, 400}, 2},   {{33, 33}, {40, 400}, 1},
      {{0, 0}, {480, 240}, 1}};
  for (const auto& [picture, room, zoom] : kCases)
    EXPECT_EQ(ZoomToFit(picture, room), zoom) << picture.width() << "x" << picture.height();
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
