// SPDX-License-Identifier: GPL-3.0-or-later
// `quillmere --list [--json] FAMILY.FAM`: who is in a family export, member by member in the
// family's order.
#pragma once

#include <string>

#include "inspect/family_export.h"

namespace quill {

namespace content {
class SkinsCheck;
}

// "file<TAB>member<TAB>name" lines, the member numbered from 1, UTF-8.
std::string FormatFamily(const std::string& file, const FamilyExport& family);

// One object per member: the keys of `--list --json`, then "member" and "looks".
std::string FormatFamilyJson(const std::string& file, const FamilyExport& family,
                             content::SkinsCheck* skins = nullptr);

}  // namespace quill
