// Family exports: the body strings, the export index and how the members are found.
#include "inspect/body_strings.h"

#include <gtest/gtest.h>

#include "family_export_builder.h"

namespace quill {
namespace {

using namespace testdata;

std::string Shown(const std::optional<Garment>& garment) {
  return garment ? garment->mesh + "|" + garment->part + "|" + garment->texture : "-";
}

TEST(BodyStrings, FieldsAndOutfitsOfTheUsEnglishTable) {
  LooksSpec dog{"dog", "uaa012dog_brown,BODY=uaa012dogbrown", "", "male", "", "unk", {}};
  LooksSpec dressed;
  dressed.outfits = {"b010fafit_01,BODY=B010FAFitlgt_01", "no outfit", "x,=y"};
  Bytes otherLanguage = BodyStrings({});
  otherLanguage[4] = 3;  // the skeleton string in French: the table's first US string is the body
  // A body-string table; its skeleton, body, head, gender, age and skin tone; the outfits found.
  const std::tuple<Bytes, std::string, std::string, std::string, std::string, std::string,
                   std::string, std::vector<std::string>>
      cases[] = {
          {BodyStrings({}),
           "adult",
           "b006fafat_01|BODY|B006FAFatlgt_TT1",
           "c001fa_mercedes|HEAD-HEAD|C001FAlgt_Shannon01",
           "female",
           "27",
           "lgt",
           {}},
          {BodyStrings(dog),
           "dog",
           "uaa012dog_brown|BODY|uaa012dogbrown",
           "-",
           "male",
           "",
           "unk",
           {}},
          {BodyStrings(dressed),
           "adult",
           "b006fafat_01|BODY|B006FAFatlgt_TT1",
           "c001fa_mercedes|HEAD-HEAD|C001FAlgt_Shannon01",
           "female",
           "27",
           "lgt",
           {"15:b010fafit_01|BODY|B010FAFitlgt_01"}},
          {StringTable({{"child", ""}, {"body", ""}}), "child", "-", "-", "", "", "", {}},
          {otherLanguage,
           "b006fafat_01,BODY=B006FAFatlgt_TT1",
           "c001fa_mercedes|HEAD-HEAD|C001FAlgt_Shannon01",
           "-",
           "27",
           "lgt",
           "",
           {}},
      };
  for (const auto& [table, skeleton, body, head, gender, age, skin, outfits] : cases) {
    SCOPED_TRACE(skeleton);
    const std::optional<BodyLooks> looks = ReadBodyStrings(table);
    ASSERT_TRUE(looks);
    EXPECT_EQ(looks->skeleton, skeleton);
    EXPECT_EQ(Shown(looks->body), body);
    EXPECT_EQ(Shown(looks->head), head);
    EXPECT_EQ(looks->gender, gender);
    EXPECT_EQ(looks->age, age);
    EXPECT_EQ(looks->skinTone, skin);
    std::vector<std::string> found;
    for (const Outfit& outfit : looks->outfits) {
      found.push_back(std::to_string(outfit.index) + ":" + Shown(outfit.garment));
    }
    EXPECT_EQ(found, outfits);
  }
  Bytes cut = BodyStrings({});
  cut.resize(40);
  for (const Bytes& broken : {cut, "ab"_b, StringTable({{"adult", "", 2}})}) {
    EXPECT_FALSE(ReadBodyStrings(broken)) << broken;
  }
}

}  // namespace
}  // namespace quill
