// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include <fstream>

#include "platform/files.h"
#include "render/draw_sim.h"
#include "render/dress_sim.h"
#include "render/pose.h"
#include "render/skin_texture.h"
#include "skin_builder.h"

namespace quill::render {
namespace {

using content::Bone;
using content::Skeleton;
using Point = std::array<float, 3>;

constexpr float kHalfRoot2 = 0.70710678F;

Bone Placed(std::string name, std::string parent, Point position, std::array<float, 4> rotation) {
  return {std::move(name), std::move(parent), {}, position, rotation, 0, 0, 0, 0, 0};
}

// ROOT at the origin; ARM 3 up, its stored quaternion a quarter turn about z (whose conjugate
// turns x to −y and y to x); HAND 1 up the ARM's y; "root" in another case.
Skeleton ThreeBones() {
  Skeleton skeleton{"adult", {}};
  skeleton.bones.push_back(Placed("ROOT", "NULL", {0, 0, 0}, {0, 0, 0, 1}));
  skeleton.bones.push_back(Placed("ARM", "root", {0, 3, 0}, {0, 0, kHalfRoot2, kHalfRoot2}));
  skeleton.bones.push_back(Placed("HAND", "ARM", {0, 1, 0}, {0, 0, 0, 1}));
  return skeleton;
}

// Vertex 0 on ROOT, 1 and 2 on ARM, whose binding also holds blend 0: half of vertex 0 pulled to
// where ARM puts the blend vertex (2, 0, 0).
content::Mesh ArmMesh() {
  content::Mesh mesh;
  mesh.bones = {"ROOT", "arm"};
  mesh.faces = {{0, 1, 2}};
  mesh.bindings = {{0, 0, 1, -1, 0}, {1, 1, 2, 0, 1}};
  mesh.uvs = {{0, 0}, {1, 0}, {0, 1}};
  mesh.blends = {{0x4000, 0}};
  mesh.vertices = {{{1, 0, 2}, {1, 0, 0}},
                   {{1, 0, 0}, {1, 0, 0}},
                   {{0, 1, 0}, {0, 0, 1}},
                   {{2, 0, 0}, {0, 0, 1}}};
  return mesh;
}

Point Column(const Matrix& matrix, int column) {
  return {matrix[column][0], matrix[column][1], matrix[column][2]};
}

void ExpectNear(const Point& actual, const Point& expected) {
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-5F) << "component " << i;
}

// Catches the stored quaternion used without its conjugate (ARM's x would go to +y), the product
// taken as local × parent (HAND would sit at (0, 4, 0)), and parents not found across case.
TEST(BoneWorlds, ChainsTranslationAndConjugateRotation) {
  const auto worlds = BoneWorlds(ThreeBones());
  ASSERT_TRUE(worlds.has_value());
  ASSERT_EQ(worlds->size(), 3U);
  ExpectNear(Column((*worlds)[1], 0), {0, -1, 0});  // ARM turns x to −y
  ExpectNear(Column((*worlds)[1], 1), {1, 0, 0});   // and y to x
  ExpectNear(Column((*worlds)[1], 3), {0, 3, 0});
  // HAND: (0, 3, 0) + ARM's turn of (0, 1, 0) = (1, 3, 0).
  ExpectNear(Column((*worlds)[2], 3), {1, 3, 0});
}

// Catches a dropped parent check: each skeleton would otherwise index a parent not yet placed.
TEST(BoneWorlds, RefusesParentsNotBeforeTheirChild) {
  Skeleton missing = ThreeBones();
  missing.bones[2].parent = "ELBOW";
  Skeleton late = ThreeBones();
  std::swap(late.bones[1], late.bones[2]);  // HAND before its ARM
  Skeleton notANumber = ThreeBones();
  notANumber.bones[1].position[1] = std::nanf("");
  for (const Skeleton& skeleton : {missing, late, notANumber}) {
    EXPECT_FALSE(BoneWorlds(skeleton).has_value());
  }
}

// Catches a vertex carried by the wrong bone, the blend's point taken from the target's bone or
// from vertices[j] rather than vertices[real + j], a weight not out of 32768, normals not
// renormalised, x not mirrored and the winding not reversed.
TEST(PoseMesh, CarriesVerticesAndBlendsThenMirrors) {
  const Skeleton skeleton = ThreeBones();
  const auto posed = PoseMesh(skeleton, *BoneWorlds(skeleton), ArmMesh());
  ASSERT_TRUE(posed.has_value());
  ASSERT_EQ(posed->positions.size(), 3U);
  // Vertex 0 at (1, 0, 2); the blend point is ARM's (0, 3, 0) + (0, −2, 0) = (0, 1, 0); halfway:
  // (0.5, 0.5, 1), mirrored (−0.5, 0.5, 1). Its normal (1, 0, 0) halfway to (0, 0, 1), made unit
  // and mirrored: (−0.7071, 0, 0.7071).
  ExpectNear(posed->positions[0], {-0.5F, 0.5F, 1});
  ExpectNear(posed->normals[0], {-0.70710678F, 0, 0.70710678F});
  // Vertex 1: (0, 3, 0) + (0, −1, 0) = (0, 2, 0); its normal x → −y. Vertex 2: (0, 3, 0) +
  // (1, 0, 0) = (1, 3, 0), mirrored (−1, 3, 0).
  ExpectNear(posed->positions[1], {0, 2, 0});
  ExpectNear(posed->normals[1], {0, -1, 0});
  ExpectNear(posed->positions[2], {-1, 3, 0});
  ASSERT_EQ(posed->triangles.size(), 1U);
  EXPECT_EQ(posed->triangles[0], (std::array<std::uint32_t, 3>{0, 2, 1}));
}

// Catches a bone looked up by position instead of name, and indices trusted unchecked.
TEST(PoseMesh, RefusesMeshesThatDoNotFit) {
  content::Mesh unknownBone = ArmMesh();
  unknownBone.bones[1] = "TAIL";
  content::Mesh faceOnBlendVertex = ArmMesh();
  faceOnBlendVertex.faces[0][2] = 3;
  content::Mesh bindingPastEnd = ArmMesh();
  bindingPastEnd.bindings[1].vertexCount = 3;
  const Skeleton skeleton = ThreeBones();
  for (const content::Mesh& mesh : {unknownBone, faceOnBlendVertex, bindingPastEnd}) {
    EXPECT_FALSE(PoseMesh(skeleton, *BoneWorlds(skeleton), mesh).has_value());
  }
}

// A quad facing the viewer at depth z (the Sim's front is −z: smaller is nearer), its texture's
// top row at its top.
PosedMesh Quad(float left, float right, float bottom, float top, float z) {
  PosedMesh quad;
  quad.positions = {{left, top, z}, {right, top, z}, {right, bottom, z}, {left, bottom, z}};
  quad.normals.assign(4, {0, 0, -1});
  quad.uvs = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  quad.triangles = {{0, 1, 2}, {0, 2, 3}};
  return quad;
}

// One texel wide, a row per colour from the top.
QImage Rows(std::initializer_list<QRgb> colours) {
  QImage image(1, int(colours.size()), QImage::Format_RGB32);
  int row = 0;
  for (const QRgb colour : colours) image.setPixel(0, row++, colour);
  return image;
}

const QColor kBackground(10, 20, 30);
constexpr QSize kSize(100, 100);

// Each scene is 4 high, so 22.5 pixels a unit about the centre (50, 50): y = 2 is row 50. A face
// towards the viewer is lit by 0.35 + 0.65 / √3 = 0.7253: 200 → 145, 100 → 73, grey 128 → 93.
// Catches a flipped picture or texture (v = 0 is the texture's top), light from elsewhere, quads
// painted in order without depth (the near grey quad is drawn first), a missing background, and
// pixels on an edge drawn by other than the top-left rule.
TEST(DrawSim, HeadAboveBodyAndNearHidesFar) {
  const PosedMesh head = Quad(-1, 1, 2, 4, 0);
  const PosedMesh body = Quad(-1, 1, 0, 2, 0);
  const QImage hairAndFace = Rows({qRgb(200, 100, 0), qRgb(0, 100, 200)});
  const QImage picture =
      DrawSim({{&head, hairAndFace}, {&body, Rows({qRgb(0, 200, 100)})}}, kSize, {}, kBackground);
  EXPECT_EQ(picture.pixel(50, 15), qRgb(145, 73, 0));
  EXPECT_EQ(picture.pixel(50, 40), qRgb(0, 73, 145));
  EXPECT_EQ(picture.pixel(50, 80), qRgb(0, 145, 73));
  // x = ±1 is 27.5 and 72.5, through pixel centres: the left edge's are drawn, the right's not.
  EXPECT_EQ(picture.pixel(27, 80), qRgb(0, 145, 73));
  EXPECT_EQ(picture.pixel(72, 80), kBackground.rgb());
  EXPECT_EQ(picture.pixel(5, 50), kBackground.rgb());
  EXPECT_EQ(picture.pixel(50, 98), kBackground.rgb());

  const PosedMesh nearer = Quad(-0.5F, 0.5F, 1.5F, 2.5F, -1);
  const PosedMesh farther = Quad(-1, 1, 0, 4, 0);
  const QImage depth =
      DrawSim({{&nearer, {}}, {&farther, Rows({qRgb(0, 200, 100)})}}, kSize, {}, kBackground);
  EXPECT_EQ(depth.pixel(50, 50), qRgb(93, 93, 93));
  EXPECT_EQ(depth.pixel(30, 50), qRgb(0, 145, 73));
}

// The Sim faces the viewer at yaw 0, its front the data's −z side, so its left, the data's +x
// side, is on the picture's right; turned half round, its back is seen, its left on the picture's
// left and lit by the ambient light alone (200 → 70). Catches x not mirrored, the picture's x
// flipped, the Sim seen from behind, and yaw ignored.
TEST(DrawSim, FacesTheViewerItsLeftOnThePicturesRight) {
  content::Mesh hands;  // a left hand 1 to 2 along x, a right hand −2 to −1, both 4 high
  hands.bones = {"ROOT"};
  for (const float x : {1.0F, 2.0F, 2.0F, 1.0F, -2.0F, -1.0F, -1.0F, -2.0F}) {
    const float y = hands.vertices.size() % 4 < 2 ? 4.0F : 0.0F;
    hands.vertices.push_back({{x, y, 0}, {0, 0, -1}});
  }
  hands.uvs = {{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0.75F}, {0, 0.75F}, {0, 0.75F}, {0, 0.75F}};
  hands.faces = {{0, 1, 2}, {0, 2, 3}, {4, 5, 6}, {4, 6, 7}};
  hands.bindings = {{0, 0, 8, -1, 0}};
  const Skeleton root{"adult", {Placed("ROOT", "NULL", {0, 0, 0}, {0, 0, 0, 1})}};
  const auto posed = PoseMesh(root, *BoneWorlds(root), hands);
  ASSERT_TRUE(posed.has_value());
  const QImage leftRed = Rows({qRgb(200, 0, 0), qRgb(0, 0, 200)});
  // Centred on x = 0, 4 high: x = ±1.5 lands 33.75 pixels either side of column 50.
  const struct {
    float yaw;
    QRgb atColumn16;
    QRgb atColumn84;
  } cases[] = {{0, qRgb(0, 0, 145), qRgb(145, 0, 0)}, {180, qRgb(70, 0, 0), qRgb(0, 0, 70)}};
  for (const auto& c : cases) {
    const QImage picture = DrawSim({{&*posed, leftRed}}, kSize, {c.yaw, 0, 1}, kBackground);
    EXPECT_EQ(picture.pixel(16, 50), c.atColumn16) << "yaw " << c.yaw;
    EXPECT_EQ(picture.pixel(84, 50), c.atColumn84) << "yaw " << c.yaw;
    EXPECT_EQ(picture.pixel(50, 50), kBackground.rgb()) << "yaw " << c.yaw;
  }
}

// Twenty quads, each nearer than the one before, zoomed to cover more than the picture: each
// triangle's bounds are the whole picture, so the 32 coverings allowed draw the first 16 quads.
// The 16th is green, those before it blue, those after it red. Catches drawing without a bound,
// and a bound off by one triangle (the 17th quad's first triangle would redden the top right).
TEST(DrawSim, StopsAfterThirtyTwoCoverings) {
  std::vector<PosedMesh> quads;
  std::vector<DrawnPart> parts;
  quads.reserve(20);
  for (int i = 0; i < 20; ++i) {
    quads.push_back(Quad(-1, 1, -1, 1, -0.01F * float(i)));
    const QRgb colour = i < 15 ? qRgb(0, 0, 200) : i == 15 ? qRgb(0, 200, 0) : qRgb(200, 0, 0);
    parts.push_back({&quads.back(), Rows({colour})});
  }
  const QImage picture = DrawSim(parts, QSize(10, 10), {0, 0, 2}, kBackground);
  EXPECT_EQ(picture.pixel(8, 1), qRgb(0, 145, 0));
  EXPECT_EQ(picture.pixel(1, 8), qRgb(0, 145, 0));
}

// Catches a bounding box taken over nothing (a division by zero, or a picture not filled).
TEST(DrawSim, NothingToDrawIsBackgroundOnly) {
  const PosedMesh empty;
  const QImage picture = DrawSim({{&empty, {}}}, QSize(4, 3), {}, kBackground);
  ASSERT_EQ(picture.size(), QSize(4, 3));
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(picture.pixel(x, y), kBackground.rgb());
  }
}

// The Sim dressed from the files the skins check finds, in a built game: PELVIS 3 above ROOT,
// L_LEG 1 below PELVIS, and the small body mesh on them, whose blend pulls vertex 1 halfway from
// (0.5, 4, 0) to L_LEG's (0.5, 2.25, 0). Catches a skin's mesh or texture not taken from the
// check, a part worn in another outfit, and a mesh posed on the wrong skeleton.
TEST(DressSim, PosesTheSkinsTheCheckFinds) {
  const platform::ScratchFolder game;
  const std::filesystem::path skins = game.path() / "GameData" / "Skins";
  std::filesystem::create_directories(skins);
  const auto write = [&skins](const char* name, const testdata::Bytes& bytes) {
    std::ofstream(skins / name, std::ios::binary) << bytes;
  };
  write("adult-skeleton.cmx",
        testdata::TextSuitFile({{{"adult",
                                  {{"ROOT", "NULL", {0, 0, 0}, {0, 0, 0, 1}, std::nullopt},
                                   {"PELVIS", "ROOT", {0, 3, 0}, {0, 0, 0, 1}, std::nullopt},
                                   {"L_LEG", "PELVIS", {0, -1, 0}, {0, 0, 0, 1}, std::nullopt}}}},
                                {},
                                1}));
  write("b020.cmx",
        testdata::TextSuitFile({{}, {{"b020", 0, {{"PELVIS", "xskin-small-PELVIS-BODY", 0}}}}, 1}));
  write("xskin-small-PELVIS-BODY.bmf", testdata::BinaryMesh(testdata::SmallBodyMesh()));
  write("small-lgt.bmp", testdata::PaletteBitmap(64, 64));
  content::SkinsCheck check(game.path());
  check.Refresh();
  BodyLooks looks;
  looks.skeleton = "adult";
  looks.skinTone = "lgt";
  looks.body = Garment{"b020", "BODY", "small-lgt"};
  const DressedSim everyday = DressSim(check, looks, 1);
  ASSERT_EQ(everyday.meshes.size(), 1u);
  EXPECT_EQ(everyday.meshes[0].positions,
            (std::vector<std::array<float, 3>>{
                {0.5F, 4, 0}, {-0.5F, 3.125F, 0}, {0.5F, 2, 0}, {-0.5F, 2, 0}}));
  EXPECT_EQ(everyday.textures[0].size(), QSize(64, 64));
  EXPECT_TRUE(DressSim(check, looks, 30).meshes.empty());
}

// A texture as the skin shows it. The palette bitmap's pixel is grey x + y counted from its bottom
// row: the picture's top-left is grey 3, the pixel below it grey 2. The stripes are red on top.
// Catches rows taken in the wrong order (bottom-up bitmaps, bottom-up and top-down Targas), blue
// and red swapped in the colour map, run packets misread, a 24-bit texture drawn in its colours
// (the game shows it white), and a picture too large for any skin decoded anyway.
TEST(SkinTexture, EightBitTexturesAsStoredAndOthersWhite) {
  const struct {
    const char* what;
    testdata::Bytes bytes;
    TextureForm form;
    QSize size;
    QRgb topLeft;
    QRgb below;
  } cases[] = {
      {"palette bitmap",
       testdata::PaletteBitmap(4, 4),
       TextureForm::Bitmap,
       {4, 4},
       qRgb(3, 3, 3),
       qRgb(2, 2, 2)},
      {"raw Targa",
       testdata::StripedTarga(3, 2, false),
       TextureForm::Targa,
       {3, 2},
       qRgb(255, 0, 0),
       qRgb(0, 0, 255)},
      {"run-length Targa",
       testdata::StripedTarga(3, 2, true),
       TextureForm::Targa,
       {3, 2},
       qRgb(255, 0, 0),
       qRgb(0, 0, 255)},
      {"24-bit bitmap",
       testdata::TrueColourBitmap(8, 8),
       TextureForm::Bitmap,
       {1, 1},
       qRgb(255, 255, 255),
       0},
      {"bitmap 2000 wide", testdata::BitmapHeaderOnly(2000, 8), TextureForm::Bitmap, {0, 0}, 0, 0},
      {"no picture", "BM", TextureForm::Bitmap, {0, 0}, 0, 0},
  };
  for (const auto& c : cases) {
    const QImage texture = SkinTexture(c.bytes, c.form);
    ASSERT_EQ(texture.size(), c.size) << c.what;
    if (texture.isNull()) continue;
    EXPECT_EQ(texture.pixel(0, 0), c.topLeft) << c.what;
    if (c.size.height() > 1) {
      EXPECT_EQ(texture.pixel(0, 1), c.below) << c.what;
    }
  }
}

}  // namespace
}  // namespace quill::render
