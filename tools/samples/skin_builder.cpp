// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin_builder.h"

#include <bit>
#include <charconv>

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
  // The shortest decimal that reads back as the same float.
  static std::string Number(float value) {
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    return std::string(digits, result.ptr);
  }
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

Bytes BinaryMesh(const std::string& name, const std::string& defaultTexture) {
  BinaryWriter out;
  out.string(name);
  out.string(defaultTexture);
  return out.bytes();
}

Bytes TextMesh(const std::string& name, const std::string& defaultTexture) {
  return Bytes(name).append("\n").append(defaultTexture).append("\n");
}

Bytes PaletteBitmap(int width, int height) {
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
  for (int grey = 0; grey < 256; ++grey) file.append(Hex({grey, grey, grey, 0}));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < stride; ++x) file += static_cast<char>(x < width ? (x + y) & 0xFF : 0);
  }
  return file;
}

Bytes TrueColourBitmap(int width, int height) {
  return Bitmap(width, height, Rgb{200, 180, 160});
}

}  // namespace quill::testdata
