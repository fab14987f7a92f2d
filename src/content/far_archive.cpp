// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/far_archive.h"

#include "chunkfile/byte_cursor.h"
#include "chunkfile/chunk_walk.h"
#include "platform/text.h"

namespace quill::content {

namespace {

constexpr std::string_view kFarMagic = "FAR!byAZ";
constexpr std::uint32_t kFarVersion = 1;
// Two sizes, the offset and the name's length; the name may be empty.
constexpr std::size_t kLeastEntryBytes = 16;

// Why an entry's bytes cannot be taken from the archive, or nothing when they can.
std::optional<std::string_view> WhyRefused(std::uint32_t size, std::uint32_t sizeAgain,
                                           std::uint32_t offset, std::uint32_t manifestOffset) {
  // The manifest states each size twice. Archives seen so far always agree; one that does not is
  // taken as damaged rather than guessing which of the two is right.
  if (size != sizeAgain) return "its two sizes differ";
  if (offset < kFarHeaderSize) return "it starts inside the archive's header";
  if (std::uint64_t{offset} + size > manifestOffset) return "its bytes run past the manifest";
  return std::nullopt;
}

}  // namespace

std::optional<std::uint32_t> ReadFarHeader(std::string_view start, std::uint64_t fileSize) {
  if (start.size() < kFarHeaderSize || !start.starts_with(kFarMagic)) return std::nullopt;
  ByteCursor in(start.substr(kFarMagic.size()));
  if (in.u32() != kFarVersion) return std::nullopt;
  const std::uint32_t manifestOffset = in.u32();
  // The manifest needs room for its count at least.
  if (manifestOffset < kFarHeaderSize || std::uint64_t{manifestOffset} + 4 > fileSize) {
    return std::nullopt;
  }
  return manifestOffset;
}

std::optional<FarManifest> ReadFarManifest(std::string_view manifest,
                                           std::uint32_t manifestOffset) {
  FarManifest read;
  try {
    ByteCursor in(manifest);
    const std::size_t count = in.count(kLeastEntryBytes);
    read.entries.reserve(count);
    for (std::size_t k = 0; k < count; ++k) {
      const std::uint32_t size = in.u32();
      const std::uint32_t sizeAgain = in.u32();
      const std::uint32_t offset = in.u32();
      std::string name(in.take(in.u32()));
      if (const auto why = WhyRefused(size, sizeAgain, offset, manifestOffset)) {
        std::string line = platform::ShownName(
            Cp1252ToUtf8(std::string_view(name).substr(0, platform::kNameLimit + 1)));
        read.refused.push_back(line.append(": ").append(*why));
      } else {
        read.entries.push_back({std::move(name), offset, size});
      }
    }
  } catch (const ChunkFailure&) {
    return std::nullopt;
  }
  return read;
}

std::string MatchedEntryName(std::string_view storedName) {
  const std::size_t folder = storedName.find_last_of("/\\");
  if (folder != std::string_view::npos) storedName.remove_prefix(folder + 1);
  return platform::AsciiLowerCase(storedName);
}

}  // namespace quill::content
