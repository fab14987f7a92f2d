#include "platform/shell.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "platform/files.h"

namespace quill::platform {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
// Windows opens an address with the program its registry names for the address's scheme. A
// scheme of this process's own keeps the user's browser, and tests running beside this one, out of
// it; its handler is entered in the user's classes, which Windows reads, and in the machine's,
// which is where Wine reads them.
std::string Scheme() {
  return "quillmere-test-" + std::to_string(::GetCurrentProcessId());
}
const HKEY kClassRoots[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};

class ShellOpener : public ::testing::Test {
 protected:
  void TearDown() override {
    for (HKEY root : kClassRoots)
      ::RegDeleteTreeA(root, ("Software\\Classes\\" + Scheme()).c_str());
  }
  void installOpener() {
    const std::string command = "cmd.exe /c echo %1> \"" + record().string() + "\"";
    for (HKEY root : kClassRoots) {
      const std::string key = "Software\\Classes\\" + Scheme();
      ::RegSetKeyValueA(root, key.c_str(), "URL Protocol", REG_SZ, "", 1);
      ::RegSetKeyValueA(root, (key + "\\shell\\open\\command").c_str(), nullptr, REG_SZ,
                        command.c_str(), static_cast<DWORD>(command.size() + 1));
    }
  }
  static std::string address(const std::string& rest) { return Scheme() + "://" + rest; }
  // What the handler wrote, without the line end `echo` adds.
  static std::string trimmed(std::string text) {
    if (text.find('\n') == std::string::npos) return {};
    return text.substr(0, text.find_last_not_of(" \r\n") + 1);
  }
#else
// Puts a stand-in URL opener first on PATH for the length of a test.
class ShellOpener : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* path = std::getenv("PATH");
    savedPath_ = path != nullptr ? path : "";
    ::setenv("PATH", folder_.path().c_str(), 1);
  }
  void TearDown() override { ::setenv("PATH", savedPath_.c_str(), 1); }

  void installOpener() {
    const fs::path opener = folder_.path() / "xdg-open";
    std::ofstream(opener) << "#!/bin/sh\nprintf '%s' \"$1\" > \"" << record().string()
                          << ".part\" && /bin/mv \"" << record().string() << ".part\" \""
                          << record().string() << "\"\n";
    fs::permissions(opener, fs::perms::owner_all);
  }
  static std::string address(const std::string& rest) { return "https://" + rest; }
  static std::string trimmed(std::string text) { return text; }
  std::string savedPath_;
#endif
  fs::path record() const {
    return folder_.path() / "opened";
  }

  std::string waitForRecord() const {
    std::string text;
    for (int tries = 0; tries < 500 && text.empty(); ++tries) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      std::ifstream in(record());
      text = trimmed(std::string(std::istreambuf_iterator<char>(in), {}));
    }
    return text;
  }

 private:
  ScratchFolder folder_;
};

TEST_F(ShellOpener, HandsTheAddressToTheDesktopsOpener) {
  installOpener();
  EXPECT_GT(OpenWebPage(address("harrowfen.example/")), 32);
  EXPECT_EQ(waitForRecord(), address("harrowfen.example/"));
}

TEST_F(ShellOpener, ReportsFailureWhenThereIsNoOpener) {
  EXPECT_LE(OpenWebPage(address("tamblewick.example/")), 32);
}

}  // namespace
}  // namespace quill::platform
