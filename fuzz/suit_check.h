// SPDX-License-Identifier: GPL-3.0-or-later
// What both suit-file targets hold a file read to: no more skeletons, bones, suits or skins than
// the input has room for, and no more string bytes than it has.
#pragma once

#include <cstddef>
#include <optional>

#include "content/suit_file.h"
#include "fuzz_check.h"

namespace quill::fuzz {

// The least room a bone and a skin take in the form read, in bytes.
struct SuitRoom {
  std::size_t bone;
  std::size_t skin;
};

inline void CheckSuitFile(const std::optional<content::SuitFile>& file, std::size_t size,
                          SuitRoom room) {
  if (!file) return;
  std::size_t bones = 0;
  std::size_t skins = 0;
  std::size_t stringBytes = 0;
  for (const content::Skeleton& skeleton : file->skeletons) {
    stringBytes += skeleton.name.size();
    for (const content::Bone& bone : skeleton.bones) {
      ++bones;
      stringBytes += bone.name.size() + bone.parent.size();
      for (const content::PropertyList& list : bone.properties) {
        for (const content::Property& property : list) {
          stringBytes += property.key.size() + property.value.size();
        }
      }
    }
  }
  for (const content::Suit& suit : file->suits) {
    stringBytes += suit.name.size();
    for (const content::Skin& skin : suit.skins) {
      ++skins;
      stringBytes += skin.bone.size() + skin.mesh.size();
    }
  }
  FUZZ_REQUIRE(file->skeletons.size() + file->suits.size() <= size);
  FUZZ_REQUIRE(bones * room.bone <= size + 1);
  FUZZ_REQUIRE(skins * room.skin <= size + 1);
  FUZZ_REQUIRE(stringBytes <= size);
}

}  // namespace quill::fuzz
