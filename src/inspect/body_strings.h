// SPDX-License-Identifier: GPL-3.0-or-later
// What a Sim wears, from the body strings the game keeps for it (a character file's "STR#" 200, a
// family export's "uChr" chunks): a string table in US English only.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

// One `<mesh>,<PART>=<texture>` string: the suit the game looks up among its skin files, the part
// of the body it dresses, and the name of its texture bitmap.
struct Garment {
  std::string mesh;
  std::string part;
  std::string texture;
};

struct Outfit {
  int index = 0;  // the body string it came from
  Garment garment;
};

struct BodyLooks {
  std::string skeleton;  // adult, child, dog, kat
  std::optional<Garment> body;
  std::optional<Garment> head;
  std::string gender;
  std::string age;
  std::string skinTone;         // lgt, med, drk; unk for pets
  std::vector<Outfit> outfits;  // the other strings of the garment form, in table order
};

// A `<mesh>,<PART>=<texture>` string; nothing when the text has another form.
std::optional<Garment> ReadGarment(std::string_view text);

// A body-string table's body (from its format code on); nothing when it is not a complete table or
// holds no US English string. Strings the table lacks stay empty.
std::optional<BodyLooks> ReadBodyStrings(std::string_view body);

// The body strings of a character file, from its whole bytes: the "STR#" chunk 200.
std::optional<BodyLooks> BodyLooksOf(std::string_view image);
// The same, read from the file; nothing when it cannot be read.
std::optional<BodyLooks> BodyLooksOfFile(const std::filesystem::path& file);

}  // namespace quill
