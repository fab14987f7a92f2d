// Saving a file whole: what is already there is kept unless replacing was agreed, and a failure at
// any step leaves nothing behind.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <vector>

#include "platform/files.h"

namespace quill::platform {
namespace {

namespace fs = std::filesystem;

void FailWithDiskError() {
#ifdef _WIN32
  ::SetLastError(ERROR_DISK_FULL);
#else
  errno = EIO;
#endif
}

const FinishingSteps kFlushFails{[](std::intptr_t) {
                                   FailWithDiskError();
                                   return false;
                                 },
                                 SystemFinishingSteps().close};
const FinishingSteps kCloseFails{SystemFinishingSteps().flush, [](std::intptr_t file) {
                                   SystemFinishingSteps().close(file);
                                   FailWithDiskError();
                                   return false;
                                 }};

class SafeWrite : public ::testing::Test {
 protected:
  SafeWrite() { std::ofstream(file_, std::ios::binary) << "kept"; }
  std::vector<fs::path> names() const {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder_.path())) {
      if (entry.path().filename() != "quillmere.pid") found.push_back(entry.path().filename());
    }
    std::sort(found.begin(), found.end());
    return found;
  }
  ScratchFolder folder_;
  fs::path file_ = folder_.path() / "Ada.png";
};

// Catches a save that renames over a file that took the name after it was found free (two viewers
// saving at once), and one that keeps the old file when the user agreed to replace it.
TEST_F(SafeWrite, ReplacesOnlyWhatTheUserAgreedToReplace) {
  const SaveResult kept = SaveWholeFile(file_, "new", WhenNameTaken::kKeep);
  EXPECT_EQ(kept.outcome, SaveResult::kNameTaken);
  EXPECT_EQ(ReadWholeFile(file_), "kept");

  const SaveResult fresh = SaveWholeFile(folder_.path() / "Bob.png", "bob", WhenNameTaken::kKeep);
  EXPECT_EQ(fresh.outcome, SaveResult::kSaved);
  EXPECT_EQ(ReadWholeFile(folder_.path() / "Bob.png"), "bob");

  const SaveResult replaced = SaveWholeFile(file_, "new", WhenNameTaken::kReplace);
  EXPECT_EQ(replaced.outcome, SaveResult::kSaved);
  EXPECT_EQ(ReadWholeFile(file_), "new");
  EXPECT_EQ(names(), (std::vector<fs::path>{"Ada.png", "Bob.png"}));
}

// Catches a dropped check of the flush or the close (a disk that fills up may only say so there):
// the save must fail, keep the old file and leave no partial file behind.
TEST_F(SafeWrite, AFailingFlushOrCloseSavesNothing) {
  for (const FinishingSteps* steps : {&kFlushFails, &kCloseFails}) {
    for (const WhenNameTaken when : {WhenNameTaken::kKeep, WhenNameTaken::kReplace}) {
      const SaveResult result = SaveWholeFile(file_, "new", when, *steps);
      EXPECT_EQ(result.outcome, SaveResult::kFailed);
#ifndef _WIN32
      EXPECT_EQ(result.reason, "Input/output error");
#else
      EXPECT_FALSE(result.reason.empty());
#endif
      EXPECT_EQ(ReadWholeFile(file_), "kept");
      EXPECT_EQ(names(), (std::vector<fs::path>{"Ada.png"}));
    }
  }
}

}  // namespace
}  // namespace quill::platform
