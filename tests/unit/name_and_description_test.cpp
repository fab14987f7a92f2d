#include "inspect/name_and_description.h"

#include <gtest/gtest.h>

#include "character_builder.h"
#include "inspect/string_table.h"

namespace quill {
namespace {

using testdata::Hex;
using testdata::operator""_b;

TEST(NameAndDescription, CutsTheNameAndTheDescriptionAtTheirMarkers) {
  const Bytes body = Hex({0xFD, 0xFF, 0x02, 0x00, 0x01}) + "Bob"_b + Hex({0, 0, 1}) +
                     "Likes cats"_b + Hex({0, 0, 1});
  EXPECT_EQ(PrintableRendering(body), ".....Bob...Likes cats...");
  const NameAndDescription found = ExtractNameAndDescription(body);
  EXPECT_EQ(found.name, "Bob");
  EXPECT_EQ(found.description, "Likes cats.");
}

TEST(NameAndDescription, EmptyDescriptionGetsTheNoInformationText) {
  const Bytes body = Hex({0xFD, 0xFF, 0x02, 0x00, 0x01}) + "Bob"_b + Hex({0, 0, 1, 0, 0, 1});
  EXPECT_EQ(PrintableRendering(body), ".....Bob......");
  const NameAndDescription found = ExtractNameAndDescription(body);
  EXPECT_EQ(found.name, "Bob");
  EXPECT_EQ(found.description, kNoInformation);
  // One character of description is still too short to be worth showing.
  EXPECT_EQ(ExtractNameAndDescription(".....Bob...X..."_b).description, "X.");
  EXPECT_EQ(ExtractNameAndDescription(".....Bob....").description.value_or("missing"), "missing");
}

TEST(NameAndDescription, MissingClosingMarkerKeepsOnlyTheName) {
  const Bytes body =
      Hex({0xFD, 0xFF, 0x02, 0x00, 0x01}) + "Bob"_b + Hex({0, 0, 1}) + "Hi"_b + Hex({0, 0});
  const NameAndDescription found = ExtractNameAndDescription(body);
  EXPECT_EQ(found.name, "Bob");
  EXPECT_FALSE(found.description.has_value());
}

TEST(NameAndDescription, MissingMarkersOrTooShortBodiesFindNothing) {
  for (const Bytes& body :
       {""_b, "a"_b, "....."_b, ".....Bob"_b, "no markers at all"_b, "...."_b}) {
    EXPECT_FALSE(ExtractNameAndDescription(body).name.has_value()) << body;
  }
}

TEST(NameAndDescription, WithoutTheOpeningMarkerTheNameStartsAtTheFifthCharacter) {
  const NameAndDescription found = ExtractNameAndDescription("abcdName...Text..."_b);
  EXPECT_EQ(found.name, "Name");
  EXPECT_EQ(found.description, "Text.");
  // The search for the name's end starts at the fifth character too.
  EXPECT_EQ(ExtractNameAndDescription("a...Ann...x..."_b).name, "Ann");
}

TEST(NameAndDescription, NonPrintableBytesShowAsDotsOneForOne) {
  Bytes every;
  for (int byte = 0; byte < 256; ++byte) every.push_back(static_cast<char>(byte));
  const std::string shown = PrintableRendering(every);
  ASSERT_EQ(shown.size(), every.size());
  for (int byte = 0; byte < 256; ++byte) {
    EXPECT_EQ(shown[static_cast<std::size_t>(byte)],
              byte >= 32 && byte <= 126 ? static_cast<char>(byte) : '.')
        << byte;
  }
  const Bytes body = "\x01\x01\x01\x01\x01Jos\xE9 B\x00\x00\x01Line\r\nTwo\x01\x02\x03more..."_b;
  const NameAndDescription found = ExtractNameAndDescription(body);
  EXPECT_EQ(found.name, "Jos. B");
  // Three unprintable bytes in a row end the description.
  EXPECT_EQ(found.description, "Line..Two.");
}

TEST(NameAndDescription, TheFirstOpeningMarkerWins) {
  EXPECT_EQ(ExtractNameAndDescription("x.......Eve...About..."_b).name, "..Eve");
}

TEST(StringTable, FormatCodesFromFdUpAreClaimed) {
  ChunkRecord record;
  for (const int first : {0x00, 0x41, 0xFC, 0xFD, 0xFE, 0xFF}) {
    const Bytes chunk = Bytes(76, '\0') + Hex({first, 0xFF});
    record.ChunkData = chunk;
    EXPECT_EQ(ClaimStringTable(record), first >= 0xFD) << first;
  }
  const Bytes headerOnly(76, '\0');
  record.ChunkData = headerOnly;
  EXPECT_THROW(ClaimStringTable(record), ChunkFailure);
}

}  // namespace
}  // namespace quill
