// Finding and reading the neighbourhood file beside a Characters folder.
#include "inspect/neighbourhood_files.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "neighbourhood_builder.h"

namespace quill {
namespace {

namespace fs = std::filesystem;
using namespace testdata;

class NeighbourhoodFile : public ::testing::Test {
 protected:
  NeighbourhoodFile() { fs::create_directories(characters()); }
  fs::path characters() const { return folder_.path() / "UserData2" / "Characters"; }
  fs::path beside(const char* name) const { return folder_.path() / "UserData2" / name; }
  platform::ScratchFolder folder_;
};

// The menu's names come from the "FAMs" chunks alone, within the first 4 MiB: a reader that
// took the whole file (four siblings of 64 MB froze the menu for 12 s) or ignored the count
// is caught.
TEST_F(NeighbourhoodFile, FamilyNamesAreReadFromTheStartOnly) {
  std::vector<FamilySpec> families;
  for (const char* name : {"Goth", "Pleasant", "Newbie", "Roomies", "Burb"})
    families.push_back({static_cast<std::uint16_t>(families.size() + 1), 0, 0, 0, 0, {}, name});
  testdata::NeighbourhoodFile({}, families).write(beside("Neighborhood.iff"));
  EXPECT_EQ(FamilyNamesBeside(characters(), 1, 4),
            (std::vector<std::string>{"Goth", "Pleasant", "Newbie", "Roomies"}));
  EXPECT_EQ(NeighbourhoodLabel(characters(), FamilyNamesBeside(characters(), 1, 4)),
            "UserData2: Goth, Pleasant, Newbie, \u2026");
  CharacterFile late;
  late.add({"XXXX", 1, 0, "", Bytes(4 * 1024 * 1024, 'x'), {}, {}});
  late.add({"FAMs", 1, 0, "", StringTable({{"Late", ""}}), {}, {}});
  late.write(beside("Neighborhood.iff"));
  EXPECT_TRUE(FamilyNamesBeside(characters(), 1, 4).empty());
}

#ifndef _WIN32
// Both spellings present: the exact one wins, whatever the listing's order. A FIFO in its place
// is there but unreadable, not missing.
TEST_F(NeighbourhoodFile, ExactSpellingFirstAndAFifoIsUnreadable) {
  testdata::NeighbourhoodFile({}, {{1, 0, 0, 0, 0, {}, "Lower"}}).write(beside("neighborhood.iff"));
  testdata::NeighbourhoodFile({}, {{1, 0, 0, 0, 0, {}, "Exact"}}).write(beside("Neighborhood.iff"));
  EXPECT_EQ(NeighbourhoodFileOf(characters()), beside("Neighborhood.iff"));
  fs::remove(beside("Neighborhood.iff"));
  EXPECT_EQ(NeighbourhoodFileOf(characters()), beside("neighborhood.iff"));
  fs::remove(beside("neighborhood.iff"));
  ASSERT_EQ(::mkfifo(beside("Neighborhood.iff").c_str(), 0600), 0);
  NeighbourhoodFiles files;
  EXPECT_EQ(files.of(characters(), 1).problem, "The neighbourhood file cannot be read.");
}
#endif

}  // namespace
}  // namespace quill
