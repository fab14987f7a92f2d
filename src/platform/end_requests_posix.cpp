// Signals reach the event loop through a pipe: the handler only writes a byte, and a socket
// notifier reads it in the loop, where ending the program properly is safe.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>

#include "platform/end_requests.h"

namespace quill::platform {

namespace {

// The one datum a signal handler can reach: it is set once, before any handler is installed.
int signalPipeInput = -1;

void OnSignal(int) {
  const int savedErrno = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(signalPipeInput, &byte, 1);
  errno = savedErrno;
}

bool MakeQuietPipe(int (&ends)[2]) {
  if (::pipe(ends) != 0) return false;
  for (const int end : ends) {
    ::fcntl(end, F_SETFD, FD_CLOEXEC);
    // A full pipe already holds a request; a handler must never block on it.
    ::fcntl(end, F_SETFL, ::fcntl(end, F_GETFL) | O_NONBLOCK);
  }
  return true;
}

}  // namespace

std::function<bool()> CallOnEndRequest(QObject& owner, std::function<void()> onEnd) {
  int ends[2];
  if (!MakeQuietPipe(ends)) return [] { return false; };
  signalPipeInput = ends[1];
  auto* notifier = new QSocketNotifier(ends[0], QSocketNotifier::Read, &owner);
  QObject::connect(notifier, &QSocketNotifier::activated, &owner,
                   [output = ends[0], onEnd = std::move(onEnd)] {
                     char drained[16];
                     while (::read(output, drained, sizeof drained) > 0) {
                     }
                     onEnd();
                   });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signal, &action, nullptr);
  // A byte in the pipe is a request the event loop has not handled yet; it stays for the loop.
  return [output = ends[0]] {
    pollfd waiting{output, POLLIN, 0};
    return ::poll(&waiting, 1, 0) > 0 && (waiting.revents & POLLIN) != 0;
  };
}

}  // namespace quill::platform
