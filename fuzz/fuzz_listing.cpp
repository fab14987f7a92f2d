// SPDX-License-Identifier: GPL-3.0-or-later
// What `quillmere --list --json` does for one character file: the roster entry, its looks and
// GUID, and the JSON line. The line is one line that a JSON parser reads whole into an object
// with the entry's name, and no name passes the caps of shown text.
#include <QJsonDocument>
#include <QJsonObject>
#include <cstddef>
#include <cstdint>
#include <string>

#include "command_line/json_listing.h"
#include "fuzz_check.h"
#include "inspect/roster_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string image = quill::fuzz::AsBytes(data, size);
  const int slot = size > 1 ? data[1] % 21 : 1;  // the walk never reads the file header
  quill::RosterEntry entry = quill::ReadRosterEntry(image, slot);
  FUZZ_REQUIRE(quill::fuzz::ShownWithin(entry.name, quill::platform::kNameLimit));
  entry.file = "User00000.iff";
  const std::string line = quill::FormatRosterJson({entry}, quill::Neighbourhood{});
  FUZZ_REQUIRE(line.ends_with('\n') && line.find('\n') == line.size() - 1);
  QJsonParseError error;
  const QJsonDocument document =
      QJsonDocument::fromJson(QByteArray(line.data(), static_cast<qsizetype>(line.size())), &error);
  FUZZ_REQUIRE(error.error == QJsonParseError::NoError && document.isObject());
  const QJsonObject object = document.object();
  FUZZ_REQUIRE(object.value(QStringLiteral("name")).toString().toStdString() == entry.name);
  FUZZ_REQUIRE(object.value(QStringLiteral("file")).toString() == QStringLiteral("User00000.iff"));
  return 0;
}
