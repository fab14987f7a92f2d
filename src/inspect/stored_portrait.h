// SPDX-License-Identifier: GPL-3.0-or-later
// The portrait of a Sim that its character file keeps, as the Sim card and the file manager's
// thumbnail both show it.
#pragma once

#include <QImage>
#include <string_view>

namespace quill {

// The file's large speech picture, else the first picture it holds that decodes; a null picture
// when none does. `image` is the whole file.
QImage StoredPortrait(std::string_view image);

}  // namespace quill
