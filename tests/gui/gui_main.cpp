// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the window tests headless, with one application for all of them.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
#ifndef _WIN32
  // Windows has only its own platform; under Wine the tests draw on the X display Wine uses.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
