// The system asking the program to end (a logout, `kill`, Ctrl+C in the terminal that started
// it): handled like the user's own Close, from the event loop.
#pragma once

#include <QObject>
#include <functional>

namespace quill::platform {

// Runs `onEnd` from the event loop of `owner`'s thread when the system asks the program to end:
// SIGTERM, SIGINT or SIGHUP on POSIX. Call it once, before the event loop first runs. Gives a
// check of whether such a request is waiting, for work that runs long between event turns and
// should end early rather than hold up the program's end.
std::function<bool()> CallOnEndRequest(QObject& owner, std::function<void()> onEnd);

}  // namespace quill::platform
