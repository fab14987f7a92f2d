// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding an arbitrary resource map chunk (header included) into a fresh table.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "inspect/resource_map.h"

namespace {

// What no decoding writes: a type code is four bytes, so this one marks an untouched row.
const std::string kUntouched = "untouched";

bool IsTerminator(char c) {
  return c == '\0' || static_cast<unsigned char>(c) == 0xA3;
}

bool ValidName(const std::string& name) {
  if (name.empty() || !IsTerminator(name.back())) return false;
  for (std::size_t i = 0; i + 1 < name.size(); ++i) {
    if (IsTerminator(name[i])) return false;
  }
  return true;
}

bool ValidWords(const std::string& words) {
  if (words.size() != 8) return false;
  for (const char c : words) {
    if (!std::isdigit(static_cast<unsigned char>(c)) && (c < 'A' || c > 'F')) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const quill::Bytes bytes = quill::fuzz::AsBytes(data, size);
  // Refilled for each input rather than made anew: a fresh 501-row table per input costs more
  // under the address sanitizer than the decoding.
  static quill::ResourceMapTable table;
  for (int row = 0; row <= quill::kLastResourceMapRow; ++row) {
    table[row] = quill::ResourceMapRecord();
    table[row].ResourceType = kUntouched;
  }

  bool decoded = false;
  try {
    // Rows past the table's last are not caught here: they would escape as std::out_of_range.
    decoded = quill::DecodeResourceMap(bytes, table);
  } catch (const quill::ChunkFailure&) {
  }

  FUZZ_REQUIRE(table[0].ResourceType == kUntouched);
  int written = 0;
  while (written < quill::kLastResourceMapRow && table[written + 1].ResourceType != kUntouched) {
    ++written;
  }
  for (int row = written + 1; row <= quill::kLastResourceMapRow; ++row) {
    FUZZ_REQUIRE(table[row].ResourceType == kUntouched);
    FUZZ_REQUIRE(table[row].ResourceName.empty() && table[row].ResourceWords.empty());
  }
  for (int row = 1; row <= written; ++row) {
    const quill::ResourceMapRecord& record = table[row];
    FUZZ_REQUIRE(record.ResourceType.size() == 4);
    // Only the row a failure interrupted may lack its words and name.
    const bool complete = !record.ResourceName.empty();
    if (!complete) {
      FUZZ_REQUIRE(!decoded && row == written);
      continue;
    }
    FUZZ_REQUIRE(ValidWords(record.ResourceWords));
    FUZZ_REQUIRE(ValidName(record.ResourceName));
  }
  if (written > 0) FUZZ_REQUIRE(bytes.find("pmsr") != std::string::npos);
  return 0;
}
