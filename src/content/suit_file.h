// SPDX-License-Identifier: GPL-3.0-or-later
// Suit files, which name the meshes that dress each part of a Sim: text (.cmx) or binary (.bcf,
// .cmx.bcf), holding skeletons, then suits, then skills (animations). Strings are Latin-1 bytes,
// kept as they are.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quill::content {

struct Property {
  std::string key;
  std::string value;
};
using PropertyList = std::vector<Property>;

struct Bone {
  std::string name;
  std::string parent;  // "NULL" for the root
  std::vector<PropertyList> properties;
  std::array<float, 3> position{};
  std::array<float, 4> rotation{};  // quaternion x, y, z, w
  std::uint32_t canTranslate = 0;
  std::uint32_t canRotate = 0;
  std::uint32_t canBlend = 0;
  float wiggleValue = 0;
  float wigglePower = 0;
};

struct Skeleton {
  std::string name;
  std::vector<Bone> bones;
};

// One part of a suit: the mesh bound to a bone.
struct Skin {
  std::string bone;
  std::string mesh;
  std::uint32_t censorFlags = 0;
};

struct Suit {
  std::string name;
  std::uint32_t type = 0;
  std::vector<Skin> skins;
};

struct SuitFile {
  std::vector<Skeleton> skeletons;
  std::vector<Suit> suits;
  // Whether the skills after the suits were read to the file's end; suits read before a damaged
  // skill still count.
  bool skillsRead = false;
};

// A binary suit file. Nothing when its skeletons or suits run past its end.
std::optional<SuitFile> ReadBinarySuitFile(std::string_view bytes);

// A text suit file: a "//" comment line, "version 300" (or 200), then one value per line, vectors
// as "| x y z |". Nothing when it is not one, or its skeletons or suits are cut short.
std::optional<SuitFile> ReadTextSuitFile(std::string_view text);

// Whether the bytes are a text suit file's (they start with its "//" comment line).
bool IsTextSuitFile(std::string_view bytes);

}  // namespace quill::content
