// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registry/environment.h"

#include <cstdlib>

namespace quill::platform::registry {

namespace {

#ifdef _WIN32
// The wide variables, so that a user name outside the ANSI code page still makes a valid path.
std::filesystem::path PathVariable(const wchar_t* name) {
  const wchar_t* value = ::_wgetenv(name);
  return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
}
#define QUILL_VARIABLE(name) PathVariable(L##name)
#else
std::filesystem::path PathVariable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
}
#define QUILL_VARIABLE(name) PathVariable(name)
#endif

}  // namespace

Environment CurrentEnvironment() {
  Environment env;
  env.home = QUILL_VARIABLE("HOME");
  env.winePrefix = QUILL_VARIABLE("WINEPREFIX");
  env.userProfile = QUILL_VARIABLE("USERPROFILE");
  env.programFiles = QUILL_VARIABLE("ProgramFiles");
  env.programFilesX86 = QUILL_VARIABLE("ProgramFiles(x86)");
  const char* user = std::getenv("USER");
  env.user = user != nullptr ? user : "";
  return env;
}

std::filesystem::path WinePrefixOf(const Environment& env) {
  if (!env.winePrefix.empty()) return env.winePrefix;
  if (!env.home.empty()) return env.home / ".wine";
  return {};
}

}  // namespace quill::platform::registry
