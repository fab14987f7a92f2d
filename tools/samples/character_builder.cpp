// SPDX-License-Identifier: GPL-3.0-or-later
#include "character_builder.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace quill::testdata {

Bytes operator""_b(const char* text, std::size_t length) {
  return Bytes(text, length);
}

Bytes Hex(std::initializer_list<int> values) {
  Bytes bytes;
  for (const int value : values) bytes.push_back(static_cast<char>(value));
  return bytes;
}

Bytes LittleEndian32(std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  return Hex({static_cast<int>(u & 0xFF), static_cast<int>((u >> 8) & 0xFF),
              static_cast<int>((u >> 16) & 0xFF), static_cast<int>(u >> 24)});
}

Bytes BigEndian32(std::int32_t value) {
  const Bytes little = LittleEndian32(value);
  return Bytes(little.rbegin(), little.rend());
}

Bytes LittleEndian16(std::uint16_t value) {
  return Hex({value & 0xFF, value >> 8});
}

namespace {

Bytes BigEndian16(std::uint16_t value) {
  return Hex({value >> 8, value & 0xFF});
}

}  // namespace

Bytes FileHeader() {
  Bytes header = "IFF FILE 2.5:TYPE FOLLOWED BY SIZE\0 JAMIE DOLAN"_b;
  header.resize(60, '\0');
  return header + BigEndian32(0);
}

Bytes ChunkHeader(const Chunk& chunk) {
  const std::int32_t size = chunk.size.value_or(static_cast<std::int32_t>(76 + chunk.body.size()));
  Bytes label = chunk.labelField.value_or(chunk.label);
  label.resize(64, '\0');
  return chunk.type + BigEndian32(size) + BigEndian16(chunk.id) + BigEndian16(chunk.flags) + label;
}

CharacterFile& CharacterFile::add(Chunk chunk) {
  chunks_.push_back(std::move(chunk));
  return *this;
}

CharacterFile& CharacterFile::trailing(Bytes bytes) {
  trailing_ = std::move(bytes);
  return *this;
}

Bytes CharacterFile::build() const {
  Bytes file = FileHeader();
  for (const Chunk& chunk : chunks_) file += ChunkHeader(chunk) + chunk.body;
  return file + trailing_;
}

void CharacterFile::write(const std::filesystem::path& file) const {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  const Bytes bytes = build();
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

Bytes StringTable(const std::vector<TableString>& strings, std::uint8_t filler,
                  std::uint16_t format) {
  Bytes body = LittleEndian16(format) + LittleEndian16(static_cast<std::uint16_t>(strings.size()));
  for (const TableString& entry : strings) {
    body.push_back(static_cast<char>(entry.language));
    body += entry.value + '\0' + entry.comment + '\0';
  }
  return body + Bytes(strings.size(), static_cast<char>(filler));
}

Bytes BodyStrings(const LooksSpec& looks) {
  std::vector<TableString> strings(15);  // 0 to 14; the outfits follow
  strings[0].value = looks.skeleton;
  strings[1].value = looks.body;
  strings[2].value = looks.head;
  strings[12].value = looks.gender;
  strings[13].value = looks.age;
  strings[14].value = looks.skinTone;
  for (const std::string& outfit : looks.outfits) strings.push_back({outfit, ""});
  return StringTable(strings);
}

Bytes NameAndDescription(const std::string& name, const std::string& description) {
  return StringTable({{name, ""}, {description, ""}});
}

Bytes Bitmap(int width, int height, Rgb colour) {
  return Bitmap(width, height, [colour](int, int) { return colour; });
}

Bytes Bitmap(int width, int height, const std::function<Rgb(int x, int y)>& pixel) {
  const int stride = (width * 3 + 3) / 4 * 4;
  Bytes pixels;
  for (int y = height - 1; y >= 0; --y) {  // bottom-up, as the format stores rows
    Bytes row;
    for (int x = 0; x < width; ++x) {
      const Rgb colour = pixel(x, y);
      row += Hex({colour.b, colour.g, colour.r});
    }
    row.resize(static_cast<std::size_t>(stride), '\0');
    pixels += row;
  }
  Bytes file = BitmapHeaderOnly(width, height, pixels.size());
  return file + pixels;
}

Bytes BitmapHeaderOnly(int width, int height, std::size_t pixelBytes) {
  const auto total = static_cast<std::int32_t>(14 + 40 + pixelBytes);
  return "BM"_b + LittleEndian32(total) + LittleEndian32(0) + LittleEndian32(54) +
         LittleEndian32(40) + LittleEndian32(width) + LittleEndian32(height) + LittleEndian16(1) +
         LittleEndian16(24) + LittleEndian32(0) +
         LittleEndian32(static_cast<std::int32_t>(pixelBytes)) + LittleEndian32(2835) +
         LittleEndian32(2835) + LittleEndian32(0) + LittleEndian32(0);
}

Bytes RunLengthBitmap(int width, int height) {
  Bytes pixels;
  for (int y = 0; y < height; ++y) {
    for (int left = width; left > 0; left -= 255) pixels += Hex({std::min(left, 255), 1});
    pixels += Hex({0, 0});  // end of the row
  }
  pixels += Hex({0, 1});  // end of the picture
  const Bytes palette = Hex({0, 0, 0, 0, 40, 110, 190, 0});
  const auto offset = static_cast<std::int32_t>(14 + 40 + palette.size());
  return "BM"_b + LittleEndian32(offset + static_cast<std::int32_t>(pixels.size())) +
         LittleEndian32(0) + LittleEndian32(offset) + LittleEndian32(40) + LittleEndian32(width) +
         LittleEndian32(height) + LittleEndian16(1) + LittleEndian16(8) +
         LittleEndian32(1) /* run-length coded, 8 bits */ +
         LittleEndian32(static_cast<std::int32_t>(pixels.size())) + LittleEndian32(2835) +
         LittleEndian32(2835) + LittleEndian32(2) + LittleEndian32(0) + palette + pixels;
}

Bytes GifAroundOnePixel(int width, int height) {
  return "GIF89a"_b + LittleEndian16(static_cast<std::uint16_t>(width)) +
         LittleEndian16(static_cast<std::uint16_t>(height)) +
         Hex({0x80, 0,
              0,    /* two colours */ 0,
              0,    0,
              255,  255,
              255,  /* the frame */ 0x2C,
              0,    0,
              0,    0,
              1,    0,
              1,    0,
              0,    /* its one pixel, LZW-coded */ 2,
              2,    0x44,
              0x01, 0,
              0x3B});
}

Bytes ResourceMap(const std::vector<MapGroup>& groups, std::optional<std::int32_t> groupCount) {
  Bytes body = LittleEndian32(0) + LittleEndian32(0) + "pmsr"_b + LittleEndian32(0) +
               LittleEndian32(groupCount.value_or(static_cast<std::int32_t>(groups.size())));
  for (const MapGroup& group : groups) {
    body += Bytes(group.type.rbegin(), group.type.rend());
    body += LittleEndian32(group.count.value_or(static_cast<std::int32_t>(group.entries.size())));
    for (const MapEntry& entry : group.entries) {
      body += LittleEndian32(entry.number) + LittleEndian16(entry.first) +
              LittleEndian16(entry.second) + entry.name;
    }
  }
  return body;
}

}  // namespace quill::testdata
