// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the command line over arbitrary arguments (the input split at its zero bytes, as the
// system would pass them): every answer is well formed, and a path reaches the window or the
// listing with exactly the bytes it was given.
#include <QCoreApplication>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "command_line/startup_request.h"
#include "fuzz_check.h"

namespace {

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> parts{"quillmere"};
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\0', start)) != std::string::npos; start = end + 1) {
    parts.push_back(text.substr(start, end - start));
  }
  parts.push_back(text.substr(start));
  return parts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static int argc = 1;
  static char name[] = "quillmere";
  static char* argv[] = {name, nullptr};
  static const QCoreApplication application(argc, argv);
  QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));

  const std::vector<std::string> arguments = Split(quill::fuzz::AsBytes(data, size));
  const quill::StartupRequest request = quill::ParseCommandLine(arguments);
  switch (request.mode) {
    case quill::StartupMode::Refused:
      FUZZ_REQUIRE(request.text.starts_with("quillmere: ") && request.text.ends_with("\n"));
      FUZZ_REQUIRE(!request.path);
      break;
    case quill::StartupMode::Help:
    case quill::StartupMode::Version:
      FUZZ_REQUIRE(!request.text.empty());
      break;
    case quill::StartupMode::Window:
    case quill::StartupMode::List:
    case quill::StartupMode::Check:
      FUZZ_REQUIRE(request.text.empty());
      if (request.path) {
        FUZZ_REQUIRE(std::find(arguments.begin() + 1, arguments.end(), request.path->native()) !=
                     arguments.end());
      }
      break;
    case quill::StartupMode::Render:
    case quill::StartupMode::Thumbnail: {
      // A picture is only ever asked for within the sizes drawing is bounded by, into a file.
      const QSize size = request.picture.size;
      const int largest = request.mode == quill::StartupMode::Render ? 4096 : 1024;
      const int smallest = request.mode == quill::StartupMode::Render ? 16 : 1;
      FUZZ_REQUIRE(request.text.empty() && request.path && !request.picture.out.empty());
      FUZZ_REQUIRE(size.width() >= smallest && size.width() <= largest);
      FUZZ_REQUIRE(size.height() >= smallest && size.height() <= largest);
      FUZZ_REQUIRE(request.picture.member >= 1);
      break;
    }
  }
  // The game's folder is one argument, or the end of one, exactly as given.
  if (request.game) {
    FUZZ_REQUIRE(std::any_of(arguments.begin() + 1, arguments.end(), [&](const std::string& a) {
      return a.ends_with(request.game->native());
    }));
  }
  // One argument that cannot be an option, or any argument after "--", is the path itself.
  const bool onePath = arguments.size() == 2 && !arguments[1].starts_with('-');
  const bool pathAfterEnd = arguments.size() == 3 && arguments[1] == "--";
  if (onePath || pathAfterEnd) {
    FUZZ_REQUIRE(request.mode == quill::StartupMode::Window);
    FUZZ_REQUIRE(request.path && request.path->native() == arguments.back());
  }
  return 0;
}
