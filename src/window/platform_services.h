// SPDX-License-Identifier: GPL-3.0-or-later
// The outside services the window calls, gathered so that tests can stand in for them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "platform/registry/game_folder.h"

namespace quill {

struct PlatformServices {
  // The game's data folder as its registry entry names it, or "Not Found".
  std::function<std::string()> gameDataFolder;
  // The characters folder start-up opens for that data folder, with the game's language there;
  // nothing keeps the current folder.
  std::function<std::optional<platform::registry::FoundFolder>(const std::string&)> startupFolder;
  // Where the start-up search looked, in a few words, for telling the player nothing was found.
  std::function<std::string()> searchedPlaces;
  // The game's folder for the Sims of a folder, whose skins the Sim card checks their looks
  // against; nothing when none is found. `searchedGamePlaces` says where it looked.
  std::function<std::optional<std::filesystem::path>(const std::filesystem::path&)> gameFolder;
  std::function<std::string()> searchedGamePlaces;
  // --game's folder, which takes the place of the search for this run.
  std::optional<std::filesystem::path> namedGameFolder;
  // Tells the player why something they asked for could not be done.
  std::function<void(const std::string&)> tellUser;
  std::function<std::int32_t(const std::string&)> openWebPage;
  // Ends the process at once.
  std::function<void()> endProgram;
  // Reads and searches let window events run no more often than this, so that the window stays
  // live without paying for a repaint per chunk.
  int eventTurnIntervalMs = 12;
  // The game's language slot whose names and descriptions are shown (1 is US English, which
  // every character file holds): --language's when `languageGiven`, else the desktop's, which
  // gives way to the game's own setting or to the names in the files (LanguageChoice).
  int languageSlot = 1;
  bool languageGiven = false;
};

// `endRequested`, when given, says whether the program was asked to end; the start-up search
// for the game's folder then gives up.
PlatformServices SystemServices(std::function<bool()> endRequested = {});

}  // namespace quill
