// SPDX-License-Identifier: GPL-3.0-or-later
#include "game_folder_builder.h"

#include "figure_builder.h"
#include "skin_builder.h"

namespace quill::testdata {

namespace fs = std::filesystem;

namespace {

// One suit of one skin.
SuitFileSpec OneSuit(const std::string& suit, const std::string& bone, const std::string& mesh) {
  return {{}, {{suit, 0, {{bone, mesh, 0}}}}, 1};
}

}  // namespace

std::vector<std::string> OutfitsAt(const std::map<int, std::string>& strings) {
  std::vector<std::string> outfits;
  for (const auto& [index, text] : strings) {
    outfits.resize(static_cast<std::size_t>(index - 14));
    outfits.back() = text;
  }
  return outfits;
}

LooksSpec SavedSimLooks(const std::string& file) {
  LooksSpec looks;
  if (file == "User00000.iff") {  // Ada: loose files, a hand, and a formal suit from an archive
    looks.body = "b001fafit_01,BODY=b001fafitlgt_01";
    looks.head = "c001fa_ada,HEAD-HEAD=c001falgt_ada";
    looks.outfits =
        OutfitsAt({{17, "HFLO,HAND=huaolgt"}, {30, "b101fafml_01,BODY=b101fafmllgt_01"}});
  } else if (file == "User00001.iff") {  // Bram: his head installed in a subfolder
    looks.body = "b002mafit_01,BODY=b002mafitmed_01";
    looks.head = "c002ma_bram,HEAD-HEAD=c002mamed_bram";
    looks.gender = "male";
    looks.skinTone = "med";
  } else if (file == "User00002.iff") {  // Pip: a 24-bit body texture, a head texture 100 wide
    looks.skeleton = "child";
    looks.body = "b003fcfit_01,BODY=b003fcfitlgt_01";
    looks.head = "c003fc_pip,HEAD-HEAD=c003fclgt_pip";
    looks.age = "9";
  } else if (file == "User00003.iff") {  // Biscuit: a text mesh whose first line names a file
    looks = {"dog", "uaa012dog_brown,BODY=uaa012dogbrown", "", "male", "", "unk", {}};
  } else if (file == "User00004.iff") {  // Marmalade: a text suit inside an archive
    looks = {"cat", "uaa002cat_ginger,BODY=uaa002catginger", "", "female", "", "unk", {}};
  } else if (file == "User00005.iff") {  // Gwendolyn: dark, where her head ships light only
    looks.head = "c005fa_gwen,HEAD-HEAD=c005fadrk_gwen";
    looks.skinTone = "drk";
    looks.body = "b006fafat_01,BODY=B006FAFatdrk_TT1";
  } else if (file == "User00006.iff") {  // Dmitri: two different bodies' textures; no winter coat
    looks.body = "b007mafit_01,BODY=b007mafitlgt_01";
    looks.gender = "male";
    looks.outfits = OutfitsAt({{33, "b099mawin_01,BODY=b099mawinlgt_01"}});
  }
  return looks;
}

void WriteSampleGameFolder(const fs::path& root) {
  const fs::path skins = root / "GameData" / "Skins";
  const fs::path buy = root / "ExpansionShared" / "SkinsBuy";
  WriteGameFile(root / "GameData" / "Behavior.iff", FileHeader());
  // Skeletons: adult and child loose, as text; dog and cat in an archive, binary.
  WriteGameFile(skins / "adult-skeleton.cmx", TextSuitFile({{FigureSkeleton("adult")}, {}, 1}));
  WriteGameFile(skins / "child-skeleton.cmx", TextSuitFile({{FigureSkeleton("child")}, {}, 1}));
  // Everything loose and as the game wants it: one suit of one mesh of one texture each.
  // Each mesh is a figure's, so that the Sims can be drawn.
  const auto loose = [&skins](const std::string& suit, const std::string& bone,
                              const std::string& mesh, const std::string& texture, int side,
                              const std::string& skeleton = "adult") {
    WriteGameFile(skins / (suit + ".cmx"), TextSuitFile(OneSuit(suit, bone, mesh)));
    WriteGameFile(skins / (mesh + ".bmf"), BinaryMesh(FigureMesh(mesh, texture, bone, skeleton)));
    if (side > 0) WriteGameFile(skins / (texture + ".bmp"), PaletteBitmap(side, side));
  };
  loose("b006fafat_01", "PELVIS", "xskin-b006fafat_01-PELVIS-BODY", "b006fafatlgt_tt1", 128);
  WriteGameFile(skins / "b006fafatdrk_tt1.bmp", PaletteBitmap(128, 128));
  loose("c001fa_mercedes", "HEAD", "xskin-c001fa_mercedes-HEAD-HEAD", "c001falgt_shannon01", 64);
  loose("b001fafit_01", "PELVIS", "xskin-b001fafit_01-PELVIS-BODY", "b001fafitlgt_01", 128);
  loose("c001fa_ada", "HEAD", "xskin-c001fa_ada-HEAD-HEAD", "c001falgt_ada", 64);
  loose("HFLO", "L_HAND", "xskin-HFLO-L_HAND-HAND", "huaolgt", 64);
  loose("b002mafit_01", "PELVIS", "xskin-b002mafit_01-PELVIS-BODY", "b002mafitmed_01", 128);
  // Bram's head mesh was unpacked into a folder of its own, which the game does not read.
  WriteGameFile(skins / "c002ma_bram.cmx",
                TextSuitFile(OneSuit("c002ma_bram", "HEAD", "xskin-c002ma_bram-HEAD-HEAD")));
  WriteGameFile(
      skins / "Bram" / "xskin-c002ma_bram-HEAD-HEAD.bmf",
      BinaryMesh(FigureMesh("xskin-c002ma_bram-HEAD-HEAD", "c002mamed_bram", "HEAD", "adult")));
  WriteGameFile(skins / "c002mamed_bram.bmp", PaletteBitmap(64, 64));
  loose("b003fcfit_01", "PELVIS", "xskin-b003fcfit_01-PELVIS-BODY", "b003fcfitlgt_01", 0, "child");
  WriteGameFile(skins / "b003fcfitlgt_01.bmp", TrueColourBitmap(128, 128));
  loose("c003fc_pip", "HEAD", "xskin-c003fc_pip-HEAD-HEAD", "c003fclgt_pip", 0, "child");
  WriteGameFile(skins / "c003fclgt_pip.bmp", PaletteBitmap(100, 100));
  // Biscuit's body: a text mesh whose first line ends in ".skn".
  WriteGameFile(
      skins / "uaa012dog_brown.cmx",
      TextSuitFile(OneSuit("uaa012dog_brown", "PELVIS", "xskin-uaa012dog_brown-PELVIS-DOGBODY")));
  WriteGameFile(skins / "xskin-uaa012dog_brown-PELVIS-DOGBODY.skn",
                TextMesh(FigureMesh("xskin-uaa012dog_brown-PELVIS-DOGBODY.skn", "uaa012dogbrown",
                                    "PELVIS", "dog")));
  WriteGameFile(skins / "uaa012dogbrown.bmp", PaletteBitmap(128, 128));
  loose("c005fa_gwen", "HEAD", "xskin-c005fa_gwen-HEAD-HEAD", "c005falgt_gwen", 64);
  loose("b007mafit_01", "PELVIS", "xskin-b007mafit_01-PELVIS-BODY", "b007mafitlgt_01", 128);
  WriteGameFile(buy / "b007mafitlgt_01.bmp", PaletteBitmap(64, 64));
  // An archive of binary suits and meshes: Ada's formal wear, the pets' skeletons.
  WriteGameFile(
      skins / "skins.far",
      FarArchive({{"suits/b101fafml_01.cmx.bcf",
                   BinarySuitFile(OneSuit("b101fafml_01", "PELVIS", "xskin-b101fafml_01-BODY"))},
                  {"meshes/xskin-b101fafml_01-BODY.bmf",
                   BinaryMesh(FigureMesh("xskin-b101fafml_01-BODY", "b101fafmllgt_01", "PELVIS",
                                         "adult"))},
                  {"b101fafmllgt_01.bmp", PaletteBitmap(128, 128)},
                  {"dog_skeleton.cmx.bcf", BinarySuitFile({{FigureSkeleton("dog")}, {}, 1})},
                  {"kat_skeleton.cmx.bcf", BinarySuitFile({{FigureSkeleton("kat")}, {}, 1})}}));
  // A download that packs a text suit: the game crashes on it.
  WriteGameFile(root / "Downloads" / "Marmalade" / "cats.far",
                FarArchive({{"uaa002cat_ginger.cmx",
                             TextSuitFile(OneSuit("uaa002cat_ginger", "PELVIS",
                                                  "xskin-uaa002cat_ginger-PELVIS-KATBODY"))},
                            {"xskin-uaa002cat_ginger-PELVIS-KATBODY.bmf",
                             BinaryMesh(FigureMesh("xskin-uaa002cat_ginger-PELVIS-KATBODY",
                                                   "uaa002catginger", "PELVIS", "kat"))},
                            {"uaa002catginger.bmp", PaletteBitmap(128, 128)}}));
}

}  // namespace quill::testdata
