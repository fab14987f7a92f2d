// The name and description cut out of a chunk's text, including the string tables the game writes
// for pets and player-made Sims.
#include "inspect/name_and_description.h"

#include <gtest/gtest.h>

#include "character_builder.h"

namespace quill {
namespace {

using namespace testdata;

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

TEST(NameAndDescription, CutAtTheirDotMarkersOfCompleteTablesOrOfThePrintableText) {
  const Bytes bob = Hex({0xFD, 0xFF, 0x02, 0x00, 0x01}) + "Bob"_b;  // a string table's head
  std::string zeds = "....";
  for (int i = 0; i < 65; ++i) zeds += ".Zed..";
  zeds += std::string(65, '.');
  const std::optional<std::string> none;
  // A body; the rendering the name is cut from, empty for the plain printable one (a character per
  // byte); the name and the description cut.
  using Cut = std::optional<std::string>;
  const std::tuple<Bytes, std::string, Cut, Cut> cases[] = {
      {PetTable(), ".....Tucker..." + std::string(kPetText) + std::string(156, '.'), "Tucker",
       kPetText},
      {PlayerMadeTable(), ".....Jeh...Woman of Lenjeh....", "Jeh", "Woman of Lenjeh."},
      {StringTable(std::vector<TableString>(65, {"Zed", ""})), zeds, "Zed", "Zed."},  // count 'A'
      {StringTable({{"Ann", ""}, {"Sings.", ""}}), "", "Ann", "Sings."},  // unprintable filler
      {bob + Hex({0, 0, 1}) + "Likes cats"_b + Hex({0, 0, 1}), "", "Bob", "Likes cats."},
      {bob + Hex({0, 0, 1, 0, 0, 1}), "", "Bob", kNoInformation},
      {bob + Hex({0, 0, 1}) + "Hi"_b + Hex({0, 0}), "", "Bob", none},  // no closing marker
      {bob + Hex({0}) + "note"_b, "", none, none},                     // a comment never ends
      {".....Bob...X..."_b, "", "Bob", "X."},
      {".....Bob...."_b, "", "Bob", none},
      {"....."_b, "", none, none},
      {".....Bob"_b, "", none, none},
      // Without the opening marker the name starts at the fifth character.
      {"abcdName...Text..."_b, "", "Name", "Text."},
      {"a...Ann...x..."_b, "", "Ann", "x."},
      {"x.......Eve...About..."_b, "", "..Eve", "About."},  // the first opening marker wins
      // Unprintable bytes are dots; three in a row end the description.
      {"\x01\x01\x01\x01\x01Jos\xE9 B\x00\x00\x01Line\r\nTwo\x01\x02\x03more..."_b, "", "Jos. B",
       "Line..Two."},
  };
  for (const auto& [body, rendering, name, description] : cases) {
    SCOPED_TRACE(body);
    EXPECT_EQ(RenderingForExtraction(body),
              rendering.empty() ? PrintableRendering(body) : rendering);
    const auto found = ExtractNameAndDescription(body);
    EXPECT_EQ(found.name, name);
    EXPECT_EQ(found.description, description);
  }
}

}  // namespace
}  // namespace quill
