// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/suit_file.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "skin_builder.h"

namespace quill::content {
namespace {

using namespace testdata;

Bytes U32(std::uint32_t value) {
  return LittleEndian32(static_cast<std::int32_t>(value));
}

std::string WithCrLf(const std::string& text) {
  std::string out;
  for (const char c : text) c == '\n' ? out.append("\r\n") : out.append(1, c);
  return out;
}

std::string Floats(const auto& values) {
  std::string text;
  for (const float value : values) {
    char number[32];
    std::snprintf(number, sizeof number, " %g", static_cast<double>(value));
    text.append(number);
  }
  return text;
}

// Every skeleton with its bones' fields, then every suit with its skins, one line each.
std::string Describe(const SuitFile& file) {
  std::string text;
  for (const Skeleton& skeleton : file.skeletons) {
    text.append("skeleton " + skeleton.name + "\n");
    for (const Bone& bone : skeleton.bones) {
      text.append(" " + bone.name + "<" + bone.parent + Floats(bone.position) + " |" +
                  Floats(bone.rotation) + " | " + std::to_string(bone.canTranslate) +
                  std::to_string(bone.canRotate) + std::to_string(bone.canBlend) +
                  Floats(std::array{bone.wiggleValue, bone.wigglePower}));
      for (const PropertyList& list : bone.properties) {
        for (const Property& property : list)
          text.append(" " + property.key + "=" + property.value);
      }
      text.append("\n");
    }
  }
  for (const Suit& suit : file.suits) {
    text.append("suit " + suit.name + " " + std::to_string(suit.type) + "\n");
    for (const Skin& skin : suit.skins) {
      text.append(" " + skin.bone + ":" + skin.mesh.substr(0, 20) + "/" +
                  std::to_string(skin.mesh.size()) + " " + std::to_string(skin.censorFlags) + "\n");
    }
  }
  return text;
}

const SuitFileSpec kSuitFile{
    {{"adult",
      {{"ROOT", "NULL", {0, 2.5f, -1}, {0, 0, 0, 1}, std::pair{"limb", "none"}},
       {"PELVIS", "ROOT", {0.125f, 0, 0}, {0.5f, -0.5f, 0.5f, 0.5f}, std::pair{"", ""}}}},
     {"child", {{"ROOT", "NULL", {}, {0, 0, 0, 1}, std::pair{"scale", "0.7"}}}}},
    {{"b001fafit_01", 0, {{"PELVIS", "xskin-b001fafit_01-PELVIS-BODY", 0}}},
     {"h001fa_mercedes",
      1,
      {{"HEAD", "xskin-h001fa-HEAD", 2}, {"NECK", "xskin-" + std::string(300, 'n'), 0}}}},
    2};
const char* const kRead =
    "skeleton adult\n"
    " ROOT<NULL 0 2.5 -1 | 0 0 0 1 | 110 0 2 limb=none\n"
    " PELVIS<ROOT 0.125 0 0 | 0.5 -0.5 0.5 0.5 | 010 0 2 =\n"
    "skeleton child\n"
    " ROOT<NULL 0 0 0 | 0 0 0 1 | 110 0 2 scale=0.7\n"
    "suit b001fafit_01 0\n"
    " PELVIS:xskin-b001fafit_01-P/30 0\n"
    "suit h001fa_mercedes 1\n"
    " HEAD:xskin-h001fa-HEAD/17 2\n"
    " NECK:xskin-nnnnnnnnnnnnnn/306 0\n";

// The suits are read after two skeletons whose bones carry property lists, so a bone field
// skipped, swapped or read twice (a vector's fourth float, a property's value) puts every suit
// out of step. The long mesh name catches the 255 escape of a string's length, and the CRLF form
// a line end kept in a value.
TEST(SuitFile, BinaryAndTextFormsGiveTheSameSkeletonsAndSuits) {
  const std::pair<const char*, std::optional<SuitFile>> cases[] = {
      {"binary", ReadBinarySuitFile(BinarySuitFile(kSuitFile))},
      {"text", ReadTextSuitFile(TextSuitFile(kSuitFile))},
      {"text with CRLF", ReadTextSuitFile(WithCrLf(TextSuitFile(kSuitFile)))},
  };
  for (const auto& [form, read] : cases) {
    SCOPED_TRACE(form);
    ASSERT_TRUE(read);
    EXPECT_EQ(Describe(*read), kRead);
    EXPECT_TRUE(read->skillsRead);
  }
  EXPECT_TRUE(IsTextSuitFile(TextSuitFile(kSuitFile)));
  EXPECT_FALSE(IsTextSuitFile(BinarySuitFile(kSuitFile)));
}

// Catches a skin count trusted before its skins are there, a damaged skill losing the suits read
// before it, a cut in the suits taken for a whole file, and a version line not checked.
TEST(SuitFile, DamageBeforeTheSkillsGivesNothingAndInTheSkillsKeepsTheSuits) {
  const SuitFileSpec one{{}, {{"b002mafat_01", 0, {{"PELVIS", "xskin-b002", 0}}}}, 1};
  const Bytes binary = BinarySuitFile(one);
  const Bytes text = TextSuitFile(one);
  const Bytes huge = U32(0) + U32(1) + "\1s"_b + U32(0) + U32(0) + U32(0xFFFFFFFF) + U32(0);
  const std::string hugeText = "// x\nversion 300\n0\n1\ns\n0\n0\n4294967295\n0\n";
  const std::string version = "// x\nversion 400\n0\n0\n0\n";
  const std::optional<SuitFile> nothing[] = {
      ReadBinarySuitFile(huge),
      ReadTextSuitFile(hugeText),
      ReadBinarySuitFile(binary.substr(0, binary.find("xskin-b002") + 5)),
      ReadTextSuitFile(text.substr(0, text.find("xskin-b002"))),
      ReadTextSuitFile(version),
      ReadTextSuitFile("// only a comment\n"),
  };
  for (const std::optional<SuitFile>& read : nothing) EXPECT_FALSE(read);

  const std::optional<SuitFile> kept[] = {
      ReadBinarySuitFile(binary.substr(0, binary.size() - 3)),
      ReadTextSuitFile(text.substr(0, text.size() - 7)),
      ReadTextSuitFile(Bytes(text).replace(text.find("\n1.5\n"), 5, "\nlong\n")),
  };
  for (const std::optional<SuitFile>& read : kept) {
    ASSERT_TRUE(read);
    EXPECT_EQ(Describe(*read), "suit b002mafat_01 0\n PELVIS:xskin-b002/10 0\n");
    EXPECT_FALSE(read->skillsRead);
  }
}

}  // namespace
}  // namespace quill::content
