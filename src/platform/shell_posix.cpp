// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's URL opener, started detached so that the viewer never waits for the browser.
#include <QProcess>
#include <QString>
#include <QStringList>

#include "platform/shell.h"

namespace quill::platform {

namespace {
// The Windows shell's answers, which callers may compare against: above 32 is success,
// 2 is "file not found" (here: no opener could be started).
constexpr std::int32_t kHandedOver = 42;
constexpr std::int32_t kNoOpener = 2;
}  // namespace

std::int32_t OpenWebPage(const std::string& address) {
  const bool started =
      QProcess::startDetached(QStringLiteral("xdg-open"), {QString::fromStdString(address)});
  return started ? kHandedOver : kNoOpener;
}

}  // namespace quill::platform
