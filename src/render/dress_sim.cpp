// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/dress_sim.h"

#include <optional>
#include <string>

#include "render/skin_texture.h"

namespace quill::render {

namespace {

constexpr int kHead = 2;
constexpr int kCostume = 27;

// Whether a part is worn in `outfit`: its body, the head, and the hands that go with it.
bool Worn(const content::PartCheck& part, int outfit) {
  if (part.string == outfit || part.string == kHead) return true;
  if (outfit == kCostume) return part.string == 28 || part.string == 29;
  return part.string >= 17 && part.string <= 22 && part.part.ends_with("(open)");
}

QImage Texture(const content::SkinsCheck& skins, const content::ContentEntry& entry) {
  const std::optional<std::string> bytes = skins.index().Read(entry);
  if (!bytes) return {};
  return SkinTexture(*bytes,
                     entry.name.ends_with(".tga") ? TextureForm::Targa : TextureForm::Bitmap);
}

}  // namespace

std::vector<DrawnPart> DressedSim::parts() const {
  std::vector<DrawnPart> parts;
  for (std::size_t i = 0; i < meshes.size(); ++i) parts.push_back({&meshes[i], textures[i]});
  return parts;
}

DressedSim DressSim(content::SkinsCheck& skins, const BodyLooks& looks, int outfit) {
  DressedSim sim;
  const content::Skeleton* skeleton = skins.SkeletonNamed(looks.skeleton);
  if (skeleton == nullptr) return sim;
  const std::optional<std::vector<Matrix>> worlds = BoneWorlds(*skeleton);
  if (!worlds) return sim;
  for (const content::PartCheck& part : skins.Check(looks).parts) {
    if (!Worn(part, outfit)) continue;
    for (const content::SkinFiles& skin : part.skins) {
      if (skin.mesh == nullptr || !skin.shown) continue;
      const std::optional<content::Mesh> mesh = skins.WholeMesh(*skin.mesh);
      std::optional<PosedMesh> posed = mesh ? PoseMesh(*skeleton, *worlds, *mesh) : std::nullopt;
      if (!posed) continue;
      sim.meshes.push_back(std::move(*posed));
      sim.textures.push_back(skin.texture != nullptr ? Texture(skins, *skin.texture) : QImage());
    }
  }
  return sim;
}

}  // namespace quill::render
