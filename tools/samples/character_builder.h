// SPDX-License-Identifier: GPL-3.0-or-later
// Writes character files from a description, for tests, fuzzing seeds and the sample Sims.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quill::testdata {

using Bytes = std::string;

Bytes operator""_b(const char* text, std::size_t length);

// Bytes from a list of byte values: Hex({0xFD, 0xFF}).
Bytes Hex(std::initializer_list<int> values);

struct Chunk {
  std::string type = "XXXX";  // written as given: four bytes make a well-formed code
  std::uint16_t id = 0;
  std::uint16_t flags = 0x10;
  std::string label;  // NUL-padded to 64 bytes; a longer label is cut
  Bytes body;
  // The size field as written; by default 76 + the body's length.
  std::optional<std::int32_t> size;
  // The whole 64-byte label field as written, when set (bytes after a NUL included).
  std::optional<Bytes> labelField;
};

class CharacterFile {
 public:
  CharacterFile& add(Chunk chunk);
  // Bytes written after the last chunk (a torn or padded file).
  CharacterFile& trailing(Bytes bytes);
  Bytes build() const;
  void write(const std::filesystem::path& file) const;

 private:
  std::vector<Chunk> chunks_;
  Bytes trailing_;
};

// The 64-byte file header the game writes.
Bytes FileHeader();
Bytes ChunkHeader(const Chunk& chunk);

struct TableString {
  std::string value;
  std::string comment;
  std::uint8_t language = 1;
};
// A string table as "CTSS" and "STR#" chunks hold it: FD FF, the count, each string with its
// language byte, value and comment, then one filler byte per string.
Bytes StringTable(const std::vector<TableString>& strings, std::uint8_t filler = 0xA3,
                  std::uint16_t format = 0xFFFD);
// The two strings a player-made Sim has: name and description.
Bytes NameAndDescription(const std::string& name, const std::string& description);

// What a Sim wears, as its body strings hold it.
struct LooksSpec {
  std::string skeleton = "adult";
  std::string body = "b006fafat_01,BODY=B006FAFatlgt_TT1";
  std::string head = "c001fa_mercedes,HEAD-HEAD=C001FAlgt_Shannon01";
  std::string gender = "female";
  std::string age = "27";
  std::string skinTone = "lgt";
  std::vector<std::string> outfits;  // written from string 15 on
};
// A body-string table: strings 0 to 14 (those not in `looks` empty), then the outfits.
Bytes BodyStrings(const LooksSpec& looks);

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
};
// A complete 24-bit uncompressed Windows bitmap file.
Bytes Bitmap(int width, int height, const std::function<Rgb(int x, int y)>& pixel);
// The same in one colour.
Bytes Bitmap(int width, int height, Rgb colour);
// A bitmap whose header claims `width` x `height` but carries `pixelBytes` bytes of pixels.
Bytes BitmapHeaderOnly(int width, int height, std::size_t pixelBytes = 0);
// An 8-bit bitmap of one colour, run-length coded: a few dozen bytes a row however wide it is.
Bytes RunLengthBitmap(int width, int height);
// A 35-byte GIF whose logical screen is `width` x `height` around a frame of one pixel.
Bytes GifAroundOnePixel(int width, int height);

struct MapEntry {
  std::int32_t number = 0;
  std::uint16_t first = 0;
  std::uint16_t second = 0;
  Bytes name;  // written as given: include the terminator (0x00 or 0xA3) and any filler
};
struct MapGroup {
  std::string type;  // in reading order; written reversed
  std::vector<MapEntry> entries;
  std::optional<std::int32_t> count;  // the stated count, by default the entries'
};
// A resource map body: 8 unused bytes, "pmsr", 4 unused bytes, the group count, the groups.
Bytes ResourceMap(const std::vector<MapGroup>& groups, std::optional<std::int32_t> groupCount = {});

Bytes LittleEndian16(std::uint16_t value);
Bytes LittleEndian32(std::int32_t value);
Bytes BigEndian32(std::int32_t value);

// A character file shaped like the game's: object chunks, behaviour, strings, six portraits
// (faces, rel. images, newimage, speech_med, speech_large, web_image) and a resource map.
struct SimLook {
  Rgb skin{224, 172, 125};
  Rgb hair{90, 56, 37};
  Rgb shirt{40, 110, 190};
  Rgb backdrop{235, 235, 210};
};
Bytes Portrait(int width, int height, const SimLook& look);
// What the game's larger files hold beyond the plain lookalike.
struct LookalikeExtras {
  std::size_t padding = 0;  // bytes spread over the behaviour chunks
  std::size_t chunks = 0;   // small chunks, half among the behaviours, half after the portraits
  std::size_t remarks = 0;  // strings after the name and the description
  // The Sim's GUID in its OBJD chunk (body bytes 28 to 31).
  std::optional<std::uint32_t> guid = std::nullopt;
  // What the Sim wears; the default LooksSpec when not set.
  std::optional<LooksSpec> looks = std::nullopt;
};
// `otherLanguages` follow US English's strings in the text table, as the game adds them.
CharacterFile LookalikeCharacter(const std::string& name, const std::string& description,
                                 const SimLook& look = {}, const LookalikeExtras& extras = {},
                                 const std::vector<TableString>& otherLanguages = {});

// The game's other nineteen languages, slots 2 to 20 in order: a name and a biography in each,
// real words of the language stored in its Windows code page (the same Sim as the sample below).
std::vector<TableString> OtherLanguages();
// The sample Sim whose table holds all twenty languages: US English's name and biography.
inline constexpr const char* kMultilingualName = "Marigold Fenwick";
inline constexpr const char* kMultilingualDescription = "Loves gardening and rainy days.";
inline constexpr SimLook kMultilingualLook{
    {230, 190, 160}, {200, 110, 40}, {240, 170, 30}, {220, 240, 210}};

// Writes the sample Sims that ship with the program into `folder`.
void WriteSampleCharacters(const std::filesystem::path& folder);

// Writes User00000.iff to User00002.iff into `folder` as a player's US English game writes them:
// Jackie and Marcus, player-made, named in slot 1 only, with the placeholders "Randy" in slot 2
// and "Jens" in slot 4; Bella Goth, who came with the game, named so in all three.
void WritePlayedSims(const std::filesystem::path& folder);

}  // namespace quill::testdata
