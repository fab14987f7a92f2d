// SPDX-License-Identifier: GPL-3.0-or-later
// The picture loader: reads a picture file by name.
#pragma once

#include <QImage>
#include <QSize>
#include <filesystem>
#include <optional>
#include <string_view>

namespace quill::platform {

// Pictures beyond this many pixels are refused before any pixel memory is taken: a character
// file's portraits are at most a few hundred pixels a side, and a forged header must not claim
// more.
inline constexpr long long kLargestPicturePixels = 1024LL * 1024;
// Nor may a picture claim more pixels than its bytes can hold: a run-length-coded bitmap of one
// colour holds about 127 pixels a byte, a GIF a few hundred; a 35-byte GIF claiming 4096 x 4096
// is a forgery. Pictures of up to kAlwaysAdmittedPixels are spared this check.
inline constexpr long long kMostPixelsPerByte = 1024;
inline constexpr long long kAlwaysAdmittedPixels = 64 * 64;

// The picture in the file, or nothing when the file is no picture the loader knows.
std::optional<QImage> LoadPicture(const std::filesystem::path& file);
// The same for a picture file's bytes already in memory.
std::optional<QImage> DecodePicture(std::string_view bytes);
// The size the picture's header states, read without decoding a pixel; nothing where
// DecodePicture would refuse the picture for its format or its size.
std::optional<QSize> StatedPictureSize(std::string_view bytes);

}  // namespace quill::platform
