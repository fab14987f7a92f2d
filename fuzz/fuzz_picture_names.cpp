// SPDX-License-Identifier: GPL-3.0-or-later
// The names pictures are saved under, from arbitrary text: a Sim's name and a chunk's label must
// never make a name a file system refuses, a Windows device, or a path outside the chosen folder.
#include <QString>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "fuzz_check.h"
#include "platform/files.h"
#include "window/picture_actions.h"
#include "window/picture_files.h"

namespace {

constexpr std::size_t kLongestLabel = 64;  // a chunk label's field
// What a file name may take, less " (1000).png".
constexpr qsizetype kLongestStem = 255 - 11;

bool FitsAFileName(const QString& name) {
  if (name.isEmpty() || name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' '))) {
    return false;
  }
  for (const QChar c : name) {
    if (c.unicode() < 32 || c.unicode() == 127 || QStringLiteral("<>:\"/\\|?*").contains(c)) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace fs = std::filesystem;
  static const quill::platform::ScratchFolder folder;
  FUZZ_REQUIRE(!folder.path().empty());
  // The first byte splits the rest into a label (Latin-1, as chunk labels are read) and a name.
  const std::string bytes = quill::fuzz::AsBytes(data, size);
  const std::size_t labelLength =
      bytes.empty() ? 0 : std::min<std::size_t>(kLongestLabel, std::uint8_t(bytes[0]));
  const std::string rest = bytes.empty() ? std::string() : bytes.substr(1);
  const QString label = QString::fromLatin1(rest.substr(0, labelLength));
  const QString sim = QString::fromUtf8(rest.substr(std::min(labelLength, rest.size())));

  const QString safe = quill::FileNameSafe(sim);
  FUZZ_REQUIRE(FitsAFileName(safe));
  FUZZ_REQUIRE(quill::FileNameSafe(safe) == safe);
  const QString stem = quill::PictureFileStem(sim, label);
  FUZZ_REQUIRE(FitsAFileName(stem));
  FUZZ_REQUIRE(stem.toUtf8().size() <= kLongestStem);

  const fs::path png = quill::WithPngSuffix(quill::PathFromText(sim));
  FUZZ_REQUIRE(
      quill::PathText(png.filename()).endsWith(QStringLiteral(".png"), Qt::CaseInsensitive));
  FUZZ_REQUIRE(png.parent_path() == quill::PathFromText(sim).parent_path());

  // A taken name gives way to the first free " (n)" copy in the same folder.
  const fs::path first = quill::FreePngName(folder.path(), stem);
  FUZZ_REQUIRE(first.parent_path() == folder.path());
  FUZZ_REQUIRE(first.filename() == quill::PathFromText(stem + QStringLiteral(".png")));
  FUZZ_REQUIRE(static_cast<bool>(std::ofstream(first)));
  const fs::path second = quill::FreePngName(folder.path(), stem);
  FUZZ_REQUIRE(second.filename() == quill::PathFromText(stem + QStringLiteral(" (2).png")));
  std::error_code ignored;
  fs::remove(first, ignored);
  return 0;
}
