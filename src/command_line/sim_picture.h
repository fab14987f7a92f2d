// SPDX-License-Identifier: GPL-3.0-or-later
// `quillmere --render` and `quillmere --thumbnail`: a Sim's picture written as a new PNG file,
// without a window or a display, and what went wrong said as an answer.
#pragma once

#include <filesystem>
#include <string>

#include "command_line/listing.h"
#include "command_line/startup_request.h"

namespace quill {

namespace content {
class GameSkins;
}

// Draws the Sim of a character file, or member `picture.member` of a family export, in
// `picture.outfit`, at `picture.size`, into the new file `picture.out`. Status 2, with no file
// made, when the file cannot be read, holds no such member or outfit, or `picture.out` exists;
// status 1 when nothing of the Sim can be drawn (no game folder; `searched` says where the search
// looked) or the file cannot be written.
Answer RenderSim(const std::filesystem::path& path, const PictureRequest& picture, int languageSlot,
                 content::GameSkins& skins, const std::string& searched);

// For a file manager: the portrait a character file holds (its large speech picture, else the
// first that decodes), or the family export's house picture, else its first member's, fitted
// within `picture.size`; without one, the (first) Sim drawn in everyday wear as RenderSim draws
// it, when the game is found. Status 1 and no file when there is nothing to show.
Answer MakeThumbnail(const std::filesystem::path& path, const PictureRequest& picture,
                     int languageSlot, content::GameSkins& skins, const std::string& searched);

}  // namespace quill
