// SPDX-License-Identifier: GPL-3.0-or-later
// File services on Windows.
#include <windows.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "platform/files.h"
#include "platform/read_to_end.h"
#include "platform/scratch_owner.h"

namespace quill::platform {

namespace fs = std::filesystem;

namespace {

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  Handle& operator=(Handle&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  HANDLE get() const { return handle_; }
  HANDLE release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

 private:
  HANDLE handle_;
};

// Opens a file on disk for reading, refusing devices, pipes and files over `limit` bytes; gives
// its size.
std::optional<std::size_t> OpenDiskFile(const fs::path& path, std::size_t limit, Handle& file) {
  file = Handle(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return std::nullopt;
  if (::GetFileType(file.get()) != FILE_TYPE_DISK) return std::nullopt;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
      static_cast<unsigned long long>(size.QuadPart) > limit) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(size.QuadPart);
}

// The system's own words for an error code.
std::string Reason(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  if (length == 0) return "Windows error " + std::to_string(error);
  std::wstring wide(text, length);
  ::LocalFree(text);
  while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r')) wide.pop_back();
  return DisplayName(fs::path(wide));
}

}  // namespace

bool ReadWholeFile(const fs::path& path, std::string& bytes, std::size_t limit) {
  Handle file(INVALID_HANDLE_VALUE);
  const std::optional<std::size_t> size = OpenDiskFile(path, limit, file);
  if (!size) {
    bytes.clear();
    return false;
  }
  return ReadToEnd(bytes, *size, limit, [&file](char* into, std::size_t room) -> long long {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(room, 1 << 20));
    return ::ReadFile(file.get(), into, want, &got, nullptr) ? got : -1;
  });
}

bool ReadFileInPieces(const fs::path& path, std::size_t limit, std::size_t pieceSize,
                      const std::function<bool(std::string_view piece)>& take) {
  Handle file(INVALID_HANDLE_VALUE);
  if (!OpenDiskFile(path, limit, file)) return false;
  std::string piece(std::clamp<std::size_t>(pieceSize, 1, 1 << 20), '\0');
  std::size_t total = 0;
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), piece.data(), static_cast<DWORD>(piece.size()), &got, nullptr)) {
      return false;
    }
    if (got == 0) return true;
    total += got;
    if (total > limit) return false;
    if (!take(std::string_view(piece.data(), got))) return true;
  }
}

bool ReadFileStart(const fs::path& path, std::size_t most, std::string& bytes) {
  Handle file(INVALID_HANDLE_VALUE);
  const std::optional<std::size_t> size = OpenDiskFile(path, kLargestReadableFile, file);
  if (!size) {
    bytes.clear();
    return false;
  }
  return ReadUpTo(bytes, std::min(most, *size), [&file](char* into, std::size_t room) -> long long {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(room, 1 << 20));
    return ::ReadFile(file.get(), into, want, &got, nullptr) ? got : -1;
  });
}

bool ReadFilePart(const fs::path& path, std::uint64_t offset, std::size_t count, std::string& bytes,
                  std::uint64_t* fileSize) {
  bytes.clear();
  Handle file(INVALID_HANDLE_VALUE);
  const std::optional<std::size_t> size =
      OpenDiskFile(path, std::numeric_limits<std::size_t>::max(), file);
  if (!size || offset > *size || count > *size - offset) return false;
  if (fileSize != nullptr) *fileSize = *size;
  LARGE_INTEGER at{};
  at.QuadPart = static_cast<LONGLONG>(offset);
  if (!::SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN)) return false;
  if (!ReadUpTo(bytes, count, [&file](char* into, std::size_t room) -> long long {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(room, 1 << 20));
        return ::ReadFile(file.get(), into, want, &got, nullptr) ? got : -1;
      })) {
    return false;
  }
  if (bytes.size() == count) return true;
  bytes.clear();
  return false;
}

bool WriteAtStart(const fs::path& path, const std::string& bytes) {
  // OPEN_ALWAYS keeps an existing file's bytes; a reparse point in the file's place is not
  // followed.
  Handle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return false;
  std::size_t written = 0;
  while (written < bytes.size()) {
    DWORD put = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1 << 20));
    if (!::WriteFile(file.get(), bytes.data() + written, want, &put, nullptr) || put == 0) {
      return false;
    }
    written += put;
  }
  return true;
}

FinishingSteps SystemFinishingSteps() {
  return {
      [](std::intptr_t file) { return ::FlushFileBuffers(reinterpret_cast<HANDLE>(file)) != 0; },
      [](std::intptr_t file) { return ::CloseHandle(reinterpret_cast<HANDLE>(file)) != 0; }};
}

SaveResult SaveWholeFile(const fs::path& path, std::string_view bytes, WhenNameTaken whenTaken,
                         const FinishingSteps& steps) {
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  fs::path partial;
  Handle file(INVALID_HANDLE_VALUE);
  // A name of its own: CREATE_NEW never opens anything already in the folder.
  for (int attempt = 0; file.get() == INVALID_HANDLE_VALUE && attempt < 100; ++attempt) {
    partial = folder / (".quillmere-" + std::to_string(::GetCurrentProcessId()) + "-" +
                        std::to_string(attempt) + ".part");
    file = Handle(::CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) {
      return {SaveResult::kFailed, Reason(::GetLastError())};
    }
  }
  if (file.get() == INVALID_HANDLE_VALUE) return {SaveResult::kFailed, Reason(ERROR_FILE_EXISTS)};
  const auto fail = [&](DWORD error) {
    file = Handle(INVALID_HANDLE_VALUE);
    ::DeleteFileW(partial.c_str());
    return SaveResult{SaveResult::kFailed, Reason(error)};
  };
  for (std::size_t written = 0; written < bytes.size();) {
    DWORD put = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1 << 20));
    if (!::WriteFile(file.get(), bytes.data() + written, want, &put, nullptr)) {
      return fail(::GetLastError());
    }
    if (put == 0) return fail(ERROR_DISK_FULL);
    written += put;
  }
  // A disk that fills up may only say so when the data is flushed, or even when it is closed.
  if (!steps.flush(reinterpret_cast<std::intptr_t>(file.get()))) return fail(::GetLastError());
  if (!steps.close(reinterpret_cast<std::intptr_t>(file.release()))) {
    return fail(::GetLastError());
  }
  // Without MOVEFILE_REPLACE_EXISTING the move fails when the name is taken, in one step. With
  // it, a link in the file's place is replaced as a name; its target is not touched.
  const DWORD replacing = whenTaken == WhenNameTaken::kReplace ? MOVEFILE_REPLACE_EXISTING : 0;
  if (!::MoveFileExW(partial.c_str(), path.c_str(), replacing | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) {
      ::DeleteFileW(partial.c_str());
      return {SaveResult::kNameTaken, {}};
    }
    return fail(error);
  }
  return {SaveResult::kSaved, {}};
}

bool DeleteFileNamed(const fs::path& path) {
  return ::DeleteFileW(path.c_str()) != 0;
}

fs::path ScratchBase() {
  std::error_code ec;
  fs::path base = fs::temp_directory_path(ec);
  return ec ? fs::path() : base;
}

ScratchFolder::ScratchFolder(const fs::path& base) {
  if (base.empty()) return;
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate = base / ("quillmere-" + std::to_string(::GetCurrentProcessId()) +
                                       "-" + std::to_string(::GetTickCount64() + attempt));
    // The temporary folder lies in the user's own profile, so its permissions are already private.
    if (::CreateDirectoryW(candidate.c_str(), nullptr)) {
      path_ = candidate;
      mark();
      return;
    }
  }
}

std::uint64_t CurrentProcessId() {
  return ::GetCurrentProcessId();
}

std::intptr_t HoldMarker(const fs::path& file, const std::string& text) {
  // Shared for reading only, never for writing or deleting: while it is open, no other run can
  // open it for itself alone.
  Handle marker(::CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (marker.get() == INVALID_HANDLE_VALUE) return -1;
  DWORD put = 0;
  if (!::WriteFile(marker.get(), text.data(), static_cast<DWORD>(text.size()), &put, nullptr) ||
      put != text.size()) {
    return -1;
  }
  return reinterpret_cast<std::intptr_t>(marker.release());
}

void ReleaseMarker(std::intptr_t marker) {
  if (marker != -1) ::CloseHandle(reinterpret_cast<HANDLE>(marker));
}

bool MarkerAbandoned(const fs::path& file) {
  const DWORD attributes = ::GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
    return false;
  }
  // A live run's marker cannot be opened for one alone.
  const Handle marker(::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  return marker.get() != INVALID_HANDLE_VALUE;
}

bool IsOwnFolder(const fs::path& folder) {
  // The temporary folder lies in the user's own profile; only a reparse point needs refusing.
  const DWORD attributes = ::GetFileAttributesW(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
         !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::vector<std::string> ListDrives() {
  std::vector<std::string> drives;
  const DWORD present = ::GetLogicalDrives();
  for (int letter = 0; letter < 26; ++letter) {
    if (present & (1u << letter))
      drives.push_back(std::string(1, static_cast<char>('A' + letter)) + ":");
  }
  return drives;
}

std::string DriveOf(const fs::path& path) {
  const std::string text = path.string();
  return text.substr(0, std::min<std::size_t>(2, text.size()));
}

std::string DisplayName(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace quill::platform
