#include "inspect/name_and_description.h"

#include <gtest/gtest.h>

#include "character_builder.h"

namespace quill {
namespace {

using testdata::Hex;
using testdata::operator""_b;

TEST(NameAndDescription, CutAtTheirDotMarkers) {
  const Bytes table = Hex({0xFD, 0xFF, 0x02, 0x00, 0x01});  // a string table's head
  const std::optional<std::string> none;
  const struct {
    Bytes body;
    std::optional<std::string> name, description;
  } cases[] = {
      {table + "Bob"_b + Hex({0, 0, 1}) + "Likes cats"_b + Hex({0, 0, 1}), "Bob", "Likes cats."},
      {table + "Bob"_b + Hex({0, 0, 1, 0, 0, 1}), "Bob", kNoInformation},
      {".....Bob...X..."_b, "Bob", "X."},
      {".....Bob...."_b, "Bob", none},  // no closing marker
      {table + "Bob"_b + Hex({0, 0, 1}) + "Hi"_b + Hex({0, 0}), "Bob", none},
      {""_b, none, none},
      {"....."_b, none, none},
      {".....Bob"_b, none, none},
      {"no markers at all"_b, none, none},
      // Without the opening marker the name starts at the fifth character.
      {"abcdName...Text..."_b, "Name", "Text."},
      {"a...Ann...x..."_b, "Ann", "x."},
      {"x.......Eve...About..."_b, "..Eve", "About."},  // the first opening marker wins
      // Unprintable bytes are dots; three in a row end the description.
      {"\x01\x01\x01\x01\x01Jos\xE9 B\x00\x00\x01Line\r\nTwo\x01\x02\x03more..."_b, "Jos. B",
       "Line..Two."},
  };
  for (const auto& c : cases) {
    const NameAndDescription found = ExtractNameAndDescription(c.body);
    EXPECT_EQ(found.name, c.name) << c.body;
    EXPECT_EQ(found.description, c.description) << c.body;
  }
}

}  // namespace
}  // namespace quill
