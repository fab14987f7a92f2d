// The Wine registry file reader over arbitrary text: it never fails, and what it finds must be
// found again under any spelling that differs only in case and backslashes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "platform/registry/wine_registry.h"

namespace {

namespace registry = quill::platform::registry;

bool ValidUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (lead >= 0x80 && lead < 0xC2) return false;
    if (lead >= 0xF5 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

// The text of the first "[...]" line, when it has no escapes to decode.
std::string FirstKeyName(std::string_view text) {
  const std::size_t open = text.find("\n[");
  if (open == std::string_view::npos) return {};
  // A line ending in a backslash takes the next one in as its continuation, and a joined line is
  // tested again, so any such line before the key's may have swallowed it.
  const std::string_view before = text.substr(0, open + 1);
  if (before.find("\\\n") != std::string_view::npos ||
      before.find("\\\r\n") != std::string_view::npos) {
    return {};
  }
  const std::size_t close = text.find(']', open + 2);
  if (close == std::string_view::npos) return {};
  const std::string_view name = text.substr(open + 2, close - open - 2);
  if (name.find_first_of("\\\"\n\r") != std::string_view::npos) return {};
  for (const char c : name) {
    if (static_cast<unsigned char>(c) >= 0x80) return {};
  }
  return std::string(name);
}

std::string UpperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = quill::fuzz::AsBytes(data, size);
  const registry::WineRegistryFile file = registry::ParseWineRegistry(text);
  std::string firstLine = text.substr(0, text.find('\n'));
  if (firstLine.ends_with('\r')) firstLine.pop_back();
  const bool headerOnly = text.starts_with("WINE REGISTRY Version 2") &&
                          firstLine.find_first_not_of(" \t", 23) == std::string::npos;
  // A first line ending in a backslash is joined with the next one before the header is checked.
  if (!headerOnly && !firstLine.ends_with('\\')) FUZZ_REQUIRE(file.KeyCount() == 0);

  const std::string key = FirstKeyName(text);
  if (!key.empty() && headerOnly) {
    const registry::RegistryKeyValues* found = file.FindKey(key);
    if (key.find_first_not_of('\\') != std::string::npos) FUZZ_REQUIRE(found != nullptr);
    FUZZ_REQUIRE(file.FindKey(UpperAscii(key)) == found);
    FUZZ_REQUIRE(file.FindKey("\\\\" + key + "\\") == found);
  }
  file.FindKey("Software\\Maxis\\The Sims");
  file.FindKey("");

  const std::string folded = registry::FoldCase(text);
  FUZZ_REQUIRE(folded.size() == text.size());
  FUZZ_REQUIRE(registry::FoldCase(folded) == folded);

  std::u16string units;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    units.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
  }
  FUZZ_REQUIRE(ValidUtf8(registry::Utf16ToAnsi(units)));
  return 0;
}
