// Which language slot the name tables' evidence points to.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "character_builder.h"
#include "inspect/language_evidence.h"

namespace quill {
namespace {

// One table's names by slot.
SlotNames Names(std::initializer_list<std::pair<int, const char*>> names) {
  SlotNames table;
  for (const auto& [slot, name] : names) table[static_cast<std::size_t>(slot - 1)] = name;
  return table;
}

// Catches names counted rather than distinct names, empty names counted, and ties broken the
// wrong way round (slot 1 before the desktop's, or the highest slot first).
TEST(LanguageEvidence, TheSlotWithTheMostDistinctNamesWins) {
  const std::vector<SlotNames> played = {Names({{1, "Jackie"}, {2, "Randy"}}),
                                         Names({{1, "Marcus"}, {2, "Randy"}}),
                                         Names({{1, "Luna"}, {2, "Randy"}})};
  const std::vector<SlotNames> alike = {Names({{1, "Randy"}, {2, "Randy"}, {3, "Sylvain"}})};
  const std::vector<SlotNames> later = {Names({{4, "Jens"}, {5, "Ugo"}}),
                                        Names({{4, "Anke"}, {5, "Lia"}})};
  const std::vector<SlotNames> blanks = {Names({{1, "Ada"}, {3, ""}}), Names({{3, ""}})};
  const std::tuple<const char*, std::vector<SlotNames>, int, std::optional<int>> kCases[] = {
      {"players' names beat the desktop", played, 2, 1},
      {"a tie goes to the desktop's slot", alike, 3, 3},
      {"then to slot 1", alike, 5, 1},
      {"then to the lowest", later, 2, 4},
      {"a desktop language the game lacks", alike, 0, 1},
      {"empty names do not count", blanks, 3, 1},
      {"no names", {Names({{2, ""}})}, 2, std::nullopt},
      {"no tables", {}, 2, std::nullopt},
  };
  for (const auto& [what, tables, desktop, slot] : kCases)
    EXPECT_EQ(MostNamedSlot(tables, desktop), slot) << what;
}

// Catches a slot's second string (the biography) taken for its name, a slot off by one, a
// language byte outside 1 to 20 taken, and a name kept whole however long it is.
TEST(LanguageEvidence, ATableGivesEachSlotsFirstString) {
  const std::string longName(2000, 'a');
  const std::optional<SlotNames> names = ReadSlotNames(testdata::StringTable({{"Jackie", ""},
                                                                              {"Hers.", ""},
                                                                              {"Randy", "", 2},
                                                                              {"Jens", "", 4},
                                                                              {"Kai", "", 21},
                                                                              {longName, "", 20}}));
  ASSERT_TRUE(names);
  EXPECT_EQ(
      *names,
      Names({{1, "Jackie"}, {2, "Randy"}, {4, "Jens"}, {20, longName.substr(0, 903).c_str()}}));
  EXPECT_EQ(ReadSlotNames("\xFD\xFF\x01"), std::nullopt);
}

}  // namespace
}  // namespace quill
