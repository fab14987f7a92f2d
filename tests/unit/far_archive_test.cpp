// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/far_archive.h"

#include <gtest/gtest.h>

#include "skin_builder.h"

namespace quill::content {
namespace {

using namespace testdata;

Bytes U32(std::uint32_t value) {
  return LittleEndian32(static_cast<std::int32_t>(value));
}

// One manifest entry written by hand, so that its two sizes and its offset can be anything.
Bytes Entry(std::uint32_t size, std::uint32_t sizeAgain, std::uint32_t offset,
            const std::string& name) {
  return U32(size) + U32(sizeAgain) + U32(offset) + U32(static_cast<std::uint32_t>(name.size())) +
         name;
}

// "name@offset+size" per entry kept.
std::string Describe(const FarManifest& manifest) {
  std::string text;
  for (const FarEntry& entry : manifest.entries) {
    text.append(entry.storedName + "@" + std::to_string(entry.offset) + "+" +
                std::to_string(entry.size) + " ");
  }
  return text;
}

// Catches the size and offset fields swapped, the manifest offset taken from the wrong header
// field, a name read one byte short, and a name matched with its folders or its capitals.
TEST(FarArchive, ReadsTheEntriesAndMatchesThemByNameWithoutFolders) {
  const Bytes archive = FarArchive({{"b001fafit_01.cmx.bcf", "abc"},
                                    {"Skins\\B001FAFitlgt_01.BMP", "defgh"},
                                    {"meshes/Body/xskin.bmf", ""}});
  const std::optional<std::uint32_t> offset = ReadFarHeader(archive.substr(0, 16), archive.size());
  ASSERT_EQ(offset, 24u);
  const std::optional<FarManifest> manifest = ReadFarManifest(archive.substr(24), 24);
  ASSERT_TRUE(manifest);
  EXPECT_EQ(
      Describe(*manifest),
      "b001fafit_01.cmx.bcf@16+3 Skins\\B001FAFitlgt_01.BMP@19+5 meshes/Body/xskin.bmf@24+0 ");
  EXPECT_TRUE(manifest->refused.empty());
  const std::pair<std::string, std::string> names[] = {
      {"Skins\\B001FAFitlgt_01.BMP", "b001fafitlgt_01.bmp"},
      {"meshes/Body\\xskin.bmf", "xskin.bmf"},
      {"C:\\..\\x.CMX", "x.cmx"},
      {"folder/", ""},
  };
  for (const auto& [stored, matched] : names) EXPECT_EQ(MatchedEntryName(stored), matched);
}

// Catches a manifest offset inside the header or past the file accepted (the off-by-one at the
// count's four bytes included), and a version or magic word not checked.
TEST(FarArchive, RefusesAHeaderItCannotUse) {
  const Bytes good = "FAR!byAZ"_b + U32(1) + U32(16);
  const std::pair<Bytes, std::uint64_t> cases[] = {
      {"FAR!byAz"_b + U32(1) + U32(16), 100},
      {"FAR!byAZ"_b + U32(2) + U32(16), 100},
      {"FAR!byAZ"_b + U32(1) + U32(8), 100},
      {"FAR!byAZ"_b + U32(1) + U32(97), 100},
      {good.substr(0, 15), 100},
      {good, 19},
  };
  for (const auto& [header, fileSize] : cases) EXPECT_FALSE(ReadFarHeader(header, fileSize));
  EXPECT_EQ(ReadFarHeader(good, 20), 16u);
  EXPECT_EQ(ReadFarHeader("FAR!byAZ"_b + U32(1) + U32(96), 100), 96u);
}

// Catches an entry's end compared without its offset or in 32 bits (the wrapping one), one ending
// exactly at the manifest refused, one starting in the header kept, and the differing sizes
// ignored; a refused entry must not stop the others being read.
TEST(FarArchive, RefusesEntriesOutsideTheirPlaceAndKeepsTheRest) {
  const Bytes manifest = U32(6) + Entry(10, 10, 16, "ok") + Entry(0x20, 0x20, 0xFFFFFFF0, "wrap") +
                         Entry(20, 20, 90, "dir/over") + Entry(4, 4, 8, "head") +
                         Entry(5, 6, 30, "twice") + Entry(74, 74, 26, "edge");
  const std::optional<FarManifest> read = ReadFarManifest(manifest, 100);
  ASSERT_TRUE(read);
  EXPECT_EQ(Describe(*read), "ok@16+10 edge@26+74 ");
  EXPECT_EQ(read->refused, (std::vector<std::string>{
                               "wrap: its bytes run past the manifest",
                               "dir/over: its bytes run past the manifest",
                               "head: it starts inside the archive's header",
                               "twice: its two sizes differ",
                           }));
}

// Catches a count trusted before its entries are there (reserving gigabytes) and a name length
// not checked against the bytes left.
TEST(FarArchive, AManifestCutShortGivesNothing) {
  const Bytes cases[] = {
      U32(0x10000000) + Entry(1, 1, 16, "a"),
      U32(2) + Entry(1, 1, 16, "a"),
      U32(1) + Entry(1, 1, 16, "name").substr(0, 18),
      "\1\0\0"_b,
  };
  for (const Bytes& manifest : cases) EXPECT_FALSE(ReadFarManifest(manifest, 100));
}

}  // namespace
}  // namespace quill::content
