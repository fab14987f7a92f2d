// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the sample Sims into the folder named on the command line, and a saved game of two
// neighbourhoods into the second folder when one is named, with family exports in its first
// neighbourhood's Export and Import folders and the game's own folder around it, skins and all.
// With --figures, writes instead the figure game into FOLDER: Sims of boxes in plain colours,
// whole enough to be drawn.
#include <cstdio>
#include <cstring>
#include <exception>

#include "character_builder.h"
#include "family_export_builder.h"
#include "figure_builder.h"
#include "game_folder_builder.h"
#include "neighbourhood_builder.h"

int main(int argc, char** argv) {
  const bool figures = argc > 1 && std::strcmp(argv[1], "--figures") == 0;
  if ((argc != 2 && argc != 3) || (figures && argc != 3)) {
    std::fprintf(stderr, "usage: %s FOLDER [SAVED_GAME_FOLDER]\n       %s --figures FOLDER\n",
                 argv[0], argv[0]);
    return 2;
  }
  try {
    if (figures) {
      quill::testdata::WriteFigureGame(argv[2]);
      return 0;
    }
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
