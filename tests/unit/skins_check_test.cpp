// SPDX-License-Identifier: GPL-3.0-or-later
// The skins check's reasoning over a small built game, beyond the sample game's cases that the
// command line's test runs whole: which skin's texture the body string replaces, suits found in
// files named otherwise, and the summary's order of what is worst.
#include "content/skins_check.h"

#include <gtest/gtest.h>

#include <fstream>

#include "command_line/listing.h"
#include "content/game_skins.h"
#include "game_folder_builder.h"
#include "neighbourhood_builder.h"
#include "platform/files.h"
#include "skin_builder.h"

namespace quill::content {
namespace {

namespace fs = std::filesystem;
using testdata::Bytes;

void Write(const fs::path& file, const Bytes& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

Garment Worn(const std::string& suit, const std::string& texture) {
  return {suit, "BODY", texture};
}

// Each built case of the sample game is found, and only those, here and under Wine: catches a
// rule of where the game looks turned round (a subfolder read, Downloads' meshes read), a tone,
// size or colour check dropped, a duplicate picked silently, a text suit read from an archive
// without a word, or a wrong exit status.
TEST(SkinsCheck, FindsEachCaseOfTheSampleGame) {
  const platform::ScratchFolder folder;
  testdata::WriteSavedGame(folder.path());
  testdata::WriteSampleGameFolder(folder.path());
  GameSkins skins([](const fs::path&) { return std::nullopt; }, folder.path());
  const Answer answer = CheckPath(folder.path() / "UserData" / "Characters", 1, skins, "nowhere");
  EXPECT_EQ(answer.out,
            "User00001.iff\tBram Thornbury\thead\tin-subfolder: "
            "`GameData/Skins/Bram/xskin-c002ma_bram-HEAD-HEAD.bmf` lies in a folder the game does "
            "not read: move it to `GameData/Skins`\n"
            "User00002.iff\tPip Thornbury\tbody\tnot-8-bit: `GameData/Skins/b003fcfitlgt_01.bmp` "
            "has 24-bit colour: the game shows it white; it needs 8-bit colour with a palette\n"
            "User00002.iff\tPip Thornbury\thead\tbad-size: `GameData/Skins/c003fclgt_pip.bmp` is "
            "100 × 100 pixels: the game needs a square of 64, 128 or 256 pixels a side\n"
            "User00003.iff\tBiscuit\tbody\tskn-header: "
            "`GameData/Skins/xskin-uaa012dog_brown-PELVIS-DOGBODY.skn` names a file on its first "
            "or second line: the game draws this part invisible\n"
            "User00004.iff\tMarmalade\tbody\ttext-cmx-in-far: `Downloads/Marmalade/cats.far ▸ "
            "uaa002cat_ginger.cmx` is a text suit file inside an archive: the game crashes when it "
            "loads it\n"
            "User00005.iff\tGwendolyn Ash\thead\tno-texture-for-tone: the texture "
            "`c005fadrk_gwen` for this Sim's skin tone (drk) is missing; only `c005falgt_gwen` is "
            "installed\n"
            "User00006.iff\tDmitri Vale\tbody\tduplicate: different copies of "
            "`b007mafitlgt_01.bmp` lie in `ExpansionShared/SkinsBuy/b007mafitlgt_01.bmp` and "
            "`GameData/Skins/b007mafitlgt_01.bmp`; the game may load either\n"
            "User00006.iff\tDmitri Vale\twinter\tno-suit: no suit `b099mawin_01` is installed\n");
  EXPECT_EQ(answer.err, "quillmere: 7 Sims checked against the game in " +
                            platform::DisplayName(folder.path()) + ": 6 would not look right\n");
  EXPECT_EQ(answer.status, 1);
}

// A suit of two skins whose meshes' own textures are "b010armlgt" and "b010fafitlgt_01"; a suit
// kept in a file of another name; a head suit whose mesh is nowhere.
TEST(SkinsCheck, EachPartsFilesOrItsProblems) {
  const platform::ScratchFolder folder;
  const fs::path skins = folder.path() / "GameData" / "Skins";
  Write(skins / "b010fafit_01.cmx",
        testdata::TextSuitFile(
            {{}, {{"b010fafit_01", 0, {{"L_ARM", "m-arm", 0}, {"PELVIS", "m-body", 0}}}}, 1}));
  Write(skins / "m-body.bmf", testdata::BinaryMesh("m-body", "b010fafitlgt_01"));
  Write(skins / "m-arm.bmf", testdata::BinaryMesh("m-arm", "b010armlgt"));
  Write(skins / "b010armlgt.bmp", testdata::PaletteBitmap(64, 64));
  Write(skins / "b010fafitdrk_01.bmp", testdata::PaletteBitmap(64, 64));
  Write(skins / "Various.cmx",
        testdata::TextSuitFile({{}, {{"c010fa_zoe", 0, {{"HEAD", "m-head", 0}}}}, 1}));
  SkinsCheck check(folder.path());
  check.Refresh();
  BodyLooks looks;
  looks.skinTone = "drk";
  looks.body = Worn("b010fafit_01", "b010fafitdrk_01");
  looks.head = Worn("C010FA_Zoe", "c010fadrk_zoe");
  looks.outfits = {{21, Worn("HFRC", "huacdrk")}, {16, Worn("ignored", "ignored")}};
  const LooksCheck checked = check.Check(looks);
  // Catches the body string's texture given to the first skin instead of the one whose own
  // texture it is a tone of; a suit looked for only in a file of its name; a name's
  // case kept; a hand's name not read from its suit; a string that dresses no part checked.
  ASSERT_EQ(checked.parts.size(), 3u);
  EXPECT_EQ(checked.parts[0].part, "body");
  EXPECT_EQ(checked.parts[0].files.meshes,
            (std::vector<std::string>{"GameData/Skins/m-arm.bmf", "GameData/Skins/m-body.bmf"}));
  EXPECT_EQ(checked.parts[0].files.textures,
            (std::vector<std::string>{"GameData/Skins/b010armlgt.bmp",
                                      "GameData/Skins/b010fafitdrk_01.bmp"}));
  EXPECT_TRUE(checked.parts[0].problems.empty());
  EXPECT_EQ(checked.parts[1].files.suit, "GameData/Skins/Various.cmx");
  EXPECT_EQ(checked.parts[1].problems,
            (std::vector<Problem>{{"no-mesh", "the mesh `m-head` is missing"},
                                  {"no-texture", "the texture `c010fadrk_zoe` is missing"}}));
  EXPECT_EQ(checked.parts[2].part, "right hand (closed)");
  EXPECT_EQ(checked.parts[2].problems,
            (std::vector<Problem>{{"no-suit", "no suit `HFRC` is installed"}}));
  EXPECT_EQ(checked.summary, "would be headless: the head mesh `m-head` is missing");
}

// Catches the worst problem passed over for the first one found, or a part's problem taken for
// another part's (a hand's missing mesh is no missing head).
TEST(SkinsCheck, TheSummaryNamesTheWorstProblem) {
  const auto part = [](const char* name, const char* code, const char* text) {
    return PartCheck{1, name, "suit", {}, {{code, text}}, {}};
  };
  const std::pair<std::vector<PartCheck>, const char*> cases[] = {
      {{}, "looks right in the game"},
      {{part("body", "not-8-bit", "b"), part("head", "no-mesh", "the mesh `h` is missing")},
       "would be headless: the head mesh `h` is missing"},
      {{part("head", "no-mesh", "the mesh `h` is missing"), part("formal", "text-cmx-in-far", "c")},
       "would crash the game: c"},
      {{part("left hand (open)", "no-mesh", "the mesh `h` is missing")},
       "would not look right: the mesh `h` is missing"},
      {{part("formal", "not-8-bit", "w"), part("winter", "skn-header", "i")},
       "would be invisible: i"},
      {{part("formal", "not-8-bit", "w"), part("body", "no-suit", "n")}, "would have no body: n"},
      {{part("formal", "no-texture", "t"), part("winter", "not-8-bit", "w")},
       "would be dressed in white: w"},
  };
  for (const auto& [parts, summary] : cases) EXPECT_EQ(SummaryOf(parts), summary);
}

}  // namespace
}  // namespace quill::content
