// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up on Windows, run by startup-test.sh in a prefix where the game's key names a folder of
// sample Sims: the window opens on its characters folder with every Sim in the roster.
#include <gtest/gtest.h>

#include <QListWidget>
#include <cstdlib>

#include "window/folder_list.h"
#include "window/frm_main.h"

namespace quill {
namespace {

TEST(Win32Startup, OpensTheGameFolderFromTheRegistryWithTheRoster) {
  const char* expected = std::getenv("QUILLMERE_EXPECTED_FOLDER");
  ASSERT_NE(expected, nullptr) << "startup-test.sh names the folder the key points at";
  FrmMain window(SystemServices());
  window.load();
  EXPECT_EQ(window.findChild<FolderList*>("Dir1")->path(), std::filesystem::path(expected));
  const auto* files = window.findChild<QListWidget*>("File1");
  const auto* roster = window.findChild<QListWidget*>("List2");
  ASSERT_GT(files->count(), 0);
  ASSERT_EQ(roster->count(), files->count());
  for (int row = 0; row < roster->count(); ++row) {
    EXPECT_NE(roster->item(row)->text(), "Bad File") << files->item(row)->text().toStdString();
  }
}

}  // namespace
}  // namespace quill
