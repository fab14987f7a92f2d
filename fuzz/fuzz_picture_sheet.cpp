// SPDX-License-Identifier: GPL-3.0-or-later
// The picture sheet's decoding over every picture of an arbitrary character file, as "Show all
// pictures..." decodes them: never more pixels held than the sheet's bound, however many pictures
// the file holds or however large they claim to be, and every picture shown within the loader's
// limits at the zoom that fits its room.
#include <cstddef>
#include <cstdint>

#include "chunkfile/chunk_walk.h"
#include "fuzz_check.h"
#include "platform/picture.h"
#include "window/picture_sheet.h"
#include "window/sharp_picture.h"

namespace {

class QuietSink : public quill::ChunkWalkSink {
 public:
  void appendChunkLine(const std::string& line) override {
    if (line != quill::kTooManyChunks) ++rows;
  }
  bool continueAfterChunk() override { return true; }

  int rows = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static quill::ChunkTable table;
  static quill::Bytes image;
  image = quill::fuzz::AsBytes(data, size);
  QuietSink sink;
  quill::WalkChunks(image, table, sink);

  // The walk never reads the file header: its first byte picks the screen.
  const bool sharp = size > 0 && (data[0] & 1) != 0;
  const QSize room = sharp ? QSize(480, 240) : QSize(64, 64);
  quill::SheetPixels pixels(room, sharp ? 2.0 : 1.0);
  long long decoded = 0;
  for (const quill::PictureChunk& chunk : quill::PictureChunksOf(table, sink.rows)) {
    const quill::SheetPicture shown = pixels.decode(chunk.body);
    FUZZ_REQUIRE(shown.picture.isNull() == (shown.placeholder != nullptr));
    FUZZ_REQUIRE(pixels.held() <= quill::kSheetPixels);
    if (shown.picture.isNull()) continue;
    const QSize picture = shown.picture.size();
    decoded += static_cast<long long>(picture.width()) * picture.height();
    FUZZ_REQUIRE(static_cast<long long>(picture.width()) * picture.height() <=
                 quill::platform::kLargestPicturePixels);
    FUZZ_REQUIRE(shown.zoom == quill::ZoomToFit(picture, room));
    FUZZ_REQUIRE(pixels.plannedSize(chunk.body).has_value());
  }
  FUZZ_REQUIRE(decoded <= pixels.held());

  for (int row = 0; row <= std::min(sink.rows + 1, quill::kLastChunkRow); ++row) {
    table[row] = quill::ChunkRecord();
  }
  return 0;
}
