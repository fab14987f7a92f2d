// SPDX-License-Identifier: GPL-3.0-or-later
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
// false, fewer than seven bytes are left for another chunk, a size field is missing or negative,
// or 1000 chunks have been handed over. Sizes are trusted as the game's own reader trusts them: a
// size under 76 puts the next chunk inside this one, and a size of 0 hands the same chunk over
// again, so the count is what ends such a walk. The record's chunk data point into `image`;
// `visit` may move its fields away. For the chunk list; decoders of what the chunks hold use
// VisitWholeChunks.
void VisitChunks(std::string_view image, const std::function<bool(ChunkRecord&)>& visit);

// How a decoder's walk ended: at the file's end or where `visit` stopped it, or at damage (a chunk
// shorter than its own header, or one cut off by the file's end).
enum class ChunkChain { Whole, Damaged };

// The walk every decoder of a file's contents uses (looks, neighbourhood, family export): as
// VisitChunks, but a chunk whose size does not cover its own header ends the walk unvisited, and
// one cut off by the file's end is the last, handed over as far as it goes. Each step moves at
// least one header on, so the walk costs at most the file's length over 76 steps.
ChunkChain VisitWholeChunks(std::string_view image,
                            const std::function<bool(const ChunkRecord&)>& visit);

// A chunk's body: what follows its 76-byte header, as far as the chunk data go.
std::string_view BodyOf(const ChunkRecord& chunk);

// Fills table rows 1, 2, 3, ... from `image` and reports one line per chunk. Bytes the walk cannot
// use end it quietly; what was already reported stays. The rows' chunk data point into `image`.
void WalkChunks(const Bytes& image, ChunkTable& table, ChunkWalkSink& sink);
void WalkChunks(const Bytes&& image, ChunkTable& table, ChunkWalkSink& sink) = delete;

// "12: BMP_ [faces]", with type and label shown through the game's code page.
std::string FormatChunkLine(int row, const ChunkRecord& record);

// Windows-1252, the code page the game wrote its labels, body strings and neighbourhood names in,
// as UTF-8, through the same decoder as the names of the string tables.
std::string Cp1252ToUtf8(std::string_view bytes);

}  // namespace quill
