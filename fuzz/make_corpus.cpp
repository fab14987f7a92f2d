// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the fuzzers' seed inputs from the character-file builder: well-formed character files and
// the broken shapes the reader and inspector must survive, into OUTPUT_FOLDER/<target>/ for each
// fuzz target. Usage: make_corpus OUTPUT_FOLDER
#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "character_builder.h"
#include "family_export_builder.h"
#include "neighbourhood_builder.h"
#include "skin_builder.h"

namespace fs = std::filesystem;
using namespace quill::testdata;

namespace {

class Seeds {
 public:
  // Seeds an earlier run wrote there are removed: the folder holds this builder's seeds only.
  Seeds(const fs::path& root, const std::string& target) : folder_(root / target) {
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }

  void add(const std::string& name, const Bytes& bytes) {
    std::ofstream out(folder_ / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write seed " + name);
  }

 private:
  fs::path folder_;
};

Bytes WholeChunk(const Chunk& chunk) {
  return ChunkHeader(chunk) + chunk.body;
}

Bytes FileOf(std::initializer_list<Chunk> chunks, const Bytes& trailing = {}) {
  CharacterFile file;
  for (const Chunk& chunk : chunks) file.add(chunk);
  return file.trailing(trailing).build();
}

Chunk Typed(const std::string& type, Bytes body, const std::string& label = "") {
  Chunk chunk;
  chunk.type = type;
  chunk.label = label;
  chunk.body = std::move(body);
  return chunk;
}

Chunk Sized(Chunk chunk, std::int32_t size) {
  chunk.size = size;
  return chunk;
}

Bytes SmallPicture() {
  return Bitmap(3, 2, [](int x, int y) {
    return Rgb{static_cast<std::uint8_t>(x * 80), static_cast<std::uint8_t>(y * 120), 40};
  });
}

// Chunk bodies that the inspector treats specially, and broken versions of each.
std::vector<std::pair<std::string, Chunk>> InterestingChunks() {
  const Bytes picture = SmallPicture();
  std::vector<TableString> languages = {{kMultilingualName, ""}, {kMultilingualDescription, ""}};
  for (const TableString& string : OtherLanguages()) languages.push_back(string);
  return {
      {"ctss-twenty-languages", Typed("CTSS", StringTable(languages))},
      {"ctss", Typed("CTSS", NameAndDescription("Bella Goth", "Loves the night sky."))},
      {"ctss-empty-description", Typed("CTSS", NameAndDescription("Mortimer", ""))},
      {"ctss-one-letter", Typed("CTSS", NameAndDescription("M", "x"))},
      {"ctss-no-markers", Typed("CTSS", "plain text without any markers at all"_b)},
      {"ctss-name-only", Typed("CTSS", "xxxx.....Name Only"_b)},
      {"ctss-one-byte", Typed("CTSS", "\xFD"_b)},
      {"ctss-empty", Typed("CTSS", ""_b)},
      {"ctss-a3-filler", Typed("CTSS", StringTable({{"Name", ""}, {"Text", ""}}, 0xA3))},
      {"ctss-pet", Typed("CTSS", StringTable(std::vector<TableString>(40, {"Rex", "##note"})))},
      {"ctss-printable-filler", Typed("CTSS", StringTable({{"Name", ""}, {"Text", ""}}, 'o'))},
      {"str-fdff", Typed("STR#", StringTable({{"adult", ""}, {"Body", ""}}))},
      {"str-feff", Typed("STR#", StringTable({{"a", "b"}}, 0xA3, 0xFFFE))},
      {"str-old-format", Typed("STR#", StringTable({{"a", ""}}, 0xA3, 0x0000))},
      {"str-fc", Typed("STR#", "\xFC\xFF.....Sim...description here..."_b)},
      {"str-one-byte", Typed("STR#", "\xFF"_b)},
      {"str-empty", Typed("STR#", ""_b)},
      {"bmp", Typed("BMP_", picture, "faces")},
      {"bmp-not-picture", Typed("BMP_", "This is not a picture at all."_b, "faces")},
      {"bmp-empty", Typed("BMP_", ""_b, "faces")},
      {"bmp-huge-claim", Typed("BMP_", BitmapHeaderOnly(60000, 60000), "faces")},
      {"bmp-limit-claim", Typed("BMP_", BitmapHeaderOnly(1024, 1024, 16), "faces")},
      {"bmp-over-limit-claim", Typed("BMP_", BitmapHeaderOnly(1025, 1024, 16), "faces")},
      {"bmp-negative-height", Typed("BMP_", BitmapHeaderOnly(4, -4, 48), "faces")},
      {"bmp-truncated-pixels", Typed("BMP_", picture.substr(0, picture.size() - 5), "faces")},
      {"bmp-size-75", Sized(Typed("BMP_", picture, "faces"), 75)},
      {"bmp-size-76", Sized(Typed("BMP_", picture, "faces"), 76)},
      {"bmp-size-short", Sized(Typed("BMP_", picture, "faces"), 76 + 20)},
      {"rsmp", Typed("rsmp", ResourceMap({{"BMP_", {{64, 2001, 0x10, "faces\0"_b}}, {}}}))},
      {"rsmp-two-groups",
       Typed("rsmp",
             ResourceMap({{"BMP_",
                           {{64, 2001, 0x10, "faces\0"_b}, {9000, 2005, 0x10, "speech_large\0"_b}},
                           {}},
                          {"CTSS", {{8000, 2000, 0x10, "\0"_b}}, {}}}))},
      {"rsmp-a3-terminators",
       Typed("rsmp",
             ResourceMap({{"STR#",
                           {{1, 200, 0x10, "body strings\xA3\xA3"_b}, {2, 201, 0x10, "\xA3"_b}},
                           {}}}))},
      {"rsmp-huge-group-count", Typed("rsmp", ResourceMap({}, 0x7FFFFFFF))},
      {"rsmp-huge-entry-count",
       Typed("rsmp", ResourceMap({{"BMP_", {{1, 2, 3, "a\0"_b}}, 0x7FFFFFFF}}))},
      {"rsmp-negative-count", Typed("rsmp", ResourceMap({}, -1))},
      {"rsmp-zero-groups", Typed("rsmp", ResourceMap({}))},
      {"rsmp-unterminated-name",
       Typed("rsmp", ResourceMap({{"BMP_", {{1, 2, 3, "faces"_b}}, {}}}))},
      {"rsmp-truncated",
       Typed("rsmp", ResourceMap({{"BMP_", {{1, 2, 3, "x\0"_b}}, {}}}).substr(0, 26))},
      {"rsmp-no-magic", Typed("rsmp", "no map here"_b)},
      {"xxxx", Typed("XXXX", "bodystring"_b, "bodystring")},
  };
}

// Every row a 500-row table can hold, and then one more.
Bytes FullResourceMap(int entries) {
  MapGroup group{"BMP_", {}, {}};
  for (int i = 0; i < entries; ++i) group.entries.push_back({i, 1, 2, "n\0"_b});
  return ResourceMap({group});
}

void WholeFileSeeds(Seeds& seeds) {
  const Bytes bella = LookalikeCharacter("Bella Goth", "Loves the night sky.").build();
  const Bytes mortimer =
      LookalikeCharacter("Mortimer", "", SimLook{{150, 100, 70}, {20, 20, 20}, {0, 0, 0}, {}},
                         {.padding = 40, .chunks = 3, .remarks = 2})
          .build();
  seeds.add("lookalike-bella", bella);
  seeds.add("lookalike-mortimer", mortimer);
  for (const std::size_t length :
       {std::size_t{0}, std::size_t{1}, std::size_t{63}, std::size_t{64}, std::size_t{65},
        std::size_t{68}, std::size_t{69}, std::size_t{70}, std::size_t{71}, std::size_t{140},
        std::size_t{141}, std::size_t{300}, bella.size() / 2, bella.size() - 1}) {
    seeds.add("truncated-" + std::to_string(length), bella.substr(0, length));
  }

  const Chunk plain = Typed("XXXX", "body bytes"_b, "label");
  const Chunk after = Typed("CTSS", NameAndDescription("After", "Follows a broken chunk."));
  for (const std::int32_t size :
       {0, 1, 75, 76, 77, -1, -76, std::numeric_limits<std::int32_t>::min(), 100000, 0x7FFFFFFF}) {
    seeds.add("size-" + std::to_string(size), FileOf({Sized(plain, size), after}));
  }
  seeds.add("size-past-end-by-one", FileOf({Sized(plain, 76 + 11), after}));
  seeds.add("size-tail-short", FileOf({plain}, "\x01\x02\x03\x04\x05"_b));
  seeds.add("size-tail-six", FileOf({plain}, "XXXX\x00\x00"_b));

  for (const int count : {999, 1000, 1001}) {
    CharacterFile many;
    for (int i = 0; i < count; ++i) many.add(Typed("XXXX", ""_b));
    seeds.add("chunks-" + std::to_string(count), many.build());
  }

  Chunk highLabel = Typed("XXXX", "x"_b);
  highLabel.labelField = "\x80\x81\x9F\xA0\xFF label\0after the NUL"_b;
  seeds.add("label-code-page", FileOf({highLabel, after}));
  Chunk longLabel = Typed("XXXX", "x"_b);
  longLabel.labelField = Bytes(64, 'L');
  seeds.add("label-no-nul", FileOf({longLabel, after}));
  seeds.add("type-short", FileOf({}, "XX"_b));

  for (const auto& [name, chunk] : InterestingChunks()) {
    seeds.add("chunk-" + name, FileOf({chunk, after}));
  }
  // The same picture twice: the second write goes over the scratch file the first left.
  seeds.add("bmp-twice", FileOf({Typed("BMP_", BitmapHeaderOnly(2, 2, 0), "a"),
                                 Typed("BMP_", SmallPicture(), "b")}));
  seeds.add("rsmp-full", FileOf({Typed("rsmp", FullResourceMap(500))}));
  seeds.add("rsmp-overfull", FileOf({Typed("rsmp", FullResourceMap(501))}));
  Bytes roster = bella;
  roster[0] = 1;  // the fuzz target's switch for a running roster pass
  seeds.add("lookalike-roster-pass", roster);
}

void PictureSeeds(Seeds& seeds) {
  const Bytes small = SmallPicture();
  seeds.add("bmp-small", small);
  seeds.add("bmp-portrait", Portrait(45, 45, SimLook{}));
  seeds.add("bmp-strip", Portrait(105, 41, SimLook{}));
  seeds.add("bmp-1x1", Bitmap(1, 1, [](int, int) { return Rgb{1, 2, 3}; }));
  seeds.add("bmp-huge-claim", BitmapHeaderOnly(60000, 60000));
  seeds.add("bmp-limit-claim", BitmapHeaderOnly(1024, 1024, 16));
  seeds.add("bmp-over-limit-claim", BitmapHeaderOnly(1025, 1024, 16));
  seeds.add("bmp-run-length", RunLengthBitmap(1024, 1024));
  seeds.add("gif-around-one-pixel", GifAroundOnePixel(4096, 4096));
  seeds.add("bmp-negative-height", BitmapHeaderOnly(3, -2, 24));
  seeds.add("bmp-zero-width", BitmapHeaderOnly(0, 4));
  seeds.add("bmp-truncated", small.substr(0, small.size() - 7));
  seeds.add("bmp-header-only", small.substr(0, 54));
  seeds.add("bmp-magic-only", "BM"_b);
  seeds.add("not-a-picture", "This is not a picture at all."_b);
  seeds.add("empty", ""_b);

  // A seed in every format the image reader knows: the loader must show bitmaps, GIFs, JPEGs and
  // icons, and refuse every other format without decoding it.
  QImage image(6, 5, QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      image.setPixelColor(x, y, QColor(x * 40, y * 50, 90, 255 - x * 20));
    }
  }
  for (const char* format :
       {"png", "ppm", "pgm", "pbm", "xpm", "xbm", "jpg", "ico", "cur", "bmp"}) {
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format)) continue;  // that format's plugin is not installed
    seeds.add(std::string("qt-") + format,
              Bytes(encoded.constData(), static_cast<std::size_t>(encoded.size())));
  }
  // An icon's directory gives one size while the image it holds may have another.
  QByteArray png;
  QBuffer pngBuffer(&png);
  pngBuffer.open(QIODevice::WriteOnly);
  if (image.save(&pngBuffer, "png")) {
    const Bytes body(png.constData(), static_cast<std::size_t>(png.size()));
    const Bytes icon = Hex({0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0}) +
                       LittleEndian32(static_cast<std::int32_t>(body.size())) + LittleEndian32(22) +
                       body;
    seeds.add("icon-holding-png", icon);
  }
}

void PictureNameSeeds(Seeds& seeds) {
  // The first byte is the label's length; the rest, the label and then the Sim's name.
  seeds.add("faces",
            "\x05"
            "facesAda: the best"_b);
  seeds.add("devices",
            "\x0C"
            "speech_largeCON"_b);
  seeds.add("com-superscript",
            "\x00"
            "COM\xC2\xB2.png"_b);
  seeds.add("conout",
            "\x03"
            "webCONOUT$"_b);
  seeds.add("dots-and-spaces", "\x02. . . ."_b);
  seeds.add("long-name",
            "\x0B"
            "rel. images"_b +
                Bytes(240, 'x'));
  seeds.add("long-accented-name",
            "\x40"_b + Bytes(64, '\xE9') + Bytes(120, 'a') + "\xF0\x9F\x98\x80"_b);
  seeds.add("folders",
            "\x04"
            "a/b\\..\\..//x\n\t"_b);
}

// Character files of pictures, some claiming far more pixels than they hold.
void PictureSheetSeeds(Seeds& seeds) {
  seeds.add("lookalike", LookalikeCharacter("Bella Goth", "Loves the night sky.").build());
  const auto many = [](const Bytes& picture, int count) {
    CharacterFile file;
    for (int index = 0; index < count; ++index) file.add(Typed("BMP_", picture, "p"));
    return file.build();
  };
  seeds.add("gifs-around-one-pixel", many(GifAroundOnePixel(4096, 4096), 20));
  seeds.add("run-length-bitmaps", many(RunLengthBitmap(1024, 1024), 3));
  seeds.add("small-gif", many(GifAroundOnePixel(2, 2), 2));
  seeds.add("many-small-pictures", many(SmallPicture(), 300));
}

void StringTableSeeds(Seeds& seeds) {
  for (const auto& [name, chunk] : InterestingChunks()) {
    if (chunk.type == "STR#" || chunk.type == "CTSS") seeds.add(name, WholeChunk(chunk));
  }
  seeds.add("header-only", ChunkHeader(Typed("STR#", ""_b)));
  seeds.add("header-short", ChunkHeader(Typed("STR#", ""_b)).substr(0, 40));
}

void ResourceMapSeeds(Seeds& seeds) {
  for (const auto& [name, chunk] : InterestingChunks()) {
    if (chunk.type == "rsmp") seeds.add(name, WholeChunk(chunk));
  }
  seeds.add("rsmp-full", WholeChunk(Typed("rsmp", FullResourceMap(500))));
  seeds.add("rsmp-overfull", WholeChunk(Typed("rsmp", FullResourceMap(501))));
  seeds.add("magic-at-end", "pmsr"_b);
  seeds.add("magic-twice", "pmsr\0\0\0\0pmsr\0\0\0\0\1\0\0\0"_b);
}

void RegistrySeeds(Seeds& seeds) {
  const std::string header = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";
  seeds.add("game-folder", header +
                               "#arch=win32\n"
                               "[Software\\\\Maxis\\\\The Sims] 1700000000\n"
                               "#time=1da0b0c0d0e0f00\n"
                               "\"InstallPath\"=\"C:\\\\Program Files\\\\Maxis\\\\The Sims\"\n"
                               "\"SIMS_LANGUAGE\"=\"English\"\n"
                               "\"Installed\"=dword:00000001\n"
                               "@=\"default\"\n");
  seeds.add("every-form", header +
                              "[Software\\\\Test]\n"
                              "\"Expand\"=str(2):\"C:\\\\x\"\n"
                              "\"Multi\"=str(7):\"a\\0b\"\n"
                              "\"Hex\"=hex:39,30,01,02\n"
                              "\"HexString\"=hex(1):41,00,42,00\n"
                              "\"Long\"=hex:39,\\\n  30,31,32\n"
                              "\"Escapes\"=\"q\\\"b\\\\t\\ttab\\x00e9d\\x4e2d\\101|\\e|\\z\"\n"
                              "\"Raw\"=\"\xC3\x9Cn\xC3\xAF\x63ode\"\n"
                              "\"Crlf\"=\"crlf\"\r\n"
                              "\"Surrogates\"=hex(1):3d,d8,00,de,00,d8,41,00\n"
                              "\"Empty\"=\"\"\n");
  seeds.add("wow64", header +
                         "#arch=win64\n"
                         "[Software\\\\Wow6432Node\\\\Maxis\\\\The Sims]\n"
                         "\"InstallPath\"=str:\"D:\\\\Sims\"\n");
  seeds.add("broken-lines", header +
                                "[Unclosed\n\"Orphan\"=\"x\"\n[Ok]\n\"Bad\"=dword:xyz\n"
                                "\"Bad2\"=hex(zz):00\n\"Bad3\"=hex:0g\n\"NoEquals\" \"x\"\n");
  seeds.add("no-header", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software]\n\"a\"=\"b\"\n");
  seeds.add("header-only", "WINE REGISTRY Version 2");
  // libFuzzer makes inputs no longer than its longest seed: these reach the lines cut at 64 KiB
  // (a value, and a hex list wrapped over many lines) and a key holding more than is kept.
  std::string wrapped = "\"Wrapped\"=hex:";
  for (int i = 0; i < 700; ++i) {
    for (int k = 0; k < 33; ++k) wrapped += "01,";
    wrapped += "\\\n  ";
  }
  seeds.add("long-lines", header + "[Software\\\\Maxis\\\\The Sims] 1\n\"Long\"=\"" +
                              std::string(70 * 1024, 'x') + "\"\n" + wrapped +
                              "02\n\"SIMS_DATA\"=\"C:\\\\Sims\"\n");
  std::string values = header + "[Software\\\\Maxis\\\\The Sims] 1\n";
  for (int i = 0; i < 300; ++i) {
    values += "\"v" + std::to_string(i) + "\"=\"" + std::string(1000, 'v') + "\"\n";
  }
  seeds.add("large-key", values + "\"SIMS_DATA\"=\"C:\\\\Sims\"\n");
}

void WinePathSeeds(Seeds& seeds) {
  seeds.add("game-folder", "C:\\Program Files\\Maxis\\The Sims\\UserData\\Characters"_b);
  seeds.add("other-case", "c:/PROGRAM FILES/maxis/the sims/userdata/characters/"_b);
  seeds.add("dots", "C:\\..\\Program Files\\.\\Nowhere\\..\\Maxis"_b);
  seeds.add("saves", "C:\\users\\player\\Saved Games\\Electronic Arts"_b);
  seeds.add("other-drive", "D:\\Games"_b);
  seeds.add("unc", "\\\\server\\share\\x"_b);
}

void LibraryListSeeds(Seeds& seeds) {
  seeds.add("steam-libraries",
            "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/home/p/.local/"
            "share/Steam\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"3314060\"\t\t\"1\"\n\t\t}\n"
            "\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"/mnt/games/Steam\"\n\t}\n}\n"_b);
  seeds.add("escapes",
            "\"path\" \"D:\\\\Steam\\\"x\"\n\"PATH\" \"\"\n\"path\" \"/a\" \"path\" \"/a\"\n"_b);
  seeds.add("lutris-game",
            "game:\n  exe: /home/p/Games/the-sims/drive_c/Sims.exe\n  prefix: "
            "/home/p/Games/the-sims\nsystem:\n  env: {}\nwine:\n  version: lutris-7\n"_b);
  seeds.add("lutris-quoted", "game:\r\n  prefix: '/home/p/My Games/sims'\r\n"_b);
}

void CommandLineSeeds(Seeds& seeds) {
  seeds.add("list-folder", "--list\0Characters"_b);
  seeds.add("path-after-end", "--\0-reverse"_b);
  seeds.add("latin-1-path", "caf\xe9"_b);
  seeds.add("compacted", "-hv"_b);
  seeds.add("option-value", "--list=x"_b);
  seeds.add("two-paths", "one\0-\0two"_b);
}

void NeighbourhoodSeeds(Seeds& seeds) {
  const PersonSpec ada{"Ada", 0xA,  PersonData({{7, 850}, {61, 2}, {65, 1}}),
                       1,     0xA1, {{2, {90, 1}}}};
  const PersonSpec old{"Bo", 0x4, PersonData({{70, 3}}, 80), 2, 0xB0, {{1, {60}}, {9, {}}}};
  const FamilySpec family{2, 1, 2, 500, 1, {0xA1, 0xB0}, "Goth"};
  const Bytes whole = NeighbourhoodFile({ada, std::nullopt, old}, {family}).build();
  seeds.add("neighbourhood", whole);
  seeds.add("neighbourhood-cut", whole.substr(0, whole.size() / 2));
  seeds.add("neighbourhood-large", LargeNeighbourhood(40, 6).build());
  seeds.add("people", PeopleBody({ada, old}));
  seeds.add("people-no-data", PeopleBody({PersonSpec{"", 0xA, std::nullopt, 3, 3, {}}}));
  seeds.add("people-count-past-end", PeopleBody({ada}, 0x7FFFFFFF));
  seeds.add("family", FamilyBody(family));
}

void FamilyExportSeeds(Seeds& seeds) {
  ExportSpec unindexed = FamilyOfFour();
  unindexed.index = false;
  seeds.add("family-export", FamilyExportFile(FamilyOfFour()).build());
  seeds.add("family-export-old", FamilyExportFile(FamilyOfFour(true)).build());
  seeds.add("family-export-unindexed", FamilyExportFile(unindexed).build());
  seeds.add("family-export-damaged", DamagedFamilyExport());
}

void LooksSeeds(Seeds& seeds) {
  const Bytes table = BodyStrings({});
  seeds.add("body-strings", table);
  seeds.add("body-strings-outfits",
            BodyStrings({.outfits = {"b107fafit_01,BODY=B107FAFitlgt_swim", "not a garment"}}));
  LooksSpec pet;
  pet.skeleton = "dog";
  pet.head.clear();
  pet.skinTone = "unk";
  seeds.add("body-strings-pet", BodyStrings(pet));
  seeds.add("body-strings-cut", table.substr(0, table.size() / 2));
  seeds.add("character-file-looks", FileOf({Chunk{"STR#", 200, 0x10, "", table, {}, {}},
                                            Typed("CTSS", NameAndDescription("Ada", "Maps."))}));
}

Bytes U32(std::uint32_t value) {
  return LittleEndian32(static_cast<std::int32_t>(value));
}

void FarSeeds(Seeds& seeds) {
  const Bytes archive = FarArchive({{"b001fafit_01.cmx.bcf", "suit bytes"},
                                    {"Skins\\B001FAFitlgt_01.bmp", "bitmap"},
                                    {"meshes/xskin-body.bmf", ""}});
  seeds.add("far", archive);
  seeds.add("far-empty", FarArchive({}));
  seeds.add("far-cut", archive.substr(0, archive.size() - 3));
  // The manifest's count, then one entry running past the manifest and one inside the header.
  const Bytes header = "FAR!byAZ"_b + U32(1) + U32(20);
  seeds.add("far-count-past-end", header + "abcd"_b + U32(0x7FFFFFFF));
  seeds.add("far-refused-entries", header + "abcd"_b + U32(2) + U32(8) + U32(8) + U32(16) + U32(1) +
                                       "a"_b + U32(4) + U32(4) + U32(4) + U32(1) + "b"_b);
  seeds.add("far-sizes-differ", header + "abcd"_b + U32(1) + U32(4) + U32(3) + U32(16) + U32(0));
}

SuitFileSpec SeedSuits() {
  return {{{"adult",
            {{"ROOT", "NULL", {0, 2.5f, 0}, {0, 0, 0, 1}, std::pair{"limb", "none"}},
             {"PELVIS", "ROOT", {0.1f, 0, 0}, {0.5f, 0.5f, 0.5f, 0.5f}, std::nullopt}}}},
          {{"b001fafit_01", 0, {{"PELVIS", "xskin-b001fafit_01-PELVIS-BODY", 0}}},
           {"h001fa", 1, {{"HEAD", "xskin-h001fa-HEAD", 2}, {"NECK", Bytes(300, 'n'), 0}}}},
          2};
}

void BinarySuitSeeds(Seeds& seeds) {
  const Bytes whole = BinarySuitFile(SeedSuits());
  seeds.add("bcf", whole);
  seeds.add("bcf-no-skills", BinarySuitFile({{}, SeedSuits().suits, 0}));
  seeds.add("bcf-cut-in-skills", whole.substr(0, whole.size() - 9));
  seeds.add("bcf-cut-in-suits", whole.substr(0, whole.find("xskin-h001")));
  seeds.add("bcf-skin-count-past-end",
            U32(0) + U32(1) + "\1s"_b + U32(0) + U32(0) + U32(0x7FFFFFFF) + U32(0));
}

Bytes WithCrLf(const Bytes& text) {
  Bytes crlf;
  for (const char c : text) c == '\n' ? crlf.append("\r\n") : crlf.append(1, c);
  return crlf;
}

void TextSuitSeeds(Seeds& seeds) {
  const Bytes whole = TextSuitFile(SeedSuits());
  seeds.add("cmx", whole);
  seeds.add("cmx-crlf", WithCrLf(whole));
  seeds.add("cmx-no-skills", TextSuitFile({{}, SeedSuits().suits, 0}));
  seeds.add("cmx-cut-in-skills", whole.substr(0, whole.size() - 9));
  seeds.add("cmx-version-200", "// x\nversion 200\n0\n1\ns\n0\n0\n0\n0\n"_b);
  seeds.add("cmx-skin-count-past-end", "// x\nversion 300\n0\n1\ns\n0\n0\n4294967295\n0\n"_b);
}

void MeshSeeds(Seeds& seeds) {
  seeds.add("bmf", BinaryMesh("xskin-b001fafit_01-PELVIS-BODY", "x"));
  seeds.add("bmf-long-name", BinaryMesh(Bytes(300, 'm'), "b001fafitlgt_01"));
  seeds.add("bmf-length-past-end", "\xFF\xFF\xFF\xFF\x7F"_b);
  seeds.add("skn", TextMesh("xskin-h001-HEAD", "h001lgt") + "0\n"_b);
  seeds.add("skn-crlf-file-name", "  Hat.SKN \r\nhat.bmp\r\n"_b);
  seeds.add("bmp-8-bit", PaletteBitmap(128, 128).substr(0, 54));
  seeds.add("bmp-24-bit", TrueColourBitmap(64, 64).substr(0, 54));
  seeds.add("bmp-top-down", BitmapHeaderOnly(64, -64));
  seeds.add("tga-colour-mapped", Hex({0, 1, 1, 0, 0, 0, 1, 24, 0, 0, 0, 0, 0, 1, 0, 1, 8, 0}));
  seeds.add("tga-run-length-colour-mapped",
            Hex({0, 1, 9, 0, 0, 0, 1, 24, 0, 0, 0, 0, 64, 0, 64, 0, 8, 0}));
  seeds.add("tga-true-colour", Hex({0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 128, 0, 128, 0, 24, 0}));
}

// Both forms of a whole mesh, for both readers: the small body mesh, meshes without geometry, and
// the small mesh cut short or with an index past what it indexes.
void WholeMeshSeeds(Seeds& seeds) {
  const Bytes binary = BinaryMesh(SmallBodyMesh());
  const Bytes text = TextMesh(SmallBodyMesh());
  MeshSpec pastTheBlends = SmallBodyMesh();
  pastTheBlends.bindings[1].firstBlend = 1;
  seeds.add("bmf-small-body", binary);
  seeds.add("skn-small-body", text);
  seeds.add("skn-small-body-crlf", WithCrLf(text));
  seeds.add("bmf-no-geometry", BinaryMesh("xskin-b001fafit_01-PELVIS-BODY", "x"));
  seeds.add("skn-no-geometry", TextMesh("xskin-h001-HEAD", "h001lgt"));
  seeds.add("bmf-cut-in-the-vertices", binary.substr(0, binary.size() - 5));
  seeds.add("skn-cut-in-the-vertices", text.substr(0, text.size() - 5));
  seeds.add("bmf-binding-past-the-blends", BinaryMesh(pastTheBlends));
  seeds.add("skn-binding-past-the-blends", TextMesh(pastTheBlends));
}

Bytes I16(int value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

// fuzz_pose's input: a 16-bit length and a binary suit file that long, then a mesh's counts and
// values of a byte or two each, in the order fuzz/fuzz_pose.cpp reads them, then the view.
Bytes PoseInput(const Bytes& suitFile, const Bytes& mesh) {
  return I16(static_cast<int>(suitFile.size())) + suitFile + mesh;
}

// A vertex at (x, y, z) facing +z.
Bytes PoseVertex(int x, int y, int z) {
  return I16(x * 256) + I16(y * 256) + I16(z * 256) + "\0\0\x40"_b;
}

void PoseSeeds(Seeds& seeds) {
  const Bytes adult = BinarySuitFile(SeedSuits());  // ROOT, then PELVIS
  // A quad on PELVIS, its top corner pulled halfway towards a blend vertex of ROOT's.
  Bytes quad = "\2\0\1\4"_b;
  for (const auto& [x, y] : {std::pair{-1, 2}, {1, 2}, {1, 0}, {-1, 0}}) {
    // Texture places in 1/128, (0, 0) at the top-left.
    quad += PoseVertex(x, y, 0) + static_cast<char>((x + 1) * 64) + static_cast<char>((2 - y) * 64);
  }
  quad += "\1"_b + U32(0x4000) + "\0"_b + PoseVertex(0, 3, 1);
  quad += "\2"_b + "\1\0\4\xFF\0"_b + "\0\0\0\0\1"_b;
  quad += "\2"_b + "\0\1\2"_b + "\0\2\3"_b;
  seeds.add("quad", PoseInput(adult, quad));
  // Turned 30° and tilted 10° (the floats' bits), at zoom 1.
  seeds.add("quad-turned",
            PoseInput(adult, quad + U32(0x41F00000) + U32(0x41200000) + U32(0x3F800000)));
  SuitFileSpec orphan = SeedSuits();
  orphan.skeletons[0].bones[1].parent = "SPINE";
  seeds.add("parent-missing", PoseInput(BinarySuitFile(orphan), quad));
  seeds.add("bone-not-in-skeleton", PoseInput(adult, "\2\7\1"_b + quad.substr(3)));
}

// fuzz_texture's input: a byte choosing the form (0 bitmap, 1 Targa), then the file.
void TextureSeeds(Seeds& seeds) {
  seeds.add("bitmap-8-bit", "\0"_b + PaletteBitmap(8, 8));
  seeds.add("bitmap-24-bit", "\0"_b + TrueColourBitmap(4, 4));
  seeds.add("targa-raw", "\1"_b + StripedTarga(4, 3, false));
  seeds.add("targa-runs", "\1"_b + StripedTarga(4, 3, true));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  const fs::path root = argv[1];
  try {
    const std::pair<const char*, void (*)(Seeds&)> targets[] = {
        {"fuzz_chunk_walk", WholeFileSeeds},
        {"fuzz_inspector", WholeFileSeeds},
        {"fuzz_string_table", StringTableSeeds},
        {"fuzz_resource_map", ResourceMapSeeds},
        {"fuzz_picture", PictureSeeds},
        {"fuzz_picture_names", PictureNameSeeds},
        {"fuzz_picture_sheet", PictureSheetSeeds},
        {"fuzz_wine_registry", RegistrySeeds},
        {"fuzz_wine_path", WinePathSeeds},
        {"fuzz_library_lists", LibraryListSeeds},
        {"fuzz_command_line", CommandLineSeeds},
        {"fuzz_neighbourhood", NeighbourhoodSeeds},
        {"fuzz_family_export", FamilyExportSeeds},
        {"fuzz_looks", LooksSeeds},
        {"fuzz_listing", WholeFileSeeds},
        {"fuzz_far", FarSeeds},
        {"fuzz_bcf", BinarySuitSeeds},
        {"fuzz_cmx", TextSuitSeeds},
        {"fuzz_mesh", MeshSeeds},
        {"fuzz_whole_mesh", WholeMeshSeeds},
        {"fuzz_pose", PoseSeeds},
        {"fuzz_texture", TextureSeeds}};
    for (const auto& [target, makeSeeds] : targets) {
      Seeds seeds(root, target);
      makeSeeds(seeds);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make_corpus: %s\n", error.what());
    return 1;
  }
  return 0;
}
