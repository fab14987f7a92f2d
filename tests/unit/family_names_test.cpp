// SPDX-License-Identifier: GPL-3.0-or-later
// The families' names the menu of neighbourhoods reads, and nothing else of the file.
#include "inspect/family_names.h"

#include <gtest/gtest.h>

#include "neighbourhood_builder.h"

namespace quill {
namespace {

using testdata::Bytes;
using testdata::FamilySpec;

Bytes Families(const std::vector<std::string>& names) {
  std::vector<FamilySpec> families;
  std::uint16_t id = 1;
  for (const std::string& name : names) families.push_back({id++, 0, 0, 0, 0, {}, name, 9});
  return testdata::NeighbourhoodFile({}, families).build();
}

// Reading from a file is the Neighbourhoods menu test's. Catches a bound off by one, a walk that
// goes on past a chunk shorter than its header (a size of 0 would hand the same chunk over for
// ever), names lost before a "FAMs" chunk cut off by the read's bound or half a name taken from it,
// and a family's record read in place of its name.
TEST(FamilyNames, OnlyTheNamesAreReadAndNoMoreThanAsked) {
  const Bytes five = Families({"Goth", "Pleasant", "Bachelor", "Newbie", "Roomies"});
  Bytes cut = Families({"Goth", "Pleasant"});
  // A chunk of size 0 after the first family's chunks: what follows is never reached.
  const std::size_t second = cut.find("FAMs", cut.find("FAMs") + 4);
  cut.replace(second + 4, 4, std::string(4, '\0'));
  const std::tuple<Bytes, std::size_t, std::vector<std::string>> cases[] = {
      {five, 4, {"Goth", "Pleasant", "Bachelor", "Newbie"}},
      {five, 9, {"Goth", "Pleasant", "Bachelor", "Newbie", "Roomies"}},
      {cut, 9, {"Goth"}},
      {five.substr(0, five.find("Bachelor") + 3), 9, {"Goth", "Pleasant"}},
      {five.substr(0, 100), 9, {}},
      {"", 9, {}},
  };
  for (const auto& [bytes, most, names] : cases) {
    EXPECT_EQ(FamilyNamesIn(bytes, 1, most), names);
  }
}

}  // namespace
}  // namespace quill
