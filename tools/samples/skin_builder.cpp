// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin_builder.h"

#include <bit>
#include <charconv>
#include <fstream>
#include <stdexcept>

namespace quill::testdata {

namespace {

Bytes U32(std::uint32_t value) {
  return LittleEndian32(static_cast<std::int32_t>(value));
}

// Suit-file values as the binary form writes them: little-endian numbers, and strings after a
// length byte (255 and a 32-bit length when longer).
class BinaryWriter {
 public:
  void string(const std::string& text) {
    if (text.size() < 255) {
      bytes_ += static_cast<char>(text.size());
    } else {
      bytes_.append("\xFF").append(U32(static_cast<std::uint32_t>(text.size())));
    }
    bytes_ += text;
  }
  void u32(std::uint32_t value) { bytes_ += U32(value); }
  void i32(std::int32_t value) { bytes_ += LittleEndian32(value); }
  void f32(float value) { u32(std::bit_cast<std::uint32_t>(value)); }
  template <std::size_t N>
  void floats(const std::array<float, N>& values) {
    for (const float value : values) f32(value);
  }
  Bytes bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

// The shortest decimal that reads back as the same float.
std::string Number(float value) {
  char digits[32];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  return std::string(digits, result.ptr);
}

// The same values one a line, with vectors as "| x y z |".
class TextWriter {
 public:
  TextWriter() { text_ = "// made by the skin-file builder\nversion 300\n"; }
  void string(const std::string& text) { text_.append(text).append("\n"); }
  void u32(std::uint32_t value) { string(std::to_string(value)); }
  void i32(std::int32_t value) { string(std::to_string(value)); }
  void f32(float value) { string(Number(value)); }
  template <std::size_t N>
  void floats(const std::array<float, N>& values) {
    std::string line = "|";
    for (const float value : values) line.append(" ").append(Number(value));
    string(line.append(" |"));
  }
  Bytes bytes() const { return text_; }

 private:
  Bytes text_;
};

// Mesh values in either form: strings and counts, then records of numbers, which the binary form
// writes as fields one after another and the text form as one line each.
class BinaryMeshWriter {
 public:
  static constexpr bool kBlendTargetFirst = false;
  void string(const std::string& text) { out_.string(text); }
  void count(std::size_t count) { out_.u32(static_cast<std::uint32_t>(count)); }
  void u32(std::uint32_t value) { out_.u32(value); }
  void i32(std::int32_t value) { out_.i32(value); }
  void f32(float value) { out_.f32(value); }
  void end() {}
  Bytes bytes() const { return out_.bytes(); }

 private:
  BinaryWriter out_;
};

class TextMeshWriter {
 public:
  static constexpr bool kBlendTargetFirst = true;
  void string(const std::string& text) { text_.append(text).append("\n"); }
  void count(std::size_t count) { string(std::to_string(count)); }
  void u32(std::uint32_t value) { field(std::to_string(value)); }
  void i32(std::int32_t value) { field(std::to_string(value)); }
  void f32(float value) { field(Number(value)); }
  void end() {
    string(line_);
    line_.clear();
  }
  Bytes bytes() const { return text_; }

 private:
  void field(const std::string& number) { line_.append(line_.empty() ? "" : " ").append(number); }
  std::string line_;
  Bytes text_;
};

template <typename Out>
void WritePropertyList(Out& out, const std::string& key, const std::string& value) {
  out.u32(1);
  out.string(key);
  out.string(value);
}

template <typename Out>
void WriteBone(Out& out, const BoneSpec& bone) {
  out.string(bone.name);
  out.string(bone.parent);
  out.u32(bone.property ? 1 : 0);
  if (bone.property) WritePropertyList(out, bone.property->first, bone.property->second);
  out.floats(bone.position);
  out.floats(bone.rotation);
  out.u32(bone.parent == "NULL" ? 1 : 0);  // only the root moves
  out.u32(1);                              // turns
  out.u32(0);                              // blends
  out.f32(0);                              // wiggle value
  out.f32(2);                              // wiggle power
}

// A made-up skill of one motion, with one property list and one timed property list.
template <typename Out>
void WriteSkill(Out& out, int number) {
  const std::string name = "skill-" + std::to_string(number);
  out.string(name);
  out.string(name + "-animation");
  out.f32(1.5f);  // duration
  out.f32(0);     // distance
  out.u32(1);     // moves
  out.u32(2);     // positions
  out.u32(2);     // rotations
  out.u32(1);     // motions
  out.string("ROOT");
  out.u32(2);     // frames
  out.f32(1.5f);  // duration
  out.u32(1);     // has positions
  out.u32(1);     // has rotations
  out.i32(0);     // first position
  out.i32(0);     // first rotation
  out.u32(1);
  WritePropertyList(out, "step", "left");
  out.u32(1);
  out.u32(750);  // time
  WritePropertyList(out, "sound", "step");
}

template <typename Out>
Bytes WriteSuitFile(Out out, const SuitFileSpec& description) {
  out.u32(static_cast<std::uint32_t>(description.skeletons.size()));
  for (const SkeletonSpec& skeleton : description.skeletons) {
    out.string(skeleton.name);
    out.u32(static_cast<std::uint32_t>(skeleton.bones.size()));
    for (const BoneSpec& bone : skeleton.bones) WriteBone(out, bone);
  }
  out.u32(static_cast<std::uint32_t>(description.suits.size()));
  for (const SuitSpec& suit : description.suits) {
    out.string(suit.name);
    out.u32(suit.type);
    out.u32(0);  // unknown
    out.u32(static_cast<std::uint32_t>(suit.skins.size()));
    for (const SkinSpec& skin : suit.skins) {
      out.string(skin.bone);
      out.string(skin.mesh);
      out.u32(skin.censorFlags);
      out.u32(0);  // unknown
    }
  }
  out.u32(static_cast<std::uint32_t>(description.skills));
  for (int skill = 0; skill < description.skills; ++skill) WriteSkill(out, skill);
  return out.bytes();
}

template <typename Out>
Bytes WriteMesh(Out out, const MeshSpec& mesh) {
  out.string(mesh.name);
  out.string(mesh.defaultTexture);
  out.count(mesh.bones.size());
  for (const std::string& bone : mesh.bones) out.string(bone);
  out.count(mesh.faces.size());
  for (const auto& face : mesh.faces) {
    for (const std::uint32_t index : face) out.u32(index);
    out.end();
  }
  out.count(mesh.bindings.size());
  for (const MeshBindingSpec& binding : mesh.bindings) {
    out.u32(binding.bone);
    out.u32(binding.firstVertex);
    out.u32(binding.vertexCount);
    out.i32(binding.firstBlend);
    out.u32(binding.blendCount);
    out.end();
  }
  out.count(mesh.uvs.size());
  for (const auto& uv : mesh.uvs) {
    for (const float value : uv) out.f32(value);
    out.end();
  }
  out.count(mesh.blends.size());
  for (const MeshBlendSpec& blend : mesh.blends) {
    if constexpr (Out::kBlendTargetFirst) {
      out.u32(blend.targetVertex);
      out.i32(blend.weight);
    } else {
      out.i32(blend.weight);
      out.u32(blend.targetVertex);
    }
    out.end();
  }
  out.count(mesh.vertices.size());
  for (const MeshVertexSpec& vertex : mesh.vertices) {
    for (const float value : vertex.position) out.f32(value);
    for (const float value : vertex.normal) out.f32(value);
    out.end();
  }
  return out.bytes();
}

MeshSpec HeaderOnly(const std::string& name, const std::string& defaultTexture) {
  MeshSpec mesh;
  mesh.name = name;
  mesh.defaultTexture = defaultTexture;
  return mesh;
}

}  // namespace

Bytes FarArchive(const std::vector<ArchiveFile>& files) {
  Bytes contents;
  Bytes manifest = U32(static_cast<std::uint32_t>(files.size()));
  for (const ArchiveFile& file : files) {
    const Bytes size = U32(static_cast<std::uint32_t>(file.bytes.size()));
    manifest.append(size).append(size).append(
        U32(static_cast<std::uint32_t>(16 + contents.size())));
    manifest.append(U32(static_cast<std::uint32_t>(file.name.size()))).append(file.name);
    contents += file.bytes;
  }
  return "FAR!byAZ"_b.append(U32(1))
      .append(U32(static_cast<std::uint32_t>(16 + contents.size())))
      .append(contents)
      .append(manifest);
}

Bytes BinarySuitFile(const SuitFileSpec& description) {
  return WriteSuitFile(BinaryWriter(), description);
}

Bytes TextSuitFile(const SuitFileSpec& description) {
  return WriteSuitFile(TextWriter(), description);
}

Bytes BinaryMesh(const MeshSpec& description) {
  return WriteMesh(BinaryMeshWriter(), description);
}

Bytes TextMesh(const MeshSpec& description) {
  return WriteMesh(TextMeshWriter(), description);
}

Bytes BinaryMesh(const std::string& name, const std::string& defaultTexture) {
  return BinaryMesh(HeaderOnly(name, defaultTexture));
}

Bytes TextMesh(const std::string& name, const std::string& defaultTexture) {
  return TextMesh(HeaderOnly(name, defaultTexture));
}

MeshSpec SmallBodyMesh() {
  const std::array<float, 3> facingViewer{0, 0, 1};
  return {"xskin-small-PELVIS-BODY",
          "small-lgt",
          {"PELVIS", "L_LEG"},
          {{0, 2, 1}, {1, 2, 3}},
          {{0, 0, 2, -1, 0}, {1, 2, 2, 0, 1}},
          {{0, 0}, {1, 0}, {0, 1}, {1, 1}},
          {{0x4000, 1}},
          {{{-0.5f, 1, 0}, facingViewer},
           {{0.5f, 1, 0}, facingViewer},
           {{-0.5f, 0, 0}, facingViewer},
           {{0.5f, 0, 0}, facingViewer},
           {{0.5f, 0.25f, 0}, facingViewer}}};
}

Bytes PaletteBitmap(int width, int height) {
  std::vector<Rgb> greys;
  for (int grey = 0; grey < 256; ++grey) {
    greys.push_back({std::uint8_t(grey), std::uint8_t(grey), std::uint8_t(grey)});
  }
  return PaletteBitmap(width, height, greys, [height](int x, int y) {
    return static_cast<std::uint8_t>((x + height - 1 - y) & 0xFF);
  });
}

Bytes PaletteBitmap(int width, int height, const std::vector<Rgb>& palette,
                    const std::function<std::uint8_t(int x, int y)>& entry) {
  const int stride = (width + 3) / 4 * 4;
  const int offset = 14 + 40 + 256 * 4;
  const int pixelBytes = stride * height;
  Bytes file = "BM"_b.append(LittleEndian32(offset + pixelBytes))
                   .append(LittleEndian32(0))
                   .append(LittleEndian32(offset))
                   .append(LittleEndian32(40))
                   .append(LittleEndian32(width))
                   .append(LittleEndian32(height))
                   .append(LittleEndian16(1))
                   .append(LittleEndian16(8))
                   .append(LittleEndian32(0))  // uncompressed
                   .append(LittleEndian32(pixelBytes))
                   .append(LittleEndian32(2835))
                   .append(LittleEndian32(2835))
                   .append(LittleEndian32(256))
                   .append(LittleEndian32(0));
  for (std::size_t i = 0; i < 256; ++i) {
    const Rgb colour = i < palette.size() ? palette[i] : Rgb{};
    file.append(Hex({colour.b, colour.g, colour.r, 0}));
  }
  for (int y = height - 1; y >= 0; --y) {  // bottom-up, as the format stores rows
    for (int x = 0; x < stride; ++x) file += static_cast<char>(x < width ? entry(x, y) : 0);
  }
  return file;
}

Bytes StripedTarga(int width, int height, bool runLength) {
  Bytes file = Hex({0, 1, runLength ? 9 : 1});
  file.append(LittleEndian16(0))  // the colour map's first index
      .append(LittleEndian16(2))  // its length
      .append(Hex({24}))
      .append(LittleEndian32(0))  // origin
      .append(LittleEndian16(static_cast<std::uint16_t>(width)))
      .append(LittleEndian16(static_cast<std::uint16_t>(height)))
      .append(Hex({8, runLength ? 0x20 : 0}))
      .append(Hex({0, 0, 255, 255, 0, 0}));  // red, blue: stored blue first
  for (int row = 0; row < height; ++row) {
    const int stripe = runLength ? row % 2 : (height - 1 - row) % 2;
    if (runLength) {
      file.append(Hex({0x80 | (width - 1), stripe}));
    } else {
      file.append(Bytes(static_cast<std::size_t>(width), static_cast<char>(stripe)));
    }
  }
  return file;
}

Bytes TrueColourBitmap(int width, int height) {
  return Bitmap(width, height, Rgb{200, 180, 160});
}

void WriteGameFile(const std::filesystem::path& file, const Bytes& bytes) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace quill::testdata
