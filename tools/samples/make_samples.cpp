// Writes the sample Sims into the folder named on the command line, and a saved game of two
// neighbourhoods into the second folder when one is named.
#include <cstdio>
#include <exception>

#include "character_builder.h"
#include "neighbourhood_builder.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: %s FOLDER [SAVED_GAME_FOLDER]\n", argv[0]);
    return 2;
  }
  try {
    quill::testdata::WriteSampleCharacters(argv[1]);
    if (argc == 3) quill::testdata::WriteSavedGame(argv[2]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
