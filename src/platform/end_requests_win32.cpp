// SPDX-License-Identifier: GPL-3.0-or-later
// Windows sends a windowed program no signals: it has no console for Ctrl+C, and a logout closes
// its window, which already ends it as Close does. A program killed outright leaves its scratch
// folder to the next start, which removes it.
#include <cstdlib>

#include "platform/end_requests.h"

namespace quill::platform {

std::function<bool()> CallOnEndRequest(QObject&, std::function<void(int)>) {
  return [] { return false; };
}

void EndAsSignalled(int signal) {
  std::_Exit(128 + signal);
}

}  // namespace quill::platform
