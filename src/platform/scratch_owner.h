// What telling a live scratch folder from a stale one asks of the operating system.
#pragma once

#include <cstdint>
#include <filesystem>

namespace quill::platform {

std::uint64_t CurrentProcessId();
// Whether a process of that id runs now (also one of another user).
bool ProcessRuns(std::uint64_t id);
// Whether `folder` is a real folder, not a link, that belongs to the current user.
bool IsOwnFolder(const std::filesystem::path& folder);

}  // namespace quill::platform
