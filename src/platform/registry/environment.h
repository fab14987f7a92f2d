// SPDX-License-Identifier: GPL-3.0-or-later
// The few environment variables that say where a player's files are, gathered so that tests can
// point them at folders of their own.
#pragma once

#include <filesystem>
#include <string>

namespace quill::platform::registry {

struct Environment {
  std::filesystem::path home;         // HOME
  std::filesystem::path winePrefix;   // WINEPREFIX
  std::string user;                   // USER
  std::filesystem::path userProfile;  // USERPROFILE
  // Windows only; given defaults so that an Environment written out may leave them out.
  std::filesystem::path programFiles{};     // ProgramFiles
  std::filesystem::path programFilesX86{};  // ProgramFiles(x86)
};

// Unset and empty variables both come back empty.
Environment CurrentEnvironment();

// The Wine prefix in use: WINEPREFIX, else ~/.wine; empty when neither can be known.
std::filesystem::path WinePrefixOf(const Environment& env);

}  // namespace quill::platform::registry
