#include "command_line/roster_listing.h"
#include "viewer_fixture.h"

namespace quill::test {
namespace {

using testdata::CharacterFile;
using testdata::operator""_b;

class RosterListing : public Viewer {};

TEST_F(RosterListing, ListsWhatTheWindowsRosterShows) {
  writeSim("UserB.iff", "Bram");
  writeSim("usera.iff", "Ada");
  write("User2", "unreadable");
  CharacterFile().add({"OBJD", 1, 0, "nameless", "x"_b, {}, {}}).write(folder() / "User3");
  CharacterFile().add({"BMP_", 1, 0, "CTSS", "no picture"_b, {}, {}}).write(folder() / "User4");
  write("Other.iff", "not listed");
  open();
  const platform::ScratchFolder scratch;
  const auto roster = ListRoster(folder(), scratch.path());
  ASSERT_TRUE(roster);
  std::vector<std::string> files;
  std::vector<std::string> names;
  for (const RosterEntry& entry : *roster) {
    files.push_back(entry.file.string());
    names.push_back(entry.name);
  }
  EXPECT_EQ(files, lines("File1"));
  EXPECT_EQ(names, lines("List2"));
  EXPECT_FALSE(ListRoster(folder() / "missing", scratch.path()));
}

}  // namespace
}  // namespace quill::test
