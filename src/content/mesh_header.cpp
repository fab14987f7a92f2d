// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/mesh_header.h"

#include "content/mesh_values.h"
#include "platform/text.h"

namespace quill::content {

namespace {

bool EndsWithFileName(std::string_view line) {
  const std::string lower = platform::AsciiLowerCase(line);
  return lower.ends_with(".skn") || lower.ends_with(".bmp");
}

}  // namespace

std::optional<MeshHeader> ReadBinaryMeshHeader(std::string_view bytes) {
  try {
    mesh_values::BinaryValues in(bytes);
    return mesh_values::ReadMeshHeader(in);
  } catch (const ChunkFailure&) {
    return std::nullopt;
  }
}

std::optional<MeshHeader> ReadTextMeshHeader(std::string_view text) {
  // Only the first two lines are counted: a mesh's geometry can run to megabytes.
  const std::size_t firstEnd = text.find('\n');
  if (firstEnd == std::string_view::npos || firstEnd + 1 == text.size()) return std::nullopt;
  const std::size_t secondEnd = text.find('\n', firstEnd + 1);
  // The second line with its end, if it has one, so that an empty second line is still a line.
  mesh_values::TextValues in(
      text.substr(0, secondEnd == std::string_view::npos ? secondEnd : secondEnd + 1));
  return mesh_values::ReadMeshHeader(in);
}

bool HasFileNameInHeader(const MeshHeader& header) {
  return EndsWithFileName(header.name) || EndsWithFileName(header.defaultTexture);
}

}  // namespace quill::content
