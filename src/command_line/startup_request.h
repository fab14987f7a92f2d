// What the command line asks for: the window (at a given folder or file, or where start-up finds
// the Sims), or an answer printed without any window.
#pragma once

#include <QStringList>
#include <filesystem>
#include <optional>
#include <string>

namespace quill {

enum class StartupMode { Window, Help, Version, List, Refused };

struct StartupRequest {
  StartupMode mode = StartupMode::Window;
  // The FOLDER or FILE to open in the window, or the FOLDER to list.
  std::optional<std::filesystem::path> path;
  // The text to print: the help, the version line, or why the command line was refused followed
  // by the usage line.
  std::string text;
  // The game's language slot for the names shown: `--language`'s, else the system locale's
  // (0 for a language the game does not have, which shows US English).
  int languageSlot = 0;
  // --list --json: who each Sim is, as JSON.
  bool json = false;
};

// Reads the program's arguments, the program's own name first. Needs the application object for
// its name and version. Without `--language`, the language is the system locale's.
StartupRequest ParseCommandLine(const QStringList& arguments);

}  // namespace quill
