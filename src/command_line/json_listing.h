// SPDX-License-Identifier: GPL-3.0-or-later
// `quillmere --list --json`: who each Sim of a folder is, one JSON object per line.
#pragma once

#include <string>
#include <vector>

#include "command_line/roster_listing.h"
#include "inspect/neighbourhood.h"
#include "inspect/sim_profile.h"

namespace quill {

namespace content {
class SkinsCheck;
}

// One compact object per roster entry, in roster order, with the keys file, name, family,
// species, gender, age, sign, career, level, performance, personality, skills and friends;
// null where a value does not apply or is not known. UTF-8.
// Each household is worked out once, however many of its Sims the roster holds.
// With `skins`, each Sim's looks are checked against the game's skins.
std::string FormatRosterJson(const std::vector<RosterEntry>& roster, const Neighbourhood& hood,
                             content::SkinsCheck* skins = nullptr);

// A JSON string; bytes that are not UTF-8 become U+FFFD.
std::string Quoted(std::string_view text);

// One Sim's object with the keys above, then `more` (",\"key\":value..."), then "looks", and its
// line's end. "looks": "skeleton" as {"name"}, body and head as {"mesh", "texture"} (null when the
// string has no such form), "skin_tone", the "outfits" list, each with its "part" ("formal",
// "left hand (open)"; null for a string that dresses none), and the "summary" of the skins check;
// null when there are no body strings. The skeleton and each garment also have "files" ({"suit",
// "mesh": [...], "texture": [...]}, each a path in the game's folder or "archive ▸ entry") and
// "problems" ([{"code", "text"}]); these and the summary are null unless `skins` checked them.
std::string SimJson(const std::string& file, const std::string& name, const SimProfile& sim,
                    const std::string& more = {}, content::SkinsCheck* skins = nullptr);

}  // namespace quill
