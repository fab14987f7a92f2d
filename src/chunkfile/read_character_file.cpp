// SPDX-License-Identifier: GPL-3.0-or-later
#include "chunkfile/read_character_file.h"

#include "chunkfile/chunk_walk.h"
#include "chunkfile/event_turn.h"
#include "platform/files.h"

namespace quill {

namespace {

class ListSink : public ChunkWalkSink {
 public:
  ListSink(CharacterState& state, CharacterView& view) : state_(state), view_(view) {}
  void appendChunkLine(const std::string& line) override { view_.appendChunkLine(line); }
  bool continueAfterChunk() override {
    superseded_ = !LetEventsRun(state_, view_);
    return !superseded_;
  }
  bool superseded() const { return superseded_; }

 private:
  CharacterState& state_;
  CharacterView& view_;
  bool superseded_ = false;
};

}  // namespace

bool ReadCharacterFile(CharacterState& state, CharacterView& view) {
  ++state.generation;
  view.clearChunkList();
  // Nothing reaches the previous file's rows once its lines are gone: letting them go first
  // means two files are never held at once. The image's storage is reused for the next file.
  state.ChunkTable.clear();
  if (!platform::ReadWholeFile(state.CurrentFilePath, state.FileImage)) return true;
  ListSink sink(state, view);
  WalkChunks(state.FileImage, state.ChunkTable, sink);
  return !sink.superseded();
}

}  // namespace quill
