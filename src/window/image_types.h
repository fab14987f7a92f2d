// SPDX-License-Identifier: GPL-3.0-or-later
// The six pictures a character file stores, and the words that find their chunk lines.
#pragma once

#include <array>

namespace quill {

struct ImageType {
  const char* objectName;
  const char* caption;
  const char* word;
  // Searched when `word` finds no line: the game labels the thumbnail "newimage" in most files.
  const char* fallbackWord;
};

inline constexpr std::array<ImageType, 6> kImageTypes = {{
    {"Option1", "Show Faces", "faces", nullptr},
    {"Option2", "Show Rel. Image", "rel. Image", nullptr},
    {"Option3", "Show Thumbnail", "thumbnail", "newimage"},
    {"Option4", "Show Speech Med.", "speech_med", nullptr},
    {"Option5", "Show Speech Large", "speech_large", nullptr},
    {"Option6", "Show Web Image", "web_image", nullptr},
}};

inline constexpr int kSpeechLargeOption = 4;  // index of Option5

}  // namespace quill
