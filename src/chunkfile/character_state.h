// SPDX-License-Identifier: GPL-3.0-or-later
// What the viewer keeps between events: the loaded file and the flags its handlers share.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "chunkfile/chunk_table.h"

namespace quill {

struct CharacterState {
  Bytes FileImage;
  quill::ChunkTable ChunkTable;
  std::filesystem::path CurrentFilePath;
  // "0" while the roster is being built, "1" otherwise; the inspector adds names only on "0".
  std::string RosterPass = "1";
  // The roster's names by the Sims' GUIDs, which link them to their neighbourhood records: the
  // first file of the last roster pass with a GUID names it. For naming friends and families.
  std::unordered_map<std::uint32_t, std::string> RosterNames;

  // Advanced by every read, search and roster pass. These let window events run, and one
  // started from such an event supersedes the one it interrupted: that one sees the number move
  // at its event turn and stops, instead of mixing two files into one list or showing a Sim
  // that is no longer the one chosen.
  std::uint64_t generation = 0;

  bool rosterPassRunning() const { return RosterPass == "0"; }
  void markRosterPass(bool running) { RosterPass.assign(1, running ? '0' : '1'); }
};

}  // namespace quill
