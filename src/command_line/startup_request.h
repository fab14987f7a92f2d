// SPDX-License-Identifier: GPL-3.0-or-later
// What the command line asks for: the window (at a given folder or file, or where start-up finds
// the Sims), or an answer printed without any window.
#pragma once

#include <QSize>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/arguments.h"

namespace quill {

enum class StartupMode { Window, Help, Version, List, Check, Render, Thumbnail, Refused };

// What `--render` and `--thumbnail` draw, and where the picture goes.
struct PictureRequest {
  std::filesystem::path out;  // the PNG file to make; never one that exists
  int member = 1;             // of a family export, counted from 1
  int outfit = 1;             // the body string of the outfit worn: 1, everyday
  // --render's picture; --thumbnail's bound on either side, as a square.
  QSize size{400, 600};
};

struct StartupRequest {
  StartupMode mode = StartupMode::Window;
  // The FOLDER or FILE to open in the window, the FOLDER to list, or the FILE to draw.
  std::optional<std::filesystem::path> path;
  // The text to print: the help, the version line, or why the command line was refused followed
  // by the usage line.
  std::string text;
  // The game's language slot for the names shown: `--language`'s when `languageGiven`, else the
  // system locale's (0 for a language the game does not have, which shows US English), which
  // gives way to the game's own setting or to the names in the files.
  int languageSlot = 0;
  bool languageGiven = false;
  // --list --json: who each Sim is, as JSON.
  bool json = false;
  // --game: the game's folder, whose skins the Sims' looks are checked against, for this run.
  std::optional<std::filesystem::path> game;
  // --render and --thumbnail.
  PictureRequest picture;
};

// Reads the program's arguments, the program's own name first, as the system passed them: a path
// keeps its exact bytes. Needs the application's name and version to be set. Without
// `--language`, the language is the system locale's.
StartupRequest ParseCommandLine(const std::vector<platform::NativeArgument>& arguments);

}  // namespace quill
