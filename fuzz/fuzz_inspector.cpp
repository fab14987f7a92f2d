// SPDX-License-Identifier: GPL-3.0-or-later
// The chunk inspector over every chunk of an arbitrary file, as selecting each chunk line would
// show it: pictures go through a real scratch file and the real picture loader.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "chunkfile/character_state.h"
#include "chunkfile/chunk_walk.h"
#include "chunkfile/file_selection.h"
#include "fuzz_check.h"
#include "inspect/bitmap_chunk.h"
#include "inspect/localized_strings.h"
#include "inspect/name_and_description.h"
#include "inspect/show_chunk.h"
#include "platform/files.h"
#include "platform/picture.h"
#include "platform/text.h"

namespace {

using quill::Bytes;

class CountingSink : public quill::ChunkWalkSink {
 public:
  void appendChunkLine(const std::string& line) override {
    if (line != quill::kTooManyChunks) ++listed;
  }
  bool continueAfterChunk() override { return true; }

  int listed = 0;
};

// Records what the inspector asks of the window; pictures are loaded for real.
class RecordingView : public quill::InspectorView {
 public:
  void setNameCaption(const std::string& caption, const std::string& name) override {
    FUZZ_REQUIRE(caption == quill::kNameCaptionPrefix + name);
    captions.push_back(caption);
  }
  void setDescription(const std::string& text) override { descriptions.push_back(text); }
  void appendRosterLine(const std::string& name) override { rosterLines.push_back(name); }
  bool showPictureFile(const std::filesystem::path& file) override {
    FUZZ_REQUIRE(file.filename() == quill::kScratchPictureName);
    const auto picture = quill::platform::LoadPicture(file);
    if (!picture) return false;
    FUZZ_REQUIRE(!picture->isNull());
    FUZZ_REQUIRE(static_cast<long long>(picture->width()) * picture->height() <=
                 quill::platform::kLargestPicturePixels);
    ++pictures;
    return true;
  }

  std::vector<std::string> captions;
  std::vector<std::string> descriptions;
  std::vector<std::string> rosterLines;
  int pictures = 0;
};

bool Printable(const std::string& text) {
  for (const char c : text) {
    if (c < 32 || c > 126) return false;
  }
  return true;
}

std::size_t Characters(const std::string& text) {
  std::size_t count = 0;
  for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
  return count;
}

// Shown text: well-formed UTF-8 within its limit (and the cut mark after it).
bool Shown(const std::string& text, std::size_t limit) {
  return quill::platform::IsValidUtf8(text) && Characters(text) <= limit + 1;
}

// A name: shown text with no control character, so that it stays one roster line.
bool ShownName(const std::string& name) {
  return Shown(name, quill::platform::kNameLimit) &&
         std::none_of(name.begin(), name.end(),
                      [](char c) { return c == 0x7F || (c >= 0 && c < 32); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // One folder for the whole run, as the viewer keeps one for its lifetime.
  static quill::platform::ScratchFolder scratch;
  FUZZ_REQUIRE(!scratch.path().empty());
  // A picture left behind by an earlier input would make this one's outcome depend on it.
  std::error_code ignored;
  std::filesystem::remove(scratch.path() / quill::kScratchPictureName, ignored);

  // The state and the map table live for the whole run, as the viewer's do, and are emptied after
  // each input: fresh ones per input cost more under the address sanitizer than the inspection.
  static quill::CharacterState state;
  static quill::ResourceMapTable resourceMap;
  state.FileImage = quill::fuzz::AsBytes(data, size);
  // The walk never reads the file header, so its first byte can choose whether a roster pass is
  // running without changing the chunks.
  state.markRosterPass(size > 0 && (data[0] & 1) != 0);
  CountingSink sink;
  quill::WalkChunks(state.FileImage, state.ChunkTable, sink);
  FUZZ_REQUIRE(sink.listed >= 0 && sink.listed <= quill::kLastChunkRow);

  // So is the player's language, 0 (none of the game's) to 20.
  const int slot = size > 1 ? data[1] % 21 : 1;
  RecordingView view;
  const quill::InspectorContext context{state, resourceMap, scratch.path(), view, slot};
  for (int row = 0; row <= sink.listed + 1; ++row) quill::ShowChunk(row, context);
  quill::ShowChunk(-1, context);
  quill::ShowChunk(quill::kLastChunkRow + 1, context);

  for (const std::string& caption : view.captions) {
    FUZZ_REQUIRE(caption.starts_with(quill::kNameCaptionPrefix));
    FUZZ_REQUIRE(ShownName(caption.substr(std::string_view(quill::kNameCaptionPrefix).size())));
  }
  for (const std::string& text : view.descriptions) {
    FUZZ_REQUIRE(Characters(text) >= 2);
    FUZZ_REQUIRE(Shown(text, quill::platform::kDescriptionLimit));
  }
  FUZZ_REQUIRE(view.descriptions.size() <= view.captions.size());
  if (!state.rosterPassRunning()) FUZZ_REQUIRE(view.rosterLines.empty());
  FUZZ_REQUIRE(view.rosterLines.size() <= view.descriptions.size());

  // The name search on its own, over the whole input as a body.
  const Bytes& body = state.FileImage;
  const std::string printable = quill::PrintableRendering(body);
  FUZZ_REQUIRE(printable.size() == body.size());
  FUZZ_REQUIRE(Printable(printable));
  // A string table's rendering drops its comments and nothing else; any other body keeps the
  // one-character-per-byte rendering.
  const std::string rendering = quill::RenderingForExtraction(body);
  FUZZ_REQUIRE(Printable(rendering));
  FUZZ_REQUIRE(rendering.size() <= body.size());
  if (!body.starts_with("\xFD\xFF")) FUZZ_REQUIRE(rendering == printable);
  const quill::NameAndDescription found = quill::ExtractNameAndDescription(body, slot);
  if (found.name) {
    FUZZ_REQUIRE(ShownName(*found.name));
  } else {
    FUZZ_REQUIRE(!found.description);
  }
  if (found.description) {
    FUZZ_REQUIRE(Characters(*found.description) >= 2);
    FUZZ_REQUIRE(Shown(*found.description, quill::platform::kDescriptionLimit));
  }
  // A complete table always names its Sim from the chosen language; any other body is cut at
  // its markers, from the printable rendering unless the cut was capped.
  const std::optional<quill::LocalizedStrings> language = quill::ReadLocalizedStrings(body, slot);
  if (language) {
    FUZZ_REQUIRE(found.name && found.description);
  } else {
    for (const std::optional<std::string>* cut : {&found.name, &found.description}) {
      if (*cut && !(*cut)->ends_with("\xE2\x80\xA6") && **cut != quill::kNoInformation)
        FUZZ_REQUIRE(rendering.find(**cut) != std::string::npos);
    }
  }

  for (int row = 0; row <= std::min(sink.listed + 1, quill::kLastChunkRow); ++row) {
    state.ChunkTable[row] = quill::ChunkRecord();
  }
  for (int row = 0; row <= quill::kLastResourceMapRow; ++row) {
    resourceMap[row] = quill::ResourceMapRecord();
  }
  return 0;
}
