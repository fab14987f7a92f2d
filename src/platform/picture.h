// The picture loader: reads a picture file by name.
#pragma once

#include <QImage>
#include <filesystem>
#include <optional>
#include <string_view>

namespace quill::platform {

// Pictures beyond this many pixels are refused before any pixel memory is taken: a character
// file's portraits are a few thousand pixels, and a forged header must not claim gigabytes.
inline constexpr long long kLargestPicturePixels = 16LL * 1024 * 1024;

// The picture in the file, or nothing when the file is no picture the loader knows.
std::optional<QImage> LoadPicture(const std::filesystem::path& file);
// The same for a picture file's bytes already in memory.
std::optional<QImage> DecodePicture(std::string_view bytes);

}  // namespace quill::platform
