// `quillmere --list --json`: who each Sim of a folder is, one JSON object per line.
#pragma once

#include <string>
#include <vector>

#include "command_line/roster_listing.h"
#include "inspect/neighbourhood.h"

namespace quill {

// One compact object per roster entry, in roster order, with the keys file, name, family,
// species, gender, age, sign, career, level, performance, personality, skills and friends;
// null where a value does not apply or is not known. UTF-8.
std::string FormatRosterJson(const std::vector<RosterEntry>& roster, const Neighbourhood& hood);

}  // namespace quill
