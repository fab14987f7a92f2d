#include "chunkfile/read_character_file.h"

#include "chunkfile/chunk_walk.h"
#include "platform/files.h"

namespace quill {

namespace {

class ListSink : public ChunkWalkSink {
 public:
  ListSink(CharacterState& state, CharacterView& view)
      : state_(state), view_(view), read_(state.readsStarted) {}
  void appendChunkLine(const std::string& line) override { view_.appendChunkLine(line); }
  bool continueAfterChunk() override {
    view_.letEventsRun();
    return state_.readsStarted == read_;
  }

 private:
  CharacterState& state_;
  CharacterView& view_;
  const std::uint64_t read_;
};

}  // namespace

void ReadCharacterFile(CharacterState& state, CharacterView& view) {
  ++state.readsStarted;
  view.clearChunkList();
  // Nothing reaches the previous file's rows once its lines are gone: letting them go first
  // means two files are never held at once. The image's storage is reused for the next file.
  state.ChunkTable.clear();
  if (!platform::ReadWholeFile(state.CurrentFilePath, state.FileImage)) return;
  ListSink sink(state, view);
  WalkChunks(state.FileImage, state.ChunkTable, sink);
}

}  // namespace quill
