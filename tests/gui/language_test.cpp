// The window shows every name in the one language chosen at start-up.
#include <tuple>

#include "viewer_fixture.h"

namespace quill::test {
namespace {

// For a British desktop (slot 2) over a US English player's Sims. Catches the desktop's slot
// used while the game's setting or the files say otherwise, --language overridden by either,
// and the game's setting applied to a folder the player opened by hand.
TEST_F(Viewer, NamesAreInTheLanguageChosenOnceAtStartUp) {
  testdata::WritePlayedSims(folder());
  const std::tuple<const char*, std::optional<int>, bool, bool, Lines> kCases[] = {
      {"the game's setting", 4, false, false, {"Jens", "Jens", "Bella Goth"}},
      {"the files", std::nullopt, false, false, {"Jackie", "Marcus", "Bella Goth"}},
      {"--language", 4, true, false, {"Randy", "Randy", "Bella Goth"}},
      {"a folder opened by hand", 4, false, true, {"Jackie", "Marcus", "Bella Goth"}},
  };
  for (const auto& [what, gameLanguage, given, byHand, names] : kCases) {
    services.startupFolder = [this, language = gameLanguage](const std::string&) {
      return std::optional(platform::registry::FoundFolder(folder(), language));
    };
    services.languageSlot = 2;
    services.languageGiven = given;
    open(byHand ? std::optional(folder()) : std::nullopt);
    EXPECT_EQ(lines("List2"), names) << what;
    EXPECT_EQ(nameCaption(), "Name: " + names.front()) << what;
  }
}

}  // namespace
}  // namespace quill::test
