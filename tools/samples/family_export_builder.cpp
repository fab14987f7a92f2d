#include "family_export_builder.h"

namespace quill::testdata {

namespace {

constexpr std::size_t kBodyStringCount = 15;
constexpr std::size_t kExportPlaces = 8;

Bytes LittleEndian16(std::uint16_t value) {
  return Hex({value & 0xFF, value >> 8});
}

}  // namespace

Bytes BodyStrings(const LooksSpec& looks) {
  std::vector<TableString> strings(kBodyStringCount);
  strings[0].value = looks.skeleton;
  strings[1].value = looks.body;
  strings[2].value = looks.head;
  strings[12].value = looks.gender;
  strings[13].value = looks.age;
  strings[14].value = looks.skinTone;
  for (const std::string& outfit : looks.outfits) strings.push_back({outfit, ""});
  return StringTable(strings);
}

Bytes ExportIndexBody(std::uint16_t familyId, const std::vector<std::uint16_t>& members) {
  Bytes body = LittleEndian32(0) + LittleEndian32(0x3F) + "iPXE"_b + LittleEndian16(familyId);
  for (std::size_t place = 0; place < kExportPlaces; ++place) {
    body += LittleEndian16(place < members.size() ? members[place] : 0);
  }
  return body;
}

}  // namespace quill::testdata
