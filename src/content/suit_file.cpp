// SPDX-License-Identifier: GPL-3.0-or-later
// One walk over a suit file's values serves both forms: a binary file's cursor and a text file's
// lines each give strings, numbers, vectors and counts, each count checked against what is left.
#include "content/suit_file.h"

#include "chunkfile/byte_cursor.h"
#include "content/text_lines.h"

namespace quill::content {

namespace {

// The least an item can take in each form: its fixed fields, every string empty and every list
// without items.
struct Least {
  std::size_t bytes;
  std::size_t lines;
};
constexpr Least kSkeletonLeast{1 + 4, 2};
constexpr Least kBoneLeast{1 + 1 + 4 + 3 * 4 + 4 * 4 + 3 * 4 + 2 * 4, 10};
constexpr Least kPropertyListLeast{4, 1};
constexpr Least kPropertyLeast{1 + 1, 2};
constexpr Least kSuitLeast{1 + 4 + 4 + 4, 4};
constexpr Least kSkinLeast{1 + 1 + 4 + 4, 4};
constexpr Least kSkillLeast{1 + 1 + 2 * 4 + 4 * 4, 8};
constexpr Least kMotionLeast{1 + 4 + 4 + 4 * 4 + 4 + 4, 9};
constexpr Least kTimePropertyLeast{4 + 4, 2};

class BinaryValues {
 public:
  explicit BinaryValues(std::string_view bytes) : in_(bytes) {}
  std::string string() { return in_.string(); }
  std::uint32_t u32() { return in_.u32(); }
  std::int32_t i32() { return in_.i32(); }
  float f32() { return in_.f32(); }
  template <std::size_t N>
  std::array<float, N> floats() {
    std::array<float, N> values{};
    for (float& value : values) value = in_.f32();
    return values;
  }
  std::size_t count(Least least) { return in_.count(least.bytes); }

 private:
  ByteCursor in_;
};

class TextValues {
 public:
  explicit TextValues(TextLines& lines) : in_(lines) {}
  std::string string() { return in_.string(); }
  std::uint32_t u32() { return in_.u32(); }
  std::int32_t i32() { return in_.i32(); }
  float f32() { return in_.f32(); }
  template <std::size_t N>
  std::array<float, N> floats() {
    return in_.floats<N>();
  }
  std::size_t count(Least least) { return in_.count(least.lines); }

 private:
  TextLines& in_;
};

template <typename In>
PropertyList ReadPropertyList(In& in) {
  PropertyList list(in.count(kPropertyLeast));
  for (Property& property : list) {
    property.key = in.string();
    property.value = in.string();
  }
  return list;
}

template <typename In>
std::vector<PropertyList> ReadPropertyLists(In& in) {
  std::vector<PropertyList> lists(in.count(kPropertyListLeast));
  for (PropertyList& list : lists) list = ReadPropertyList(in);
  return lists;
}

template <typename In>
Bone ReadBone(In& in) {
  Bone bone;
  bone.name = in.string();
  bone.parent = in.string();
  bone.properties = ReadPropertyLists(in);
  bone.position = in.template floats<3>();
  bone.rotation = in.template floats<4>();
  bone.canTranslate = in.u32();
  bone.canRotate = in.u32();
  bone.canBlend = in.u32();
  bone.wiggleValue = in.f32();
  bone.wigglePower = in.f32();
  return bone;
}

template <typename In>
Skeleton ReadSkeleton(In& in) {
  Skeleton skeleton;
  skeleton.name = in.string();
  skeleton.bones.resize(in.count(kBoneLeast));
  for (Bone& bone : skeleton.bones) bone = ReadBone(in);
  return skeleton;
}

template <typename In>
Suit ReadSuit(In& in) {
  Suit suit;
  suit.name = in.string();
  suit.type = in.u32();
  in.u32();  // unknown
  suit.skins.resize(in.count(kSkinLeast));
  for (Skin& skin : suit.skins) {
    skin.bone = in.string();
    skin.mesh = in.string();
    skin.censorFlags = in.u32();
    in.u32();  // unknown
  }
  return suit;
}

template <typename In>
void SkipMotion(In& in) {
  in.string();  // bone
  in.u32();     // frames
  in.f32();     // duration
  in.u32();     // has position
  in.u32();     // has rotation
  in.i32();     // position offset
  in.i32();     // rotation offset
  ReadPropertyLists(in);
  for (std::size_t k = in.count(kTimePropertyLeast); k > 0; --k) {
    in.u32();  // time
    ReadPropertyList(in);
  }
}

// A skill's values are read only to reach the file's end; nothing of them is kept.
template <typename In>
void SkipSkills(In& in) {
  for (std::size_t skill = in.count(kSkillLeast); skill > 0; --skill) {
    in.string();  // name
    in.string();  // the animation file's name
    in.f32();     // duration
    in.f32();     // distance
    in.u32();     // moves
    in.u32();     // position count
    in.u32();     // rotation count
    for (std::size_t motion = in.count(kMotionLeast); motion > 0; --motion) SkipMotion(in);
  }
}

template <typename In>
std::optional<SuitFile> ReadSuitFile(In& in) {
  SuitFile file;
  try {
    file.skeletons.resize(in.count(kSkeletonLeast));
    for (Skeleton& skeleton : file.skeletons) skeleton = ReadSkeleton(in);
    file.suits.resize(in.count(kSuitLeast));
    for (Suit& suit : file.suits) suit = ReadSuit(in);
  } catch (const ChunkFailure&) {
    return std::nullopt;
  }
  // Skills are where the layout is least sure: a skill read wrong loses only the skills.
  try {
    SkipSkills(in);
    file.skillsRead = true;
  } catch (const ChunkFailure&) {
    file.skillsRead = false;
  }
  return file;
}

}  // namespace

std::optional<SuitFile> ReadBinarySuitFile(std::string_view bytes) {
  BinaryValues in(bytes);
  return ReadSuitFile(in);
}

bool IsTextSuitFile(std::string_view bytes) {
  return bytes.starts_with("//");
}

std::optional<SuitFile> ReadTextSuitFile(std::string_view text) {
  if (!IsTextSuitFile(text)) return std::nullopt;
  TextLines lines(text);
  try {
    lines.line();  // the comment
    const std::string_view version = lines.line();
    if (version != "version 300" && version != "version 200") return std::nullopt;
  } catch (const ChunkFailure&) {
    return std::nullopt;
  }
  TextValues in(lines);
  return ReadSuitFile(in);
}

}  // namespace quill::content
