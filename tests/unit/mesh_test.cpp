// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/mesh.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <limits>

#include "skin_builder.h"

namespace quill::content {
namespace {

using namespace testdata;

Bytes U32(std::uint32_t value) {
  return LittleEndian32(static_cast<std::int32_t>(value));
}

std::string Join(const auto& values) {
  std::string text;
  for (const auto value : values) {
    char number[32];
    std::snprintf(number, sizeof number, "%g", static_cast<double>(value));
    text.append(text.empty() ? "" : " ").append(number);
  }
  return text;
}

// Every record of the mesh, one kind a line, each record's numbers in brackets.
std::string Describe(const std::optional<Mesh>& mesh) {
  if (!mesh) return "nothing";
  std::string text = mesh->name;
  text.append("|").append(mesh->defaultTexture).append("\nbones");
  for (const std::string& bone : mesh->bones) text.append(" ").append(bone);
  const auto add = [&text](const auto& numbers) {
    text.append(" (").append(Join(numbers)).append(")");
  };
  text.append("\nfaces");
  for (const auto& face : mesh->faces) add(face);
  text.append("\nbindings");
  for (const Binding& b : mesh->bindings) {
    add(std::array<std::int64_t, 5>{b.bone, b.firstVertex, b.vertexCount, b.firstBlend,
                                    b.blendCount});
  }
  text.append("\nuvs");
  for (const auto& uv : mesh->uvs) add(uv);
  text.append("\nblends");
  for (const Blend& b : mesh->blends) add(std::array<std::int64_t, 2>{b.weight, b.targetVertex});
  text.append("\nvertices");
  for (const Vertex& vertex : mesh->vertices) {
    add(vertex.position);
    add(vertex.normal);
  }
  return text;
}

// Each line with spaces around it and a CRLF end.
std::string Spaced(const std::string& text) {
  std::string out = "  ";
  for (const char c : text) c == '\n' ? out.append(" \r\n  ") : out.append(1, c);
  return out;
}

// Catches a field of a record swapped, skipped or read twice (every later record would be out of
// step), the blend order of one form used for the other, a first blend of -1 (none) not read as
// such, and a line end or spaces kept in a text value; and the header-only meshes the skins
// check's tests and the sample game use refused for their zero counts.
TEST(Mesh, SmallBodyAndHeaderOnlyMeshesReadTheSameFromBothForms) {
  const std::string small =
      "xskin-small-PELVIS-BODY|small-lgt\n"
      "bones PELVIS L_LEG\n"
      "faces (0 2 1) (1 2 3)\n"
      "bindings (0 0 2 -1 0) (1 2 2 0 1)\n"
      "uvs (0 0) (1 0) (0 1) (1 1)\n"
      "blends (16384 1)\n"
      "vertices (-0.5 1 0) (0 0 1) (0.5 1 0) (0 0 1) (-0.5 0 0) (0 0 1) (0.5 0 0) (0 0 1)"
      " (0.5 0.25 0) (0 0 1)";
  const std::string empty = "m|h001lgt\nbones\nfaces\nbindings\nuvs\nblends\nvertices";
  const std::tuple<const char*, std::optional<Mesh>, std::string> cases[] = {
      {"binary", ReadBinaryMesh(BinaryMesh(SmallBodyMesh())), small},
      {"text", ReadTextMesh(TextMesh(SmallBodyMesh())), small},
      {"text with spaces and CRLF", ReadTextMesh(Spaced(TextMesh(SmallBodyMesh()))), small},
      {"binary header only", ReadBinaryMesh(BinaryMesh("m", "h001lgt")), empty},
      {"text header only", ReadTextMesh(TextMesh("m", "h001lgt")), empty},
  };
  for (const auto& [form, read, described] : cases) EXPECT_EQ(Describe(read), described) << form;
}

// Written by hand, not by the builder, so that a reader and builder that agree on the wrong blend
// order are caught: a text blend line names its target first, a binary blend holds its weight
// first.
TEST(Mesh, BlendFieldOrderOfEachForm) {
  const std::string text =
      "m\nx\n0\n0\n0\n2\n0 0\n0 0\n1\n1 16384\n3\n0 0 0 0 0 1\n0 0 0 0 0 1\n0 0 0 0 0 1\n";
  const Bytes binary = "\1m\1x"_b + U32(0) + U32(0) + U32(0) + U32(2) + Bytes(16, '\0') + U32(1) +
                       U32(16384) + U32(1) + U32(3) + Bytes(72, '\0');
  for (const std::optional<Mesh>& read : {ReadTextMesh(text), ReadBinaryMesh(binary)}) {
    ASSERT_TRUE(read);
    ASSERT_EQ(read->blends.size(), 1U);
    EXPECT_EQ(read->blends[0].weight, 16384);
    EXPECT_EQ(read->blends[0].targetVertex, 1U);
  }
}

// Catches each check dropped or off by one: a bound taken as exclusive or inclusive wrongly, a
// range summed in 32 bits that wraps round to look short, a first blend of -1 checked as a range,
// a vertex count trusted, and a coordinate that is not a number let through.
TEST(Mesh, DamagedSmallBodyMeshesAreRefusedInBothForms) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float infinity = std::numeric_limits<float>::infinity();
  const std::tuple<const char*, std::function<void(MeshSpec&)>, bool> cases[] = {
      {"64 bones", [](auto& m) { m.bones.resize(64, "B"); }, true},
      {"65 bones", [](auto& m) { m.bones.resize(65, "B"); }, false},
      {"200,001 faces", [](auto& m) { m.faces.resize(200001); }, false},
      {"200,001 vertices",
       [](auto& m) {
         m.uvs.resize(100001);
         m.blends.resize(100000);
         m.vertices.resize(200001);
       },
       false},
      {"face index = real vertices", [](auto& m) { m.faces[1][2] = 4; }, false},
      {"binding bone = bones", [](auto& m) { m.bindings[1].bone = 2; }, false},
      {"binding past the real vertices", [](auto& m) { m.bindings[1].firstVertex = 3; }, false},
      {"binding's vertices wrap round", [](auto& m) { m.bindings[1].firstVertex = ~0U; }, false},
      {"binding past the blends", [](auto& m) { m.bindings[1].firstBlend = 1; }, false},
      {"binding's blends wrap round",
       [](auto& m) {
         m.bindings[1].firstBlend = 1;
         m.bindings[1].blendCount = ~0U;
       },
       false},
      {"no first blend, any count", [](auto& m) { m.bindings[0].blendCount = 7; }, true},
      {"blend target = real vertices", [](auto& m) { m.blends[0].targetVertex = 4; }, false},
      {"a vertex too many", [](auto& m) { m.vertices.push_back({}); }, false},
      {"a vertex too few", [](auto& m) { m.vertices.pop_back(); }, false},
      {"position -1000", [](auto& m) { m.vertices[0].position[0] = -1000; }, true},
      {"position 1000.5", [](auto& m) { m.vertices[0].position[1] = 1000.5f; }, false},
      {"position not a number", [=](auto& m) { m.vertices[2].position[2] = nan; }, false},
      {"normal infinite", [=](auto& m) { m.vertices[4].normal[2] = -infinity; }, false},
      {"uv -1001", [](auto& m) { m.uvs[3][1] = -1001; }, false},
  };
  for (const auto& [damage, change, accepted] : cases) {
    SCOPED_TRACE(damage);
    MeshSpec mesh = SmallBodyMesh();
    change(mesh);
    EXPECT_EQ(ReadBinaryMesh(BinaryMesh(mesh)).has_value(), accepted);
    EXPECT_EQ(ReadTextMesh(TextMesh(mesh)).has_value(), accepted);
  }
}

// Catches a count reserved before it is checked against what is left (a face count of 2^32 - 1
// would ask for 48 GB), a mesh cut short read as whole, and a text record with a number too many.
TEST(Mesh, CountsPastTheEndAndCutMeshesAreRefused) {
  const Bytes binary = BinaryMesh(SmallBodyMesh());
  const Bytes text = TextMesh(SmallBodyMesh());
  const std::size_t faceCount = binary.find("L_LEG") + 5;
  const std::size_t faceLine = text.find("L_LEG\n") + 6;
  const std::optional<Mesh> nothing[] = {
      ReadBinaryMesh(Bytes(binary).replace(faceCount, 4, U32(0xFFFFFFFF))),
      ReadTextMesh(Bytes(text).replace(faceLine, 1, "4294967295")),
      ReadBinaryMesh(binary.substr(0, binary.size() - 1)),
      ReadTextMesh(text.substr(0, text.rfind("0.5 0.25 0"))),
      ReadTextMesh(Bytes(text).replace(text.find("0 2 1\n"), 5, "0 2 1 0")),
  };
  for (const std::optional<Mesh>& read : nothing) EXPECT_EQ(Describe(read), "nothing");
}

}  // namespace
}  // namespace quill::content
