// SPDX-License-Identifier: GPL-3.0-or-later
// Posing and drawing: a skeleton from a binary suit file and a small mesh made from the bytes
// after it, posed and drawn 32 × 32. Every world, position and normal posed is finite, every
// triangle's corners are the mesh's, and the picture has the size asked for.
//
// Input: a 16-bit little-endian length, that many bytes of binary suit file (its first skeleton is
// used), then the mesh (as ReadMesh reads it), then the view's yaw, pitch and zoom as raw floats.
// Bytes missing at the end read as zeros.
#include <QColor>
#include <QImage>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "content/suit_file.h"
#include "fuzz_check.h"
#include "render/draw_sim.h"
#include "render/pose.h"

namespace {

using namespace quill;

class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}
  std::uint8_t u8() {
    if (bytes_.empty()) return 0;
    const auto value = static_cast<std::uint8_t>(bytes_.front());
    bytes_.remove_prefix(1);
    return value;
  }
  std::int16_t i16() {
    const std::uint32_t low = u8();
    const std::uint32_t high = u8();
    return static_cast<std::int16_t>(low | high << 8);
  }
  std::uint32_t u32() {
    const std::uint32_t low = std::uint16_t(i16());
    const std::uint32_t high = std::uint16_t(i16());
    return low | high << 16;
  }
  float f32() {
    const std::uint32_t bits = u32();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  std::string_view take(std::size_t count) {
    const std::string_view taken = bytes_.substr(0, count);
    bytes_.remove_prefix(taken.size());
    return taken;
  }

 private:
  std::string_view bytes_;
};

// Each count a byte, taken modulo one more than its bound; coordinates 16-bit
// in 1/256 (within the bound a read mesh keeps), normals' components 8-bit in 1/64, texture
// places 8-bit in 1/128; indices a byte each, so that some fall outside what they index.
content::Vertex ReadVertex(ByteReader& in) {
  content::Vertex vertex;
  for (float& value : vertex.position) value = float(in.i16()) / 256;
  for (float& value : vertex.normal) value = float(static_cast<std::int8_t>(in.u8())) / 64;
  return vertex;
}

content::Mesh ReadMesh(ByteReader& in, const content::Skeleton& skeleton) {
  content::Mesh mesh;
  for (int bones = in.u8() % 5; bones > 0; --bones) {
    const std::size_t bone = in.u8();
    mesh.bones.push_back(bone < skeleton.bones.size() ? skeleton.bones[bone].name : "NONE");
  }
  for (int vertices = in.u8() % 33; vertices > 0; --vertices) {
    mesh.vertices.push_back(ReadVertex(in));
    mesh.uvs.push_back({float(in.u8()) / 128, float(in.u8()) / 128});
  }
  for (int blends = in.u8() % 9; blends > 0; --blends) {
    mesh.blends.push_back({static_cast<std::int32_t>(in.u32()), in.u8()});
    mesh.vertices.push_back(ReadVertex(in));
  }
  for (int bindings = in.u8() % 5; bindings > 0; --bindings) {
    mesh.bindings.push_back(
        {in.u8(), in.u8(), in.u8(), static_cast<std::int8_t>(in.u8()), in.u8()});
  }
  for (int faces = in.u8() % 33; faces > 0; --faces) {
    mesh.faces.push_back({in.u8(), in.u8(), in.u8()});
  }
  return mesh;
}

bool Finite(const std::array<float, 3>& v) {
  return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes = fuzz::AsBytes(data, size);
  ByteReader in(bytes);
  const std::size_t suitLength = std::uint16_t(in.i16());
  const std::optional<content::SuitFile> suits = content::ReadBinarySuitFile(in.take(suitLength));
  if (!suits || suits->skeletons.empty()) return 0;
  const content::Skeleton& skeleton = suits->skeletons.front();
  const content::Mesh mesh = ReadMesh(in, skeleton);
  const render::View view{in.f32(), in.f32(), in.f32()};

  const std::optional<std::vector<render::Matrix>> worlds = render::BoneWorlds(skeleton);
  if (!worlds) return 0;
  FUZZ_REQUIRE(worlds->size() == skeleton.bones.size());
  for (const render::Matrix& world : *worlds) {
    for (const auto& column : world) FUZZ_REQUIRE(Finite({column[0], column[1], column[2]}));
  }
  const std::optional<render::PosedMesh> posed = render::PoseMesh(skeleton, *worlds, mesh);
  if (!posed) return 0;
  FUZZ_REQUIRE(posed->positions.size() == mesh.uvs.size());
  FUZZ_REQUIRE(posed->normals.size() == mesh.uvs.size());
  FUZZ_REQUIRE(posed->triangles.size() == mesh.faces.size());
  for (std::size_t v = 0; v < posed->positions.size(); ++v) {
    FUZZ_REQUIRE(Finite(posed->positions[v]) && Finite(posed->normals[v]));
  }
  for (const auto& triangle : posed->triangles) {
    for (const std::uint32_t corner : triangle) FUZZ_REQUIRE(corner < posed->positions.size());
  }
  QImage texture(2, 2, QImage::Format_RGB32);
  texture.fill(Qt::white);
  const QImage picture =
      render::DrawSim({{&*posed, {}}, {&*posed, texture}}, QSize(32, 32), view, Qt::black);
  FUZZ_REQUIRE(picture.size() == QSize(32, 32));
  return 0;
}
