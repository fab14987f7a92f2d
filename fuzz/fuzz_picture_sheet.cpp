// The picture sheet over an arbitrary character file, as "Show all pictures..." shows it: every
// picture gets a cell, each decoded in its own event-loop turn, and never more pixels are held than
// the sheet's bound, however many pictures the file holds or however large they claim to be.
#include <QApplication>
#include <QLabel>
#include <cstddef>
#include <cstdint>

#include "chunkfile/chunk_walk.h"
#include "fuzz_check.h"
#include "window/picture_sheet.h"

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
  static int argc = 1;
  static char name[] = "fuzz_picture_sheet";
  static char* argv[] = {name, nullptr};
  static const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication application(argc, argv);
  static const quill::PictureDialogs dialogs;
  static quill::PictureSheet sheet(dialogs, nullptr);
  static quill::ChunkTable table;
  static quill::Bytes image;
  FUZZ_REQUIRE(offscreen);

  image = quill::fuzz::AsBytes(data, size);
  QuietSink sink;
  quill::WalkChunks(image, table, sink);
  const std::vector<quill::PictureChunk> chunks = quill::PictureChunksOf(table, sink.rows);
  sheet.showPictures(QStringLiteral("Sim"), chunks);
  const auto cells = [] { return sheet.findChildren<QLabel*>(QStringLiteral("SheetPicture")); };
  const auto filled = [&cells] {
    for (const QLabel* shown : cells()) {
      if (shown->pixmap().isNull() && shown->text().isEmpty()) return false;
    }
    return true;
  };
  // Each turn decodes at least one picture.
  for (std::size_t turn = 0; turn <= chunks.size() + 1 && !filled(); ++turn) {
    QCoreApplication::processEvents();
  }
  FUZZ_REQUIRE(filled());
  FUZZ_REQUIRE(static_cast<std::size_t>(cells().size()) == chunks.size());
  FUZZ_REQUIRE(sheet.pictures().size() == chunks.size());
  long long held = 0;
  for (std::size_t index = 0; index < chunks.size(); ++index) {
    const QImage& picture = sheet.pictures()[index].picture;
    const QPixmap shown = cells()[static_cast<qsizetype>(index)]->pixmap();
    FUZZ_REQUIRE(picture.isNull() == shown.isNull());
    held += static_cast<long long>(picture.width()) * picture.height() +
            static_cast<long long>(shown.width()) * shown.height();
  }
  FUZZ_REQUIRE(held <= quill::kSheetPixels);

  for (int row = 0; row <= std::min(sink.rows + 1, quill::kLastChunkRow); ++row) {
    table[row] = quill::ChunkRecord();
  }
  return 0;
}
