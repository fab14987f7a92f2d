// Walking the chain of chunks of an IFF file (a character file, a neighbourhood): plain functions
// over the file's bytes.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "chunkfile/chunk_table.h"

namespace quill {

inline constexpr const char* kTooManyChunks = "Error reading file - Too many Chunks";

class ChunkWalkSink {
 public:
  virtual ~ChunkWalkSink() = default;
  virtual void appendChunkLine(const std::string& line) = 0;
  // Called after each chunk; false ends the walk (the read has been superseded).
  virtual bool continueAfterChunk() = 0;
};

// Hands each chunk after the 64-byte file header to `visit`, in file order, until `visit` returns
// false, fewer than seven bytes are left for another chunk, or a size field is missing or
// negative. Sizes are trusted as the game's own reader trusts them: a size under 76 puts the next
// chunk inside this one, and a size of 0 hands the same chunk over again. The record's chunk data
// point into `image`; `visit` may move its fields away.
void VisitChunks(std::string_view image, const std::function<bool(ChunkRecord&)>& visit);

// Fills table rows 1, 2, 3, ... from `image` and reports one line per chunk. Bytes the walk cannot
// use end it quietly; what was already reported stays. The rows' chunk data point into `image`.
void WalkChunks(const Bytes& image, ChunkTable& table, ChunkWalkSink& sink);
void WalkChunks(const Bytes&& image, ChunkTable& table, ChunkWalkSink& sink) = delete;

// "12: BMP_ [faces]", with type and label shown through the game's code page.
std::string FormatChunkLine(int row, const ChunkRecord& record);

// Windows-1252, the code page the game wrote its labels in, as UTF-8.
std::string Cp1252ToUtf8(const std::string& bytes);

}  // namespace quill
