// SPDX-License-Identifier: GPL-3.0-or-later
// The system asking the program to end (a logout, `kill`, Ctrl+C in the terminal that started
// it): handled like the user's own Close, from the event loop.
#pragma once

#include <QObject>
#include <functional>

namespace quill::platform {

// Runs `onEnd` with the signal's number from the event loop of `owner`'s thread when the system
// asks the program to end: SIGTERM, SIGINT or SIGHUP on POSIX. Call it before the event loop first
// runs. While `owner` lives the signals end nothing by themselves; once it is gone they end the
// program as they always do, and one that came meanwhile unheard ends it at once. Gives a check of
// whether such a request is waiting, for work that runs long between event turns and should end
// early rather than hold up the program's end.
std::function<bool()> CallOnEndRequest(QObject& owner, std::function<void(int signal)> onEnd);

// Ends the program as `signal` itself would have, once whatever it asked for is done, so that
// whoever sent it sees it obeyed.
[[noreturn]] void EndAsSignalled(int signal);

}  // namespace quill::platform
