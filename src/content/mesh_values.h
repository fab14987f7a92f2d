// SPDX-License-Identifier: GPL-3.0-or-later
// The values of a mesh file in either form, for the readers of its header and of the whole mesh:
// strings and counts, then records of numbers, which a binary mesh holds as fields one after
// another and a text mesh as the numbers of one line. A read past the end, or a line that is not
// the record asked for, throws ChunkFailure.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "chunkfile/byte_cursor.h"
#include "content/mesh_header.h"
#include "content/text_lines.h"

namespace quill::content::mesh_values {

// The least an item takes in each form, so that a count is checked against what is left.
struct Least {
  std::size_t bytes;
  std::size_t lines;
};

// A binary record's numbers are simply the next fields.
class BinaryRecord {
 public:
  explicit BinaryRecord(ByteCursor& in) : in_(in) {}
  std::uint32_t u32() { return in_.u32(); }
  std::int32_t i32() { return in_.i32(); }
  float f32() { return in_.f32(); }
  void end() const {}

 private:
  ByteCursor& in_;
};

class BinaryValues {
 public:
  static constexpr bool kBlendTargetFirst = false;  // a binary blend holds its weight first
  explicit BinaryValues(std::string_view bytes) : in_(bytes) {}
  std::string string() { return in_.string(); }
  std::size_t count(Least least) { return in_.count(least.bytes); }
  BinaryRecord record() { return BinaryRecord(in_); }

 private:
  ByteCursor in_;
};

class TextValues {
 public:
  static constexpr bool kBlendTargetFirst = true;  // "<target vertex> <weight>"
  explicit TextValues(std::string_view text) : in_(text) {}
  std::string string() { return in_.string(); }
  std::size_t count(Least least) { return in_.count(least.lines); }
  TextLines::LineNumbers record() { return in_.numbers(); }

 private:
  TextLines in_;
};

template <typename Values>
MeshHeader ReadMeshHeader(Values& in) {
  MeshHeader header;
  header.name = in.string();
  header.defaultTexture = in.string();
  return header;
}

}  // namespace quill::content::mesh_values
