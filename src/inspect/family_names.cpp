#include "inspect/family_names.h"

#include <algorithm>
#include <cstdint>

#include "chunkfile/chunk_table.h"
#include "inspect/neighbourhood.h"
#include "platform/files.h"

namespace quill {

namespace {

constexpr std::size_t kPieceSize = 64 * 1024;

// Walks a file's chunks as its bytes arrive, keeping only what a chunk header or a "FAMs" body
// needs, so that a file costs one piece of memory whatever its size.
class FamilyNameWalk {
 public:
  FamilyNameWalk(int playerSlot, std::size_t most) : playerSlot_(playerSlot), most_(most) {}

  // False once the walk is over: enough names, or a chunk shorter than its own header.
  bool take(std::string_view piece) {
    while (!piece.empty() && names_.size() < most_) {
      if (skip_ > 0) {
        const std::size_t passed = std::min(skip_, piece.size());
        skip_ -= passed;
        piece.remove_prefix(passed);
        continue;
      }
      const std::size_t taken = std::min(wanted_ - held_.size(), piece.size());
      held_.append(piece.substr(0, taken));
      piece.remove_prefix(taken);
      if (held_.size() < wanted_) continue;
      if (inBody_) {
        endBody();
      } else if (!endHeader()) {
        return false;
      }
    }
    return names_.size() < most_;
  }

  std::vector<std::string> names() && { return std::move(names_); }

 private:
  bool endHeader() {
    std::uint32_t size = 0;
    for (std::size_t k = 4; k < 8; ++k) size = size << 8 | static_cast<unsigned char>(held_[k]);
    const bool names = held_.compare(0, 4, "FAMs") == 0;
    held_.clear();
    if (size < static_cast<std::uint32_t>(kChunkHeaderLength)) return false;
    const std::size_t body = size - kChunkHeaderLength;
    if (names && body <= kLongestFamilyNameChunk) {
      inBody_ = true;
      wanted_ = body;
    } else {
      skip_ = body;
    }
    return true;
  }

  void endBody() {
    if (std::optional<std::string> name = ReadFamilyName(held_, playerSlot_)) {
      names_.push_back(std::move(*name));
    }
    held_.clear();
    inBody_ = false;
    wanted_ = kChunkHeaderLength;
  }

  int playerSlot_;
  std::size_t most_;
  std::size_t skip_ = kFileHeaderLength;
  bool inBody_ = false;
  std::size_t wanted_ = kChunkHeaderLength;
  std::string held_;
  std::vector<std::string> names_;
};

}  // namespace

std::vector<std::string> FamilyNamesIn(std::string_view image, int playerSlot, std::size_t most) {
  FamilyNameWalk walk(playerSlot, most);
  walk.take(image);
  return std::move(walk).names();
}

std::vector<std::string> ReadFamilyNames(const std::filesystem::path& file, int playerSlot,
                                         std::size_t most) {
  FamilyNameWalk walk(playerSlot, most);
  std::size_t read = 0;
  platform::ReadFileInPieces(file, platform::kLargestReadableFile, kPieceSize,
                             [&](std::string_view piece) {
                               read += piece.size();
                               return walk.take(piece) && read < kFamilyNamesReadLimit;
                             });
  return std::move(walk).names();
}

}  // namespace quill
