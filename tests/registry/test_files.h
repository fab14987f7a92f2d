// Writing the folders and files of a test's prefixes and homes, inside a platform::ScratchFolder.
#pragma once

#include <filesystem>
#include <fstream>
#include <string_view>

namespace quill::platform::registry::test {

// Writes `text` at `file`, making the folders on the way.
inline std::filesystem::path WriteText(const std::filesystem::path& file, std::string_view text) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(text.data(), static_cast<std::streamsize>(text.size()));
  return file;
}

// Makes `folder` and the folders on the way; its link-free spelling.
inline std::filesystem::path MakeFolder(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  return std::filesystem::canonical(folder);
}

}  // namespace quill::platform::registry::test
