// SPDX-License-Identifier: GPL-3.0-or-later
// What telling a live scratch folder from a stale one asks of the operating system.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace quill::platform {

std::uint64_t CurrentProcessId();

// Creates the marker `file` holding `text` and keeps it open, and so locked against
// MarkerAbandoned, until ReleaseMarker; -1 when it could not be made. No other run ever finds it
// unlocked.
std::intptr_t HoldMarker(const std::filesystem::path& file, const std::string& text);
void ReleaseMarker(std::intptr_t marker);
// Whether `file` is a marker, not a link, that no run holds any longer.
bool MarkerAbandoned(const std::filesystem::path& file);

// Whether `folder` is a real folder, not a link, that belongs to the current user.
bool IsOwnFolder(const std::filesystem::path& folder);

}  // namespace quill::platform
