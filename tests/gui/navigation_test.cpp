#include "viewer_fixture.h"

namespace quill::test {
namespace {

class Navigation : public Viewer {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder() / "sub");
    writeSim("UserA", "Ada");
    SimWithPictures("Sub", "x").write(folder() / "sub" / "User1");
    SimWithPictures("Sue", "x").write(folder() / "sub" / "User2");
    open();
  }
  int row(const std::string& text) const {
    const auto shown = lines("Dir1");
    for (std::size_t i = 0; i < shown.size(); ++i) {
      if (shown[i].find(text) != std::string::npos) return static_cast<int>(i);
    }
    return -1;
  }
};

TEST_F(Navigation, OpeningASubfolderAndComingBackRebuildsTheRoster) {
  EXPECT_EQ(lines("List2"), std::vector<std::string>{"Ada"});
  click("Dir1", row("sub"));  // a single click only highlights
  EXPECT_EQ(control<FolderList>("Dir1")->path(), folder());
  doubleClick("Dir1", row("sub"));
  EXPECT_EQ(control<FileList>("File1")->path(), folder() / "sub");
  EXPECT_EQ(lines("List2"), (std::vector<std::string>{"Sub", "Sue"}));
  EXPECT_EQ(nameCaption(), "Name: Sub");
  // The folder above is listed as an ancestor, one line up.
  doubleClick("Dir1", row("sub") - 1);
  EXPECT_EQ(control<FileList>("File1")->path(), folder());
  EXPECT_EQ(lines("List2"), std::vector<std::string>{"Ada"});
}

TEST_F(Navigation, OpeningTheCurrentFolderChangesNothing) {
  click("List1", 0);
  const auto chunk = selected("List1");
  doubleClick("Dir1", row(folder().filename().string()));
  EXPECT_EQ(selected("List1"), chunk);
  EXPECT_TRUE(control<FolderList>("Dir1")->setPath(folder()));
  EXPECT_EQ(selected("List1"), chunk);
}

TEST_F(Navigation, AVanishedFolderKeepsTheCurrentOneAndDropsFromTheList) {
  const int sub = row("sub");
  std::filesystem::remove_all(folder() / "sub");
  doubleClick("Dir1", sub);
  EXPECT_EQ(control<FolderList>("Dir1")->path(), folder());
  EXPECT_EQ(control<FileList>("File1")->path(), folder());
  EXPECT_EQ(lines("List2"), std::vector<std::string>{"Ada"});
  EXPECT_EQ(row("sub"), -1);
  EXPECT_FALSE(control<FolderList>("Dir1")->setPath(folder() / "never"));
}

}  // namespace
}  // namespace quill::test
