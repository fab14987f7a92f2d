// SPDX-License-Identifier: GPL-3.0-or-later
// The FAR archive reader: the header from the input's first bytes, then the manifest it points
// to. Every entry kept lies between the header and the manifest, every refused one is named in a
// line fit to show, and the matched names are the stored names without their folders, lower-cased.
#include <cstddef>
#include <cstdint>
#include <string>

#include "content/far_archive.h"
#include "fuzz_check.h"
#include "platform/text.h"

namespace {

using namespace quill::content;

void CheckEntry(const FarEntry& entry, std::uint32_t manifestOffset, std::size_t manifestSize) {
  FUZZ_REQUIRE(entry.offset >= kFarHeaderSize);
  FUZZ_REQUIRE(std::uint64_t{entry.offset} + entry.size <= manifestOffset);
  FUZZ_REQUIRE(entry.storedName.size() <= manifestSize);
  const std::string matched = MatchedEntryName(entry.storedName);
  FUZZ_REQUIRE(matched.find_first_of("/\\") == std::string::npos);
  FUZZ_REQUIRE(matched.size() <= entry.storedName.size());
  FUZZ_REQUIRE(quill::platform::AsciiLowerCase(entry.storedName).ends_with(matched));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes = quill::fuzz::AsBytes(data, size);
  const std::string_view archive = bytes;
  const std::optional<std::uint32_t> offset =
      ReadFarHeader(archive.substr(0, kFarHeaderSize), archive.size());
  if (!offset) return 0;
  FUZZ_REQUIRE(*offset >= kFarHeaderSize && *offset + std::size_t{4} <= size);
  const std::string_view manifestBytes = archive.substr(*offset);
  const std::optional<FarManifest> manifest = ReadFarManifest(manifestBytes, *offset);
  if (!manifest) return 0;
  // Each entry, kept or refused, took at least its 16 bytes of the manifest.
  FUZZ_REQUIRE((manifest->entries.size() + manifest->refused.size()) * 16 <= manifestBytes.size());
  for (const FarEntry& entry : manifest->entries) {
    CheckEntry(entry, *offset, manifestBytes.size());
  }
  for (const std::string& line : manifest->refused) {
    FUZZ_REQUIRE(quill::fuzz::ShownWithin(line, quill::platform::kNameLimit + 60));
  }
  return 0;
}
