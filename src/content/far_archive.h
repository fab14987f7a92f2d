// SPDX-License-Identifier: GPL-3.0-or-later
// FAR archives (version 1a), in which the game and downloads keep skins: a 16-byte header naming
// where the manifest lies, the entries' bytes, then the manifest. Only the manifest is read to
// know what an archive holds; an entry's bytes are read when a Sim needs them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quill::content {

inline constexpr std::size_t kFarHeaderSize = 16;

struct FarEntry {
  std::string storedName;  // as the manifest holds it, folders and all; never used as a path
  std::uint32_t offset = 0;
  std::uint32_t size = 0;
};

struct FarManifest {
  std::vector<FarEntry> entries;
  // One line per entry refused (its bytes past the end, over the header or the manifest), for
  // the player: the entry's shown name and why.
  std::vector<std::string> refused;
};

// The manifest's offset from an archive's first bytes: nothing unless `start` begins with
// "FAR!byAZ" and version 1 and the offset lies inside a file of `fileSize` bytes, past the header.
std::optional<std::uint32_t> ReadFarHeader(std::string_view start, std::uint64_t fileSize);

// The entries of a manifest: `manifest` is the archive's bytes from `manifestOffset` to its end.
// Nothing when the count or a name runs past those bytes. Each entry's bytes must lie between
// the header and the manifest; others are refused, the rest kept.
std::optional<FarManifest> ReadFarManifest(std::string_view manifest, std::uint32_t manifestOffset);

// The name by which the game finds an entry: the stored name's last part (after any '/' or
// '\\'), ASCII letters folded to lower case.
std::string MatchedEntryName(std::string_view storedName);

}  // namespace quill::content
