// SPDX-License-Identifier: GPL-3.0-or-later
// Signals reach the event loop through a pipe: the handler only writes the signal's number, and a
// socket notifier reads it in the loop, where ending the program properly is safe.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <cstdlib>

#include "platform/end_requests.h"

namespace quill::platform {

namespace {

constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The one datum a signal handler can reach: it is set before the handlers are installed and
// cleared only after they are gone.
int signalPipeInput = -1;

void OnSignal(int signal) {
  const int savedErrno = errno;
  const char byte = static_cast<char>(signal);
  [[maybe_unused]] const ssize_t written = ::write(signalPipeInput, &byte, 1);
  errno = savedErrno;
}

void HandleEndSignals(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : kEndSignals) ::sigaction(signal, &action, nullptr);
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

// The first request waiting in the pipe, the rest drained; 0 when none waits.
int TakeRequests(int output) {
  char requests[16];
  int first = 0;
  for (ssize_t got; (got = ::read(output, requests, sizeof requests)) > 0;) {
    if (first == 0) first = requests[0];
  }
  return first;
}

}  // namespace

std::function<bool()> CallOnEndRequest(QObject& owner, std::function<void(int signal)> onEnd) {
  int ends[2];
  if (!MakeQuietPipe(ends)) return [] { return false; };
  signalPipeInput = ends[1];
  auto* notifier = new QSocketNotifier(ends[0], QSocketNotifier::Read, &owner);
  QObject::connect(notifier, &QSocketNotifier::activated, &owner,
                   [output = ends[0], onEnd = std::move(onEnd)] {
                     if (const int signal = TakeRequests(output)) onEnd(signal);
                   });
  QObject::connect(notifier, &QObject::destroyed, [output = ends[0], input = ends[1]] {
    HandleEndSignals(SIG_DFL);
    signalPipeInput = -1;
    const int unheard = TakeRequests(output);
    ::close(output);
    ::close(input);
    if (unheard != 0) ::raise(unheard);
  });
  HandleEndSignals(OnSignal);
  // A byte in the pipe is a request the event loop has not handled yet; it stays for the loop.
  return [output = ends[0]] {
    pollfd waiting{output, POLLIN, 0};
    return ::poll(&waiting, 1, 0) > 0 && (waiting.revents & POLLIN) != 0;
  };
}

void EndAsSignalled(int signal) {
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  ::sigaction(signal, &action, nullptr);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal);
  ::pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
  ::raise(signal);
  std::_Exit(128 + signal);
}

}  // namespace quill::platform
