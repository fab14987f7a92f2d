// SPDX-License-Identifier: GPL-3.0-or-later
// The picture loader, which reads a picture file by name, and the writer of PNG files.
#pragma once

#include <QImage>
#include <QSize>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/files.h"

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
// The largest of the pictures, by the size each one's header states, of those DecodePicture takes;
// a null picture when there is none. Only that one is decoded.
QImage LargestPicture(const std::vector<std::string>& pictures);

// Writes the picture as PNG through a file renamed into place once all of it is on the disk, so a
// failed save leaves no partial file and an existing one whole. Whatever has the name is kept
// unless `whenTaken` says to replace it; a link in the file's place is then replaced, not
// followed.
SaveResult SavePng(const QImage& picture, const std::filesystem::path& file,
                   WhenNameTaken whenTaken);

}  // namespace quill::platform
