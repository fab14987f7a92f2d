// SPDX-License-Identifier: GPL-3.0-or-later
// Character files shaped like the game's own, with portraits drawn here.
#include <array>
#include <cmath>

#include "character_builder.h"

namespace quill::testdata {

namespace {

bool Inside(double x, double y, double cx, double cy, double rx, double ry) {
  const double dx = (x - cx) / rx;
  const double dy = (y - cy) / ry;
  return dx * dx + dy * dy <= 1.0;
}

Bytes Filler(std::size_t length, char seed) {
  Bytes bytes(length, '\0');
  for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<char>((i * 7 + seed) & 0x7F);
  return bytes;
}

Chunk Picture(std::uint16_t id, const std::string& label, int width, int height,
              const SimLook& look) {
  return {"BMP_", id, 0x10, label, Portrait(width, height, look), {}, {}};
}

}  // namespace

Bytes Portrait(int width, int height, const SimLook& look) {
  // Wide pictures are strips of square cells, one head in each.
  const int cell = std::max(1, std::min(width, height));
  return Bitmap(width, height, [&](int x, int y) {
    const double u = ((x % cell) + 0.5) / cell;
    const double v = (y + 0.5) / height;
    if (Inside(u, v, 0.40, 0.44, 0.05, 0.05) || Inside(u, v, 0.60, 0.44, 0.05, 0.05)) {
      return Rgb{20, 20, 40};
    }
    if (v > 0.58 && v < 0.64 && std::abs(u - 0.5) < 0.1) return Rgb{150, 30, 40};
    if (Inside(u, v, 0.5, 0.46, 0.28, 0.32)) {
      return v < 0.30 ? look.hair : look.skin;
    }
    if (Inside(u, v, 0.5, 0.30, 0.32, 0.22)) return look.hair;
    if (v > 0.80 && std::abs(u - 0.5) < 0.42) return look.shirt;
    return look.backdrop;
  });
}

std::vector<TableString> OtherLanguages() {
  struct Translation {
    std::uint8_t slot;
    const char* name;
    const char* description;
  };
  // Each in its language's Windows code page, the words in UTF-8 above it.
  static const Translation kTranslations[] = {
      // Marigold Fenwick / Loves gardening, rainy days and the colour grey.
      {2, "Marigold Fenwick", "Loves gardening, rainy days and the colour grey."},
      // Marguerite Lefèvre / Adore le jardinage et les jours de pluie. Née à Besançon.
      {3, "Marguerite Lef\xE8vre",
       "Adore le jardinage et les jours de pluie. N\xE9"
       "e \xE0 Besan\xE7on."},
      // Margarete Schönfeld / Liebt Gartenarbeit und Regentage. Mag Äpfel über alles.
      {4, "Margarete Sch\xF6nfeld",
       "Liebt Gartenarbeit und Regentage. Mag \xC4pfel \xFC"
       "ber alles."},
      // Margherita Fenucci / Ama il giardinaggio e i giorni di pioggia. Più tè, per favore.
      {5, "Margherita Fenucci",
       "Ama il giardinaggio e i giorni di pioggia. Pi\xF9 t\xE8, per favore."},
      // Margarita Núñez / Le encanta la jardinería y los días de lluvia. ¿Café? ¡Sí!
      {6,
       "Margarita N\xFA\xF1"
       "ez",
       "Le encanta la jardiner\xED"
       "a y los d\xED"
       "as de lluvia. \xBF"
       "Caf\xE9? \xA1S\xED!"},
      // Madelief Venhuis / Houdt van tuinieren en regenachtige dagen. Één kopje thee.
      {7, "Madelief Venhuis", "Houdt van tuinieren en regenachtige dagen. \xC9\xE9n kopje thee."},
      // Morgenfrue Ærø / Elsker havearbejde og regnvejrsdage. Blåbærsyltetøj!
      {8, "Morgenfrue \xC6r\xF8",
       "Elsker havearbejde og regnvejrsdage. Bl\xE5"
       "b\xE6rsyltet\xF8j!"},
      // Ringblomma Åström / Älskar trädgårdsarbete och regniga dagar.
      {9, "Ringblomma \xC5str\xF6m",
       "\xC4lskar tr\xE4"
       "dg\xE5rdsarbete och regniga dagar."},
      // Ringblomst Løvås / Elsker hagearbeid og regnværsdager.
      {10, "Ringblomst L\xF8v\xE5s", "Elsker hagearbeid og regnv\xE6rsdager."},
      // Kehäkukka Mäkelä / Rakastaa puutarhanhoitoa ja sadepäiviä.
      {11, "Keh\xE4kukka M\xE4kel\xE4", "Rakastaa puutarhanhoitoa ja sadep\xE4ivi\xE4."},
      // מרגנית / אוהבת גינון וימים גשומים.
      {12, "\xEE\xF8\xE2\xF0\xE9\xFA",
       "\xE0\xE5\xE4\xE1\xFA \xE2\xE9\xF0\xE5\xEF \xE5\xE9\xEE\xE9\xED \xE2\xF9\xE5\xEE\xE9\xED."},
      // Ноготки Фенвик / Любит садоводство и дождливые дни.
      {13, "\xCD\xEE\xE3\xEE\xF2\xEA\xE8 \xD4\xE5\xED\xE2\xE8\xEA",
       "\xCB\xFE\xE1\xE8\xF2 \xF1\xE0\xE4\xEE\xE2\xEE\xE4\xF1\xF2\xE2\xEE \xE8 "
       "\xE4\xEE\xE6\xE4\xEB\xE8\xE2\xFB\xE5 \xE4\xED\xE8."},
      // Margarida Fenwick / Adora jardinagem e dias de chuva. Coração de ouro.
      {14, "Margarida Fenwick", "Adora jardinagem e dias de chuva. Cora\xE7\xE3o de ouro."},
      // マリーゴールド / ガーデニングと雨の日が大好き。ソファで読書も。
      {15, "\x83}\x83\x8A\x81[\x83S\x81[\x83\x8B\x83h",
       "\x83K\x81[\x83"
       "f\x83j\x83\x93\x83O\x82\xC6\x89J\x82\xCC\x93\xFA\x82\xAA\x91\xE5\x8D"
       "D\x82\xAB\x81"
       "B\x83\x5C\x83t\x83@\x82\xC5\x93\xC7\x8F\x91\x82\xE0\x81"
       "B"},
      // Małgorzata Żółkiewska / Uwielbia ogrodnictwo i deszczowe dni. Źdźbło trawy.
      {16, "Ma\xB3gorzata \xAF\xF3\xB3kiewska",
       "Uwielbia ogrodnictwo i deszczowe dni. \x8F"
       "d\x9F"
       "b\xB3o trawy."},
      // 金盏花 / 喜欢园艺和下雨天。
      {17, "\xBD\xF0\xD5\xB5\xBB\xA8",
       "\xCF\xB2\xBB\xB6\xD4\xB0\xD2\xD5\xBA\xCD\xCF\xC2\xD3\xEA\xCC\xEC\xA1\xA3"},
      // 金盞花 / 喜歡園藝和許多下雨天。
      {18, "\xAA\xF7\xB7\xF8\xAA\xE1",
       "\xB3\xDF\xC5w\xB6\xE9\xC3\xC0\xA9M\xB3\x5C\xA6h\xA4U\xAB"
       "B\xA4\xD1\xA1"
       "C"},
      // ดาวเรือง / ชอบทำสวนและวันฝนตก
      {19, "\xB4\xD2\xC7\xE0\xC3\xD7\xCD\xA7",
       "\xAA\xCD\xBA\xB7\xD3\xCA\xC7\xB9\xE1\xC5\xD0\xC7\xD1\xB9\xBD\xB9\xB5\xA1"},
      // 금잔화 / 정원 가꾸기와 비 오는 날을 좋아해요. 똠얌꿍도!
      {20, "\xB1\xDD\xC0\xDC\xC8\xAD",
       "\xC1\xA4\xBF\xF8 \xB0\xA1\xB2\xD9\xB1\xE2\xBF\xCD \xBA\xF1 \xBF\xC0\xB4\xC2 "
       "\xB3\xAF\xC0\xBB \xC1\xC1\xBE\xC6\xC7\xD8\xBF\xE4. \x8C"
       "c\xBE\xE4\xB2\xE1\xB5\xB5!"},
  };
  std::vector<TableString> strings;
  for (const Translation& translation : kTranslations) {
    strings.push_back({translation.name, "", translation.slot});
    strings.push_back({translation.description, "", translation.slot});
  }
  return strings;
}

CharacterFile LookalikeCharacter(const std::string& name, const std::string& description,
                                 const SimLook& look, const LookalikeExtras& extras,
                                 const std::vector<TableString>& otherLanguages) {
  std::vector<TableString> strings = {{name, ""}, {description, ""}};
  for (std::size_t k = 0; k < extras.remarks; ++k) {
    strings.push_back({"Remark " + std::to_string(k) + " on " + name, ""});
  }
  strings.insert(strings.end(), otherLanguages.begin(), otherLanguages.end());
  // Small chunks of the kinds the game adds, half among the behaviours, half after the portraits.
  static const char* const kExtraTypes[] = {"BCON", "TTAB", "TTAs", "STR#", "FCNS", "OBJf"};
  std::vector<Chunk> extraChunks[2];
  for (std::size_t k = 0; k < extras.chunks; ++k) {
    const std::string type = kExtraTypes[k % std::size(kExtraTypes)];
    const std::string label = "extra " + std::to_string(k);
    Bytes body = type == "STR#" || type == "TTAs" ? StringTable({{label, ""}, {"value", ""}})
                                                  : Filler(16 + k * 37 % 225, static_cast<char>(k));
    extraChunks[k % 2].push_back(
        {type, static_cast<std::uint16_t>(4200 + k), 0x10, label, std::move(body), {}, {}});
  }

  Bytes object = Filler(218, 'a');
  if (extras.guid) object.replace(28, 4, LittleEndian32(static_cast<std::int32_t>(*extras.guid)));
  CharacterFile file;
  file.add({"OBJD", 128, 0x10, name, object, {}, {}})
      .add({"OBJf", 128, 0x10, "", Filler(72, 'b'), {}, {}})
      .add({"GLOB", 128, 0x10, "", "PersonGlobals\0"_b, {}, {}})
      .add({"SLOT", 128, 0x10, "", Filler(51, 'c'), {}, {}})
      .add({"XXXX", 0, 0x00, "bodystring", Filler(13, 'd'), {}, {}});
  for (std::uint16_t behaviour = 0; behaviour < 8; ++behaviour) {
    file.add({"BHAV",
              static_cast<std::uint16_t>(4096 + behaviour),
              0x10,
              "init tree " + std::to_string(behaviour),
              Filler(97 + behaviour * 13 + extras.padding / 8, static_cast<char>('e' + behaviour)),
              {},
              {}});
  }
  for (Chunk& chunk : extraChunks[0]) file.add(std::move(chunk));
  file.add({"TPRP", 4096, 0x10, "", Filler(41, 'p'), {}, {}})
      .add({"TREE", 4096, 0x10, "", Filler(63, 't'), {}, {}})
      .add({"STR#",
            200,
            0x10,
            "body strings",
            BodyStrings(extras.looks.value_or(LooksSpec{})),
            {},
            {}})
      .add({"CTSS", 2000, 0x10, "", StringTable(strings), {}, {}})
      .add(Picture(2001, "faces", 105, 41, look))
      .add(Picture(2002, "rel. images", 200, 40, look))
      .add(Picture(2003, "newimage", 25, 25, look))
      .add(Picture(2004, "speech_med", 16, 16, look))
      .add(Picture(2005, "speech_large", 32, 32, look))
      .add(Picture(2006, "web_image", 45, 45, look))
      .add({"FWAV", 128, 0x10, "", "sims_voice\0"_b, {}, {}});
  for (Chunk& chunk : extraChunks[1]) file.add(std::move(chunk));
  file.add(
      {"rsmp",
       0,
       0x10,
       "",
       ResourceMap(
           {{"BMP_", {{64, 2001, 0x10, "faces\0"_b}, {9000, 2005, 0x10, "speech_large\0"_b}}, {}},
            {"CTSS", {{8000, 2000, 0x10, "\0"_b}}, {}}}),
       {},
       {}});
  return file;
}

void WriteSampleCharacters(const std::filesystem::path& folder) {
  struct Sample {
    const char* file;
    const char* name;
    const char* description;
    SimLook look;
  };
  const Sample samples[] = {
      {"User00000.iff",
       "Ada Thornbury",
       "Keeps a ledger of every cup of tea she has ever brewed. Suspicious of garden gnomes.",
       {{236, 188, 150}, {160, 60, 30}, {120, 40, 140}, {210, 230, 250}}},
      {"User00001.iff",
       "Bram Okonkwo",
       "Builds model lighthouses and hums sea shanties while cooking.",
       {{120, 80, 50}, {30, 20, 15}, {200, 120, 30}, {240, 220, 200}}},
      {"User00002.iff",
       "Celeste Marchetti",
       "Paints the same sunset every evening and never the same way twice.",
       {{240, 200, 170}, {220, 190, 90}, {30, 150, 120}, {250, 210, 220}}},
      {"User00003.iff",
       "Dmitri Vale",
       "",
       {{210, 160, 120}, {60, 60, 60}, {90, 90, 100}, {200, 230, 200}}},
      {"User00004.iff",
       "Esme Quillfeather",
       "Writes letters to the newspaper about the price of plumbobs.",
       {{250, 215, 190}, {200, 80, 20}, {20, 60, 160}, {230, 230, 250}}},
      {"User00005.iff",
       "Felix Nakamura-Reyes",
       "Can fix any toilet in town but cannot cook an egg.",
       {{200, 150, 100}, {20, 20, 20}, {180, 30, 30}, {250, 240, 200}}},
      {"User00006.iff",
       "Gwendolyn Ash",
       "Retired astronaut. Sleeps with the telescope.",
       {{170, 120, 90}, {230, 230, 230}, {60, 120, 60}, {220, 220, 240}}},
      {"User00007.iff", kMultilingualName, kMultilingualDescription, kMultilingualLook},
  };
  std::filesystem::create_directories(folder);
  for (const Sample& sample : samples) {
    const bool multilingual = sample.name == std::string_view(kMultilingualName);
    LookalikeCharacter(sample.name, sample.description, sample.look, {},
                       multilingual ? OtherLanguages() : std::vector<TableString>())
        .write(folder / sample.file);
  }
}

void WritePlayedSims(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  const std::array<const char*, 3> kNames = {"Jackie", "Marcus", "Bella Goth"};
  for (std::size_t number = 0; number < kNames.size(); ++number) {
    const bool playerMade = number < 2;
    LookalikeCharacter(kNames[number], "Hers.", {}, {},
                       {{playerMade ? "Randy" : kNames[number], "", 2},
                        {"", "", 2},
                        {playerMade ? "Jens" : kNames[number], "", 4},
                        {"", "", 4}})
        .write(folder / ("User0000" + std::to_string(number) + ".iff"));
  }
}

}  // namespace quill::testdata
