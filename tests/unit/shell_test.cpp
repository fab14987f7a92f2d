#include "platform/shell.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "platform/files.h"

namespace quill::platform {
namespace {

namespace fs = std::filesystem;

// Puts a stand-in URL opener first on PATH for the length of a test.
class ShellOpener : public ::testing::Test {
 protected:
  void SetUp() override {
#ifdef _WIN32
    GTEST_SKIP() << "Windows hands the address to the browser its file associations name, not to "
                    "a program found on PATH";
#endif
    const char* path = std::getenv("PATH");
    savedPath_ = path != nullptr ? path : "";
    setPath(folder_.path().string());
  }
  void TearDown() override {
    setPath(savedPath_);
  }
  static void setPath(const std::string& value) {
#ifdef _WIN32
    ::_putenv_s("PATH", value.c_str());
#else
    ::setenv("PATH", value.c_str(), 1);
#endif
  }

  void installOpener() {
    const fs::path opener = folder_.path() / "xdg-open";
    std::ofstream(opener) << "#!/bin/sh\nprintf '%s' \"$1\" > \"" << record().string()
                          << ".part\" && /bin/mv \"" << record().string() << ".part\" \""
                          << record().string() << "\"\n";
    fs::permissions(opener, fs::perms::owner_all);
  }
  fs::path record() const {
    return folder_.path() / "opened";
  }

  std::string waitForRecord() const {
    for (int tries = 0; tries < 500 && !fs::exists(record()); ++tries) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::ifstream in(record());
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  ScratchFolder folder_;
  std::string savedPath_;
};

TEST_F(ShellOpener, HandsTheAddressToTheDesktopsOpener) {
  installOpener();
  EXPECT_GT(OpenWebPage("https://harrowfen.example/"), 32);
  EXPECT_EQ(waitForRecord(), "https://harrowfen.example/");
}

TEST_F(ShellOpener, ReportsFailureWhenThereIsNoOpener) {
  EXPECT_LE(OpenWebPage("https://tamblewick.example/"), 32);
}

}  // namespace
}  // namespace quill::platform
