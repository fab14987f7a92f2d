// SPDX-License-Identifier: GPL-3.0-or-later
// The one place where the file routines let window events run.
#pragma once

#include "chunkfile/character_state.h"
#include "chunkfile/character_view.h"

namespace quill {

// Lets pending window events run. False when one of them started a read, search or roster pass
// of its own: the work that granted the turn is then superseded and must stop.
inline bool LetEventsRun(CharacterState& state, CharacterView& view) {
  const std::uint64_t before = state.generation;
  view.letEventsRun();
  return state.generation == before;
}

}  // namespace quill
