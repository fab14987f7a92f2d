// Saving a file whole: what is already there is kept unless replacing was agreed, and a failure at
// any step leaves nothing behind.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <cerrno>
#include <cstddef>
#include <fstream>
#include <iterator>

#include "platform/files.h"

namespace quill::platform {
namespace {

namespace fs = std::filesystem;

bool FailWithDiskError() {
#ifdef _WIN32
  ::SetLastError(ERROR_DISK_FULL);
#else
  errno = EIO;
#endif
  return false;
}

const FinishingSteps kFlushFails{[](std::intptr_t) { return FailWithDiskError(); },
                                 SystemFinishingSteps().close};
const FinishingSteps kCloseFails{SystemFinishingSteps().flush, [](std::intptr_t file) {
                                   SystemFinishingSteps().close(file);
                                   return FailWithDiskError();
                                 }};

class SafeWrite : public ::testing::Test {
 protected:
  SafeWrite() { std::ofstream(file_, std::ios::binary) << "kept"; }
  // The scratch folder's marker, the file and whatever else was left.
  std::ptrdiff_t entries() const {
    return std::distance(fs::directory_iterator(folder_.path()), fs::directory_iterator());
  }
  ScratchFolder folder_;
  fs::path file_ = folder_.path() / "Ada.png";
};

// Catches a save that renames over a file that took the name after it was found free (two viewers
// saving at once), and one that keeps the old file when the user agreed to replace it.
TEST_F(SafeWrite, ReplacesOnlyWhatTheUserAgreedToReplace) {
  EXPECT_EQ(SaveWholeFile(file_, "new", WhenNameTaken::kKeep).outcome, SaveResult::kNameTaken);
  EXPECT_EQ(ReadWholeFile(file_), "kept");
  EXPECT_EQ(SaveWholeFile(file_, "new", WhenNameTaken::kReplace).outcome, SaveResult::kSaved);
  EXPECT_EQ(ReadWholeFile(file_), "new");
  EXPECT_EQ(entries(), 2);
}

// Catches a dropped check of the flush or the close (a disk that fills up may only say so there):
// the save must fail, keep the old file and leave no partial file behind.
TEST_F(SafeWrite, AFailingFlushOrCloseSavesNothing) {
  for (const FinishingSteps* steps : {&kFlushFails, &kCloseFails}) {
    for (const WhenNameTaken when : {WhenNameTaken::kKeep, WhenNameTaken::kReplace}) {
      const SaveResult result = SaveWholeFile(file_, "new", when, *steps);
      EXPECT_EQ(result.outcome, SaveResult::kFailed);
#ifdef _WIN32
      EXPECT_FALSE(result.reason.empty());
#else
      EXPECT_EQ(result.reason, "Input/output error");
#endif
      EXPECT_EQ(ReadWholeFile(file_), "kept");
      EXPECT_EQ(entries(), 2);
    }
  }
}

}  // namespace
}  // namespace quill::platform
