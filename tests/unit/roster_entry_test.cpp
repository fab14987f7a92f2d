// The roster's reader over a character file's bytes, with no window.
#include "inspect/roster_entry.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "character_builder.h"
#include "command_line/json_listing.h"

namespace quill {
namespace {

using namespace testdata;

// The first 32 body bytes of a Sim's object definition, GUID 0x12345678 in bytes 28 to 31.
Bytes ObjectBody(std::size_t length) {
  Bytes body = Bytes(28, '\0') + Hex({0x78, 0x56, 0x34, 0x12});
  body.resize(length, 'x');
  return body;
}

// A 76-byte file whose one chunk has size 0 held --list --json forever (the looks reader walked
// the same chunk again and again); a GUID read past the object's end, or missed when the body
// ends right after it, is caught by the bodies of 31 and 32 bytes; the roster's name is the last
// "CTSS" line's, as the window's roster pass finds it.
TEST(RosterEntry, NameGuidAndLooksOfOneFile) {
  const Bytes name = NameAndDescription("Ada", "Loves maps");
  // The file, the roster line, the GUID (0 for none), whether looks were read.
  const std::tuple<Bytes, std::string, std::uint32_t, bool> cases[] = {
      {FileHeader() + "XXXX"_b + Bytes(4, '\0') + Bytes(4, '\0'), "Bad File", 0, false},
      {CharacterFile().add({"OBJD", 128, 0, "", ObjectBody(32), {}, {}}).build(), "Bad File",
       0x12345678, false},
      {CharacterFile().add({"OBJD", 128, 0, "", ObjectBody(31), {}, {}}).build(), "Bad File", 0,
       false},
      {CharacterFile()
           .add({"OBJD", 1, 0, "", ObjectBody(40), {}, {}})
           .add({"CTSS", 2000, 0, "", name, {}, {}})
           .add({"STR#", 200, 0, "", BodyStrings({}), {}, {}})
           .build(),
       "Ada", 0, true},
      // The label counts as the chunk list shows it: the last line naming "ctss" is a picture.
      {CharacterFile()
           .add({"CTSS", 2000, 0, "", name, {}, {}})
           .add({"BMP_", 1, 0, "my ctss", "no picture"_b, {}, {}})
           .build(),
       "Bad File", 0, false},
  };
  for (const auto& [image, line, guid, looks] : cases) {
    const RosterEntry entry = ReadRosterEntry(image, 1);
    EXPECT_EQ(entry.name, line) << image.size();
    EXPECT_EQ(entry.guid.value_or(0), guid) << image.size();
    EXPECT_EQ(entry.looks.has_value(), looks) << image.size();
  }
}

// A name with a quote, a backslash and control characters comes out of --list --json as a line a
// JSON parser reads back to the shown name: an escape missed or doubled is caught.
TEST(RosterEntry, JsonLineParsesBackToTheShownName) {
  RosterEntry entry;
  entry.file = "User\"1\\.iff";
  entry.name = "Say \"hi\" \\ \x7F";
  const std::string line = FormatRosterJson({entry}, Neighbourhood{});
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
  ASSERT_EQ(error.error, QJsonParseError::NoError) << line;
  EXPECT_EQ(document.object().value("name").toString().toStdString(), "Say \"hi\" \\ \x7F");
  EXPECT_EQ(document.object().value("file").toString().toStdString(), "User\"1\\.iff");
  EXPECT_TRUE(line.ends_with("}\n"));
  // Control characters, which no shown name holds but any other string may.
  const std::string controls = "a\tb\nc\x01\"\\";
  std::string array = "[";
  array.append(Quoted(controls)).append("]");
  const QJsonDocument quoted = QJsonDocument::fromJson(QByteArray::fromStdString(array));
  EXPECT_EQ(quoted.array().at(0).toString().toStdString(), controls);
}

}  // namespace
}  // namespace quill
