// SPDX-License-Identifier: GPL-3.0-or-later
// The name and description of a Sim: cut at the dot markers of a chunk's text, or read whole from
// the game's text table in the player's language; which language the tables' names point to; and
// the roster's reader over a character file's bytes, with no window.
#include "inspect/name_and_description.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "character_builder.h"
#include "command_line/json_listing.h"
#include "command_line/roster_listing.h"
#include "command_line/startup_request.h"
#include "inspect/language_evidence.h"
#include "inspect/roster_entry.h"
#include "platform/files.h"

namespace quill {
namespace {

using namespace testdata;

TEST(NameAndDescription, CutAtTheDotMarkersOfTheTextOfAnythingButATableOfLanguages) {
  // Complete tables whose strings are in no language of the game, so they are cut as other text.
  std::vector<TableString> zeds(65, {"Zed", "", 0});
  std::string zedRendering = "....";
  for (int i = 0; i < 65; ++i) zedRendering += ".Zed..";
  zedRendering += std::string(65, '.');
  const std::optional<std::string> none;
  const std::string longName(400, 'N');
  // A body; the rendering the name is cut from; the name and the description cut.
  using Cut = std::optional<std::string>;
  const std::tuple<Bytes, std::string, Cut, Cut> cases[] = {
      {StringTable(zeds), zedRendering, "Zed", "Zed."},  // the count's first byte is "A"
      {StringTable({{"Ann", "a note...", 21}, {"Sings", "", 21}}), ".....Ann...Sings....", "Ann",
       "Sings."},
      {Hex({0xFD, 0xFF, 0x02, 0x00, 0x01}) + "Bob"_b + Hex({0}) + "note"_b, ".....Bob.note", none,
       none},  // a comment never ends
      {".....Bob...X..."_b, ".....Bob...X...", "Bob", "X."},
      {".....Bob...."_b, ".....Bob....", "Bob", none},
      {"....."_b, ".....", none, none},
      {".....Bob"_b, ".....Bob", none, none},
      // Without the opening marker the name starts at the fifth character.
      {"abcdName...Text..."_b, "abcdName...Text...", "Name", "Text."},
      {"a...Ann...x..."_b, "a...Ann...x...", "Ann", "x."},
      {"x.......Eve...About..."_b, "x.......Eve...About...", "..Eve", "About."},
      {".....Bob......"_b, ".....Bob......", "Bob", kNoInformation},
      // Unprintable bytes are dots; three in a row end the description.
      {"\x01\x01\x01\x01\x01Jos\xE9 B\x00\x00\x01Line\r\nTwo\x01\x02\x03more..."_b,
       ".....Jos. B...Line..Two...more...", "Jos. B", "Line..Two."},
      {"....." + longName + "...x..."_b, "....." + longName + "...x...",
       std::string(300, 'N') + "\u2026", "x."},
  };
  for (const auto& [body, rendering, name, description] : cases) {
    SCOPED_TRACE(body);
    EXPECT_EQ(RenderingForExtraction(body), rendering);
    const auto found = ExtractNameAndDescription(body, 1);
    EXPECT_EQ(found.name, name);
    EXPECT_EQ(found.description, description);
  }
}

// The twenty-language Sim with the strings of the `kept` slots only, or of all.
Bytes Marigold(std::initializer_list<int> kept = {}) {
  std::vector<TableString> strings = {{kMultilingualName, ""}, {kMultilingualDescription, ""}};
  for (const TableString& string : OtherLanguages()) {
    if (kept.size() == 0 || std::find(kept.begin(), kept.end(), string.language) != kept.end())
      strings.push_back(string);
  }
  return StringTable(strings);
}

TEST(NameAndDescription, ReadWholeInThePlayersLanguageFromTheTextTableOfACharacterFile) {
  const Bytes all = Marigold();
  const std::string longBiography(40000, 'b');
  // `--language`; the character file's text table; the name and the description shown.
  const std::tuple<const char*, Bytes, std::string, std::string> cases[] = {
      {"en_US", all, "Marigold Fenwick", "Loves gardening and rainy days."},
      {"en_GB", all, "Marigold Fenwick", "Loves gardening, rainy days and the colour grey."},
      {"fr", all, "Marguerite Lefèvre",
       "Adore le jardinage et les jours de pluie. Née à Besançon."},
      {"de-DE", all, "Margarete Schönfeld",
       "Liebt Gartenarbeit und Regentage. Mag Äpfel über alles."},
      // Every slot of the code page 1252 languages: a slot swapped or left out is caught.
      {"it", all, "Margherita Fenucci",
       "Ama il giardinaggio e i giorni di pioggia. Più tè, per favore."},
      {"es", all, "Margarita Núñez", "Le encanta la jardinería y los días de lluvia. ¿Café? ¡Sí!"},
      {"nl", all, "Madelief Venhuis", "Houdt van tuinieren en regenachtige dagen. Één kopje thee."},
      {"da", all, "Morgenfrue Ærø", "Elsker havearbejde og regnvejrsdage. Blåbærsyltetøj!"},
      {"sv", all, "Ringblomma Åström", "Älskar trädgårdsarbete och regniga dagar."},
      {"nb", all, "Ringblomst Løvås", "Elsker hagearbeid og regnværsdager."},
      {"fi", all, "Kehäkukka Mäkelä", "Rakastaa puutarhanhoitoa ja sadepäiviä."},
      {"he", all, "מרגנית", "אוהבת גינון וימים גשומים."},
      {"ru_RU", all, "Ноготки Фенвик", "Любит садоводство и дождливые дни."},
      {"pt", all, "Margarida Fenwick", "Adora jardinagem e dias de chuva. Coração de ouro."},
      {"ja_JP.UTF-8", all, "マリーゴールド", "ガーデニングと雨の日が大好き。ソファで読書も。"},
      {"pl", all, "Małgorzata Żółkiewska", "Uwielbia ogrodnictwo i deszczowe dni. Źdźbło trawy."},
      {"zh_CN", all, "金盏花", "喜欢园艺和下雨天。"},
      {"zh_TW", all, "金盞花", "喜歡園藝和許多下雨天。"},
      {"zh_HK", all, "金盞花", "喜歡園藝和許多下雨天。"},
      {"th", all, "ดาวเรือง", "ชอบทำสวนและวันฝนตก"},
      {"ko", all, "금잔화", "정원 가꾸기와 비 오는 날을 좋아해요. 똠얌꿍도!"},
      {"ar", all, "Marigold Fenwick", "Loves gardening and rainy days."},  // not the game's
      {"fr", Marigold({4, 15}), "Marigold Fenwick", "Loves gardening and rainy days."},
      {"en", StringTable({{"", "Sings."}, {"", ""}, {"Zo\xE9", "", 3}, {"Chante.", "", 3}}), "Zoé",
       "Chante."},
      {"en", testdata::NameAndDescription("R.J.", "Likes cats"), "R.J.", "Likes cats"},
      // 0x80 (\200) in an otherwise ASCII name is the euro sign of code page 1252.
      {"en", StringTable({{"Euro\x80", ""}, {"Costs \2005.", ""}}), "Euro€", "Costs €5."},
      // The player's slot with an empty name and a biography gives way to the one with a name.
      {"fr", StringTable({{"Ada", ""}, {"Maps.", ""}, {"", "", 3}, {"Cartes.", "", 3}}), "Ada",
       "Maps."},
      // The locale that names no language of the game's, in each of its spellings.
      {"POSIX", all, "Marigold Fenwick", "Loves gardening and rainy days."},
      {"C.UTF-8", all, "Marigold Fenwick", "Loves gardening and rainy days."},
      {"en", testdata::NameAndDescription("Tab\tNew\nline", "Line one\r\nLine two\r\n"),
       "Tab␉New␊line", "Line one\r\nLine two\r\n"},
      {"en", testdata::NameAndDescription("Al", "."), "Al", kNoInformation},
      {"en", testdata::NameAndDescription("Al", longBiography), "Al",
       std::string(30000, 'b') + "…"},
      // A pair whose second byte cannot follow, and a first byte at the end.
      {"ja", StringTable({{"Bob", ""}, {"", ""}, {"\x83\x7B\x83\x75\x81 X\x83", "", 15}}),
       "ボブ\uFFFD X\uFFFD", kNoInformation},
  };
  const platform::ScratchFolder folder;
  for (const auto& [language, table, name, description] : cases) {
    SCOPED_TRACE(language + (": " + name));
    using Path = std::filesystem::path;
    const StartupRequest request = ParseCommandLine(
        {Path("quillmere").native(), Path("--language").native(), Path(language).native()});
    ASSERT_EQ(request.mode, StartupMode::Window);
    CharacterFile().add({"CTSS", 2000, 0x10, "", table, {}, {}}).write(folder.path() / "User1.iff");
    EXPECT_EQ(ListRoster(folder.path(), request.languageSlot).value().at(0).name, name);
    EXPECT_EQ(ExtractNameAndDescription(table, request.languageSlot).description, description);
  }
}

// One table's names by slot.
SlotNames Names(std::initializer_list<std::pair<int, const char*>> names) {
  SlotNames table;
  for (const auto& [slot, name] : names) table[static_cast<std::size_t>(slot - 1)] = name;
  return table;
}

// Catches names counted rather than distinct names, empty names counted, and ties broken the
// wrong way round (slot 1 before the desktop's, or the highest slot first).
TEST(LanguageEvidence, TheSlotWithTheMostDistinctNamesWins) {
  const std::vector<SlotNames> played = {Names({{1, "Jackie"}, {2, "Randy"}}),
                                         Names({{1, "Marcus"}, {2, "Randy"}}),
                                         Names({{1, "Luna"}, {2, "Randy"}})};
  const std::vector<SlotNames> alike = {Names({{1, "Randy"}, {2, "Randy"}, {3, "Sylvain"}})};
  const std::vector<SlotNames> later = {Names({{4, "Jens"}, {5, "Ugo"}}),
                                        Names({{4, "Anke"}, {5, "Lia"}})};
  const std::vector<SlotNames> blanks = {Names({{1, "Ada"}, {3, ""}}), Names({{3, ""}})};
  const std::tuple<const char*, std::vector<SlotNames>, int, std::optional<int>> kCases[] = {
      {"players' names beat the desktop", played, 2, 1},
      {"a tie goes to the desktop's slot", alike, 3, 3},
      {"then to slot 1", alike, 5, 1},
      {"then to the lowest", later, 2, 4},
      {"a desktop language the game lacks", alike, 0, 1},
      {"empty names do not count", blanks, 3, 1},
      {"no names", {Names({{2, ""}})}, 2, std::nullopt},
      {"no tables", {}, 2, std::nullopt},
  };
  for (const auto& [what, tables, desktop, slot] : kCases)
    EXPECT_EQ(MostNamedSlot(tables, desktop), slot) << what;
}

// Catches a slot's second string (the biography) taken for its name, a slot off by one, a
// language byte outside 1 to 20 taken, and a name kept whole however long it is.
TEST(LanguageEvidence, ATableGivesEachSlotsFirstString) {
  const std::string longName(2000, 'a');
  const std::optional<SlotNames> names = ReadSlotNames(testdata::StringTable({{"Jackie", ""},
                                                                              {"Hers.", ""},
                                                                              {"Randy", "", 2},
                                                                              {"Jens", "", 4},
                                                                              {"Kai", "", 21},
                                                                              {longName, "", 20}}));
  ASSERT_TRUE(names);
  EXPECT_EQ(
      *names,
      Names({{1, "Jackie"}, {2, "Randy"}, {4, "Jens"}, {20, longName.substr(0, 903).c_str()}}));
  EXPECT_EQ(ReadSlotNames("\xFD\xFF\x01"), std::nullopt);
}

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
  const Bytes name = testdata::NameAndDescription("Ada", "Loves maps");
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
