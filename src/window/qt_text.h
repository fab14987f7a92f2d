// SPDX-License-Identifier: GPL-3.0-or-later
// Text the readers made (UTF-8) as the window's widgets take it.
#pragma once

#include <QString>
#include <string>

namespace quill {

inline QString Text(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace quill
