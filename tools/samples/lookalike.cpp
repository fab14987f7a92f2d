// Character files shaped like the game's own, with portraits drawn here.
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

CharacterFile LookalikeCharacter(const std::string& name, const std::string& description,
                                 const SimLook& look, const LookalikeExtras& extras) {
  std::vector<TableString> strings = {{name, ""}, {description, ""}};
  for (std::size_t k = 0; k < extras.remarks; ++k) {
    strings.push_back({"Remark " + std::to_string(k) + " on " + name, ""});
  }
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
      .add({"STR#", 200, 0x10, "body strings", BodyStrings({}), {}, {}})
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
  };
  std::filesystem::create_directories(folder);
  for (const Sample& sample : samples) {
    LookalikeCharacter(sample.name, sample.description, sample.look).write(folder / sample.file);
  }
}

}  // namespace quill::testdata
