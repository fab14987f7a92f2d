// SPDX-License-Identifier: GPL-3.0-or-later
// The figure game. Each Sim is a few boxes on a skeleton small enough to work out by hand, in the
// data's axes: y up, +x the Sim's left, its face towards −z. A person (adult size; the child is
// the same at 0.6 of it, skeleton and meshes alike):
//   ROOT    at the feet
//   PELVIS  1.9 above ROOT      legs L_LEG, R_LEG 0.25 to either side of it
//   SPINE   0.2 above PELVIS    torso: x ±0.4, 1.9 to 3.3 above the feet, z ±0.25
//   HEAD    1.2 above SPINE     head: x ±0.3, 3.3 to 4.0, z ±0.3, eyes on its −z face
//   L_ARM   (±0.55, 1.1, 0) from SPINE, turned a quarter about z, so that the arm hangs down its
//   R_ARM   own x axis: 3.15 down to 1.95 above the feet
//   L_HAND  1.3 along its arm's x, turned back upright: hand x ±0.1 about ±0.55, 1.6 to 1.9
//   R_HAND
// Legs: x ±0.15 about ±0.25, from the feet to 1.8, their tops stitched to the torso by blends.
// So at yaw 0 a Sim faces the viewer, eyes and all. A pet (the cat at 0.6 of the dog):
// PELVIS 0.9 up at the back (z 0.5), SPINE 1 forward of it, HEAD 0.3 up and 0.2 forward of
// SPINE; hind legs on L_LEG and R_LEG, forelegs on L_ARM and R_ARM, 0.25 to either side.
#include "figure_builder.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "game_folder_builder.h"
#include "skin_builder.h"

namespace quill::testdata {

namespace fs = std::filesystem;

namespace {

using Point = std::array<float, 3>;

constexpr float kHalfRoot2 = 0.70710678F;
// A quarter turn about z, whose conjugate the pose applies: the arm's x runs down, its y to +x.
constexpr std::array<float, 4> kArmDown{0, 0, kHalfRoot2, kHalfRoot2};
// The turn back, which sets a hand upright on its arm.
constexpr std::array<float, 4> kUpright{0, 0, -kHalfRoot2, kHalfRoot2};
constexpr std::array<float, 4> kNoTurn{0, 0, 0, 1};

constexpr float kChildScale = 0.6F;
constexpr float kCatScale = 0.6F;

constexpr float kSpineAbovePelvis = 0.2F;
constexpr float kLegApart = 0.25F;
constexpr float kLegTop = -0.1F;  // on its bone, 0.1 below the torso
// Each leg's top is pulled halfway to a point this far above it, on SPINE: it meets the torso.
constexpr float kStitch = 0.2F;

// Plain colours a test can name.
constexpr Rgb kSkin{210, 160, 110};
constexpr Rgb kEyes{40, 25, 15};
constexpr Rgb kLeftHand{230, 180, 130};     // a lighter skin than the right hand's,
constexpr Rgb kRightHand{160, 110, 70};     // so that a picture tells the hands apart
constexpr Rgb kEveryday{50, 90, 200};       // blue
constexpr Rgb kFormal{60, 60, 60};          // dark grey
constexpr Rgb kSwimwear{200, 40, 40};       // red
constexpr Rgb kChildEveryday{50, 170, 70};  // green
constexpr Rgb kDog{120, 75, 40};            // brown
constexpr Rgb kCat{240, 140, 30};           // orange

constexpr int kTextureSide = 64;

Bytes Plain(Rgb colour) {
  return PaletteBitmap(kTextureSide, kTextureSide, {colour},
                       [](int, int) { return std::uint8_t{0}; });
}

// Skin with two dark eyes in the upper half, clear of the top-left quarter the other sides show.
Bytes Face() {
  return PaletteBitmap(kTextureSide, kTextureSide, {kSkin, kEyes}, [](int x, int y) {
    const bool eyeRow = y >= 20 && y < 28;
    return std::uint8_t(eyeRow && ((x >= 16 && x < 24) || (x >= 40 && x < 48)));
  });
}

Point Scaled(const Point& point, float scale) {
  return {point[0] * scale, point[1] * scale, point[2] * scale};
}

BoneSpec Bone(const char* name, const char* parent, const Point& position, float scale,
              const std::array<float, 4>& rotation = kNoTurn) {
  return {name, parent, Scaled(position, scale), rotation, std::nullopt};
}

SkeletonSpec PersonSkeleton(const std::string& name, float scale) {
  return {name,
          {Bone("ROOT", "NULL", {0, 0, 0}, scale), Bone("PELVIS", "ROOT", {0, 1.9F, 0}, scale),
           Bone("SPINE", "PELVIS", {0, kSpineAbovePelvis, 0}, scale),
           Bone("HEAD", "SPINE", {0, 1.2F, 0}, scale),
           Bone("L_ARM", "SPINE", {0.55F, 1.1F, 0}, scale, kArmDown),
           Bone("L_HAND", "L_ARM", {1.3F, 0, 0}, scale, kUpright),
           Bone("R_ARM", "SPINE", {-0.55F, 1.1F, 0}, scale, kArmDown),
           Bone("R_HAND", "R_ARM", {1.3F, 0, 0}, scale, kUpright),
           Bone("L_LEG", "PELVIS", {kLegApart, 0, 0}, scale),
           Bone("R_LEG", "PELVIS", {-kLegApart, 0, 0}, scale)}};
}

// Hind legs on the leg bones and forelegs on the arm bones, as a person's.
SkeletonSpec PetSkeleton(const std::string& name, float scale) {
  return {
      name,
      {Bone("ROOT", "NULL", {0, 0, 0}, scale), Bone("PELVIS", "ROOT", {0, 0.9F, 0.5F}, scale),
       Bone("SPINE", "PELVIS", {0, 0, -1}, scale), Bone("HEAD", "SPINE", {0, 0.3F, -0.2F}, scale),
       Bone("L_LEG", "PELVIS", {0.25F, 0, 0}, scale),
       Bone("R_LEG", "PELVIS", {-0.25F, 0, 0}, scale), Bone("L_ARM", "SPINE", {0.25F, 0, 0}, scale),
       Bone("R_ARM", "SPINE", {-0.25F, 0, 0}, scale)}};
}

// One side of a box: its outward normal, and the directions of the texture's right and up, whose
// cross product is the normal.
struct Side {
  Point normal;
  Point across;
  Point up;
};
constexpr std::array<Side, 6> kSides{{{{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},  // the face
                                      {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},
                                      {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
                                      {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
                                      {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}},
                                      {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}}}};

// A box from `least` to `most` in the space of the mesh's bone `bone`, as one binding: four
// vertices a side (each with the side's normal), two triangles a side wound anticlockwise seen
// from outside. Every side shows the whole texture, but with `face` only the −z side does and the
// others show its plain top-left quarter.
void AddBox(MeshSpec& mesh, std::uint32_t bone, const Point& least, const Point& most,
            bool face = false) {
  const auto first = std::uint32_t(mesh.vertices.size());
  for (std::size_t s = 0; s < kSides.size(); ++s) {
    const Side& side = kSides[s];
    const float uvSize = face && s > 0 ? 0.25F : 1;
    const auto base = std::uint32_t(mesh.vertices.size());
    // Bottom-left, bottom-right, top-right, top-left.
    for (const auto& [right, top] : {std::pair{0, 0}, {1, 0}, {1, 1}, {0, 1}}) {
      Point corner{};
      for (int i = 0; i < 3; ++i) {
        const bool atMost = side.normal[i] != 0   ? side.normal[i] > 0
                            : side.across[i] != 0 ? (side.across[i] > 0) == (right == 1)
                                                  : (side.up[i] > 0) == (top == 1);
        corner[i] = atMost ? most[i] : least[i];
      }
      mesh.vertices.push_back({corner, side.normal});
      mesh.uvs.push_back({float(right) * uvSize, float(1 - top) * uvSize});
    }
    mesh.faces.push_back({base, base + 1, base + 2});
    mesh.faces.push_back({base, base + 2, base + 3});
  }
  mesh.bindings.push_back({bone, first, std::uint32_t(mesh.vertices.size()) - first, -1, 0});
}

// A mesh of no geometry yet, on the given bones.
MeshSpec MeshOn(const std::string& name, const std::string& texture,
                std::vector<std::string> bones) {
  MeshSpec mesh;
  mesh.name = name;
  mesh.defaultTexture = texture;
  mesh.bones = std::move(bones);
  return mesh;
}

// Torso, legs and arms, each on its own bone; the torso's binding also holds the blends that stitch
// each leg's top to it.
MeshSpec PersonBody(const std::string& name, const std::string& texture, float s) {
  MeshSpec mesh = MeshOn(name, texture, {"SPINE", "L_LEG", "R_LEG", "L_ARM", "R_ARM"});
  AddBox(mesh, 0, Scaled({-0.4F, -0.2F, -0.25F}, s), Scaled({0.4F, 1.2F, 0.25F}, s));
  for (const std::uint32_t bone : {1, 2}) {
    AddBox(mesh, bone, Scaled({-0.15F, -1.9F, -0.15F}, s), Scaled({0.15F, kLegTop, 0.15F}, s));
  }
  for (const std::uint32_t bone : {3, 4}) {  // down the arm's x, its y across the Sim
    AddBox(mesh, bone, Scaled({0.05F, -0.12F, -0.12F}, s), Scaled({1.25F, 0.12F, 0.12F}, s));
  }
  std::vector<MeshVertexSpec> blendPoints;  // after every real vertex
  for (const std::uint32_t leg : {1, 2}) {
    const MeshBindingSpec& binding = mesh.bindings[leg];
    const float side = leg == 1 ? kLegApart : -kLegApart;
    for (std::uint32_t v = binding.firstVertex; v < binding.firstVertex + binding.vertexCount;
         ++v) {
      const MeshVertexSpec& vertex = mesh.vertices[v];
      if (vertex.position[1] != kLegTop * s) continue;
      mesh.blends.push_back({0x4000, v});
      // The vertex's place on SPINE, raised by kStitch.
      blendPoints.push_back(
          {{vertex.position[0] + side * s, vertex.position[1] + (kStitch - kSpineAbovePelvis) * s,
            vertex.position[2]},
           vertex.normal});
    }
  }
  mesh.vertices.insert(mesh.vertices.end(), blendPoints.begin(), blendPoints.end());
  mesh.bindings[0].firstBlend = 0;
  mesh.bindings[0].blendCount = std::uint32_t(mesh.blends.size());
  return mesh;
}

MeshSpec PersonHead(const std::string& name, const std::string& texture, float s) {
  MeshSpec mesh = MeshOn(name, texture, {"HEAD"});
  AddBox(mesh, 0, Scaled({-0.3F, 0, -0.3F}, s), Scaled({0.3F, 0.7F, 0.3F}, s), true);
  return mesh;
}

MeshSpec Hand(const std::string& name, const std::string& texture, const std::string& bone,
              float s) {
  MeshSpec mesh = MeshOn(name, texture, {bone});
  AddBox(mesh, 0, Scaled({-0.1F, -0.3F, -0.1F}, s), Scaled({0.1F, 0, 0.1F}, s));
  return mesh;
}

// A body from the hips forward to the shoulders, four legs and a head.
MeshSpec PetBody(const std::string& name, const std::string& texture, float s) {
  MeshSpec mesh = MeshOn(name, texture, {"PELVIS", "L_LEG", "R_LEG", "L_ARM", "R_ARM", "HEAD"});
  AddBox(mesh, 0, Scaled({-0.3F, -0.25F, -1.1F}, s), Scaled({0.3F, 0.3F, 0.1F}, s));
  for (const std::uint32_t leg : {1, 2, 3, 4}) {
    AddBox(mesh, leg, Scaled({-0.1F, -0.9F, -0.1F}, s), Scaled({0.1F, -0.25F, 0.1F}, s));
  }
  AddBox(mesh, 5, Scaled({-0.22F, -0.15F, -0.45F}, s), Scaled({0.22F, 0.35F, 0.1F}, s));
  return mesh;
}

// A garment's files in the game's own names: the suit "<suit>.cmx" of one skin, its mesh (binary,
// or text for `text`) and its texture, named as the mesh's own.
struct GarmentFiles {
  std::string suit;
  std::string bone;
  MeshSpec mesh;
  Bytes texture;
  bool text = false;
};

void WriteGarment(const fs::path& skins, const GarmentFiles& garment) {
  WriteGameFile(skins / (garment.suit + ".cmx"),
                TextSuitFile({{}, {{garment.suit, 0, {{garment.bone, garment.mesh.name, 0}}}}, 1}));
  WriteGameFile(skins / (garment.mesh.defaultTexture + ".bmp"), garment.texture);
  if (garment.text) {
    WriteGameFile(skins / (garment.mesh.name + ".skn"), TextMesh(garment.mesh));
  } else {
    WriteGameFile(skins / (garment.mesh.name + ".bmf"), BinaryMesh(garment.mesh));
  }
}

// The open hands of a person of `scale`: suits H<age>LO and H<age>RO ("HFLO", "HCRO").
void WriteHands(const fs::path& skins, const std::string& age, float scale) {
  for (const bool left : {true, false}) {
    const std::string suit = "H" + age + (left ? "LO" : "RO");
    const std::string bone = left ? "L_HAND" : "R_HAND";
    const std::string texture = std::string(left ? "hl" : "hr").append(age == "F" ? "fa" : "fc");
    WriteGarment(skins, {suit, bone,
                         Hand("xskin-" + suit + "-" + bone + "-HAND", texture + "lgt", bone, scale),
                         Plain(left ? kLeftHand : kRightHand)});
  }
}

void WriteSkins(const fs::path& skins) {
  WriteGameFile(skins / "adult-skeleton.cmx", TextSuitFile({{PersonSkeleton("adult", 1)}, {}, 1}));
  WriteGameFile(skins / "child-skeleton.cmx.bcf",
                BinarySuitFile({{PersonSkeleton("child", kChildScale)}, {}, 1}));
  WriteGameFile(skins / "dog_skeleton.cmx.bcf", BinarySuitFile({{PetSkeleton("dog", 1)}, {}, 1}));
  WriteGameFile(skins / "kat_skeleton.cmx", TextSuitFile({{PetSkeleton("kat", kCatScale)}, {}, 1}));

  WriteGarment(skins, {"b010fafit_01", "PELVIS",
                       PersonBody("xskin-b010fafit_01-PELVIS-BODY", "b010fafitlgt_01", 1),
                       Plain(kEveryday)});
  WriteGarment(
      skins, {"b110fafml_01", "PELVIS",
              PersonBody("xskin-b110fafml_01-PELVIS-BODY", "b110fafmllgt_01", 1), Plain(kFormal)});
  WriteGarment(
      skins, {"c010fa_alma", "HEAD", PersonHead("xskin-c010fa_alma-HEAD-HEAD", "c010falgt_alma", 1),
              Face(), true});
  WriteHands(skins, "F", 1);
  WriteGarment(skins, {"b010fcfit_01", "PELVIS",
                       PersonBody("xskin-b010fcfit_01-PELVIS-BODY", "b010fcfitlgt_01", kChildScale),
                       Plain(kChildEveryday)});
  WriteGarment(skins, {"b210fcswm_01", "PELVIS",
                       PersonBody("xskin-b210fcswm_01-PELVIS-BODY", "b210fcswmlgt_01", kChildScale),
                       Plain(kSwimwear)});
  WriteGarment(
      skins, {"c010fc_tilly", "HEAD",
              PersonHead("xskin-c010fc_tilly-HEAD-HEAD", "c010fclgt_tilly", kChildScale), Face()});
  WriteHands(skins, "C", kChildScale);
  WriteGarment(skins,
               {"uaa020dog_brown", "PELVIS",
                PetBody("xskin-uaa020dog_brown-PELVIS-DOGBODY", "uaa020dogbrown", 1), Plain(kDog)});
  WriteGarment(skins,
               {"uaa021cat_orange", "PELVIS",
                PetBody("xskin-uaa021cat_orange-PELVIS-KATBODY", "uaa021catorange", kCatScale),
                Plain(kCat)});
  // Hedda's head suit and texture are installed, her head mesh is not.
  WriteGameFile(
      skins / "c011fa_hedda.cmx",
      TextSuitFile({{}, {{"c011fa_hedda", 0, {{"HEAD", "xskin-c011fa_hedda-HEAD-HEAD", 0}}}}, 1}));
  WriteGameFile(skins / "c011falgt_hedda.bmp", Face());
}

LooksSpec Person(const std::string& skeleton, const std::string& age, const std::string& body,
                 const std::string& head, std::vector<std::string> outfits) {
  LooksSpec looks;
  looks.skeleton = skeleton;
  looks.body = body;
  looks.head = head;
  looks.age = age;
  looks.outfits = std::move(outfits);
  return looks;
}

}  // namespace

SkeletonSpec FigureSkeleton(const std::string& name) {
  if (name == "dog" || name == "kat") return PetSkeleton(name, name == "kat" ? kCatScale : 1);
  return PersonSkeleton(name, name == "child" ? kChildScale : 1);
}

MeshSpec FigureMesh(const std::string& name, const std::string& texture, const std::string& bone,
                    const std::string& skeleton) {
  const bool pet = skeleton == "dog" || skeleton == "kat";
  const float scale = skeleton == "child" ? kChildScale : skeleton == "kat" ? kCatScale : 1;
  if (bone == "HEAD") return PersonHead(name, texture, scale);
  if (bone == "L_HAND" || bone == "R_HAND") return Hand(name, texture, bone, scale);
  return pet ? PetBody(name, texture, scale) : PersonBody(name, texture, scale);
}

void WriteFigureGame(const fs::path& root) {
  WriteGameFile(root / "GameData" / "Behavior.iff", FileHeader());
  WriteSkins(root / "GameData" / "Skins");

  const std::string adultHands[] = {"HFLO,HAND=hlfalgt", "HFRO,HAND=hrfalgt"};
  const std::string childHands[] = {"HCLO,HAND=hlfclgt", "HCRO,HAND=hrfclgt"};
  const struct {
    const char* file;
    const char* name;
    LooksSpec looks;
  } sims[] = {
      {"User00000.iff", "Alma Square",
       Person("adult", "27", "b010fafit_01,BODY=b010fafitlgt_01",
              "c010fa_alma,HEAD-HEAD=c010falgt_alma",
              OutfitsAt({{17, adultHands[0]},
                         {18, adultHands[1]},
                         {30, "b110fafml_01,BODY=b110fafmllgt_01"}}))},
      {"User00001.iff", "Tilly Square",
       Person("child", "9", "b010fcfit_01,BODY=b010fcfitlgt_01",
              "c010fc_tilly,HEAD-HEAD=c010fclgt_tilly",
              OutfitsAt({{17, childHands[0]},
                         {18, childHands[1]},
                         {31, "b210fcswm_01,BODY=b210fcswmlgt_01"}}))},
      {"User00002.iff",
       "Brick",
       {"dog", "uaa020dog_brown,BODY=uaa020dogbrown", "", "male", "", "unk", {}}},
      {"User00003.iff",
       "Cinder",
       {"cat", "uaa021cat_orange,BODY=uaa021catorange", "", "female", "", "unk", {}}},
      {"User00004.iff", "Hedda Square",
       Person("adult", "27", "b010fafit_01,BODY=b010fafitlgt_01",
              "c011fa_hedda,HEAD-HEAD=c011falgt_hedda",
              OutfitsAt({{17, adultHands[0]}, {18, adultHands[1]}}))},
  };
  const fs::path characters = root / "UserData" / "Characters";
  fs::create_directories(characters);
  for (const auto& sim : sims) {
    LookalikeCharacter(sim.name, "Made of boxes.", {}, {.looks = sim.looks})
        .write(characters / sim.file);
  }
}

}  // namespace quill::testdata
