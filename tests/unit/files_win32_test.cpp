// SPDX-License-Identifier: GPL-3.0-or-later
// What Windows players see of paths: drive letters, one backslash between folder and name, and
// names in any language.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/files.h"

namespace quill::platform {
namespace {

namespace fs = std::filesystem;

TEST(FolderNames, JoinAddsOneBackslashOnly) {
  for (const char* folder : {"C:\\chars", "C:\\chars\\"})
    EXPECT_EQ(JoinFolderAndName(folder, "UserA").string(), "C:\\chars\\UserA");
  EXPECT_EQ(JoinFolderAndName("C:\\", "UserA").string(), "C:\\UserA");
}

TEST(FolderNames, DrivesAreLettersAndColonsAndNamesStayVisible) {
  const std::vector<std::string> drives = ListDrives();
  EXPECT_NE(std::find(drives.begin(), drives.end(), "C:"), drives.end());
  EXPECT_EQ(DriveOf("C:\\Program Files\\Maxis"), "C:");
  EXPECT_EQ(DisplayName(fs::path(L"User\u00E9.iff")), "User\xC3\xA9.iff");
}

}  // namespace
}  // namespace quill::platform
