// The string-table claim over an arbitrary chunk (header included), as a "STR#" row holds it.
#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "inspect/string_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const quill::Bytes chunk = quill::fuzz::AsBytes(data, size);
  quill::ChunkRecord record;
  record.ChunkType = "STR#";
  record.ChunkData = chunk;
  record.ChunkSize = static_cast<std::int32_t>(size);
  record.StartPos = quill::kFileHeaderLength + 1;

  const bool hasFormat = size > static_cast<std::size_t>(quill::kChunkHeaderLength);
  bool claimed = false;
  bool failed = false;
  try {
    claimed = quill::ClaimStringTable(record);
  } catch (const quill::ChunkFailure&) {
    failed = true;
  }
  FUZZ_REQUIRE(failed == !hasFormat);
  if (hasFormat) FUZZ_REQUIRE(claimed == (data[quill::kChunkHeaderLength] >= 0xFD));
  return 0;
}
