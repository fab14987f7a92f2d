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
