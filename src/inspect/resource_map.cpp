// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/resource_map.h"

#include <cstdio>

namespace quill {

namespace {

constexpr std::string_view kMagic = "pmsr";  // "rsmp" as the map stores it, reversed
constexpr unsigned char kFiller = 0xA3;

class MapReader {
 public:
  MapReader(std::string_view bytes, std::size_t position) : bytes_(bytes), position_(position) {}

  unsigned char byte() { return ByteAt(bytes_, position_++); }

  std::string text(std::size_t length) {
    if (position_ + length > bytes_.size()) throw ChunkFailure("map ends inside a field");
    std::string taken(bytes_.substr(position_, length));
    position_ += length;
    return taken;
  }

  std::int32_t littleEndian32() {
    const std::string field = text(4);
    std::uint32_t value = 0;
    for (int k = 3; k >= 0; --k) value = (value << 8) | static_cast<unsigned char>(field[k]);
    return static_cast<std::int32_t>(value);
  }

  // Each 16-bit word reversed into reading order: bytes 2C 01 10 00 read "012C0010".
  std::string words() {
    const std::string first = ReverseString(text(2));
    const std::string second = ReverseString(text(2));
    std::string hex;
    for (const char c : first + second) {
      char digits[3];
      std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(c));
      hex += digits;
    }
    return hex;
  }

  // Up to and including the first 0x00 or 0xA3; one 0xA3 filler after it is skipped.
  std::string name() {
    std::string taken;
    for (;;) {
      const unsigned char c = byte();
      taken.push_back(static_cast<char>(c));
      if (c == 0x00 || c == kFiller) break;
    }
    if (position_ < bytes_.size() && static_cast<unsigned char>(bytes_[position_]) == kFiller) {
      ++position_;
    }
    return taken;
  }

 private:
  std::string_view bytes_;
  std::size_t position_;
};

}  // namespace

std::string ReverseString(const std::string& text) {
  return std::string(text.rbegin(), text.rend());
}

bool DecodeResourceMap(std::string_view chunkBytes, ResourceMapTable& table) {
  const std::size_t magic = chunkBytes.find(kMagic);
  if (magic == std::string_view::npos) throw ChunkFailure("no resource map");
  MapReader reader(chunkBytes, magic + 8);
  const std::int32_t groups = reader.littleEndian32();
  int row = 0;
  for (std::int32_t group = 1; group <= groups; ++group) {
    const std::string type = ReverseString(reader.text(4));
    const std::int32_t entries = reader.littleEndian32();
    for (std::int32_t entry = 1; entry <= entries; ++entry) {
      if (++row > kLastResourceMapRow) throw ChunkFailure("more entries than the table holds");
      ResourceMapRecord& record = table[row];
      record.ResourceType = type;
      record.ResourceNumber = reader.littleEndian32();
      record.ResourceWords = reader.words();
      record.ResourceName = reader.name();
    }
  }
  return true;
}

bool DecodeResourceMap(int row, const ChunkTable& chunks, ResourceMapTable& table) {
  if (row < 0 || row > kLastChunkRow) throw ChunkFailure("no such chunk row");
  return DecodeResourceMap(chunks[row].ChunkData, table);
}

}  // namespace quill
