// The outside services the window calls, gathered so that tests can stand in for them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace quill {

struct PlatformServices {
  // The game's data folder as its registry entry names it, or "Not Found".
  std::function<std::string()> gameDataFolder;
  // The characters folder start-up opens for that data folder; nothing keeps the current folder.
  std::function<std::optional<std::filesystem::path>(const std::string&)> startupFolder;
  // Where the start-up search looked, in a few words, for telling the player nothing was found.
  std::function<std::string()> searchedPlaces;
  // Tells the player why something they asked for could not be done.
  std::function<void(const std::string&)> tellUser;
  std::function<std::int32_t(const std::string&)> openWebPage;
  // Ends the process at once.
  std::function<void()> endProgram;
  // Reads and searches let window events run no more often than this, so that the window stays
  // live without paying for a repaint per chunk.
  int eventTurnIntervalMs = 12;
  // The game's language slot whose names and descriptions are shown (1 is US English, which
  // every character file holds).
  int languageSlot = 1;
};

PlatformServices SystemServices();

}  // namespace quill
