// The name search over string tables as the game writes them for pets and player-made Sims.
#include <gtest/gtest.h>

#include <optional>

#include "character_builder.h"
#include "inspect/name_and_description.h"

namespace quill {
namespace {

using testdata::Hex;
using testdata::operator""_b;
using testdata::StringTable;
using testdata::TableString;

constexpr const char* kPetText =
    "Johnny thinks Tucker is the world's best dog! Tucker sometimes thinks he's a cat.";
constexpr const char* kComment = "##Unleashed -- Needs Translation";

// A pet's table: 40 strings (the count's first byte is "("), each with the game's comment.
Bytes PetTable() {
  std::vector<TableString> strings = {{"Tucker", kComment}, {kPetText, kComment}};
  while (strings.size() < 40) strings.push_back({"", kComment});
  return StringTable(strings);
}

// A player-made Sim's table whose filler after the last string is "o" and a NUL.
Bytes PlayerMadeTable() {
  Bytes table = StringTable({{"Jeh", ""}, {"Woman of Lenjeh", ""}}, 0x6F);
  table.back() = '\0';
  return table;
}

TEST(StringTableRendering, NamesComeOutOfCompleteTablesAndEverythingElseAsBefore) {
  const Bytes bob = Hex({0xFD, 0xFF, 0x02, 0x00, 0x01}) + "Bob"_b;
  std::string zeds = "....";
  for (int i = 0; i < 65; ++i) zeds += ".Zed..";
  zeds += std::string(65, '.');
  struct Case {
    const char* what;
    Bytes body;
    std::string rendering;  // empty: the plain printable rendering, one character per byte
    std::optional<std::string> name, description;
  };
  const Case cases[] = {
      {"pet", PetTable(), ".....Tucker..." + std::string(kPetText) + std::string(156, '.'),
       "Tucker", kPetText},
      {"player-made", PlayerMadeTable(), ".....Jeh...Woman of Lenjeh....", "Jeh",
       "Woman of Lenjeh."},
      {"65 strings, count byte 'A'", StringTable(std::vector<TableString>(65, {"Zed", ""})), zeds,
       "Zed", "Zed."},
      {"worked example", bob + Hex({0, 0, 1}) + "Likes cats"_b + Hex({0, 0, 1}), "", "Bob",
       "Likes cats."},
      {"empty description", bob + Hex({0, 0, 1, 0, 0, 1}), "", "Bob", kNoInformation},
      {"ends after the description", bob + Hex({0, 0, 1}) + "Hi"_b + Hex({0, 0}), "", "Bob", {}},
      {"unprintable filler", StringTable({{"Ann", ""}, {"Sings.", ""}}), "", "Ann", "Sings."},
      {"comment never ends", bob + Hex({0}) + "note"_b, "", {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(RenderingForExtraction(c.body),
              c.rendering.empty() ? PrintableRendering(c.body) : c.rendering);
    const NameAndDescription found = ExtractNameAndDescription(c.body);
    EXPECT_EQ(found.name, c.name);
    EXPECT_EQ(found.description, c.description);
  }
}

}  // namespace
}  // namespace quill
