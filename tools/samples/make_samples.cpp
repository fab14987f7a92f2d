// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the sample Sims into the folder named on the command line, and a saved game of two
// neighbourhoods into the second folder when one is named, with family exports in its first
// neighbourhood's Export and Import folders and the game's own folder around it, skins and all.
#include <cstdio>
#include <exception>

#include "character_builder.h"
#include "family_export_builder.h"
#include "game_folder_builder.h"
#include "neighbourhood_builder.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: %s FOLDER [SAVED_GAME_FOLDER]\n", argv[0]);
    return 2;
  }
  try {
    quill::testdata::WriteSampleCharacters(argv[1]);
    if (argc == 3) {
      const std::filesystem::path savedGame = argv[2];
      quill::testdata::WriteSavedGame(savedGame);
      quill::testdata::WriteSampleGameFolder(savedGame);
      quill::testdata::WriteSampleFamilies(savedGame / "UserData" / "Export",
                                           savedGame / "UserData" / "Import");
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
