// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a person reads the program's messages as they come: notes meant for them are left out
// of what a script or a pipe collects.
#pragma once

namespace quill::platform {

// Whether standard error is a terminal (a console window on Windows).
bool StandardErrorIsTerminal();

}  // namespace quill::platform
