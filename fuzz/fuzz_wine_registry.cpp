// SPDX-License-Identifier: GPL-3.0-or-later
// The Wine registry file reader over arbitrary text: it never fails, reads the same however the
// text is split into pieces (and so whichever lines its plain-text search lets it pass over),
// finds a plainly written key under any spelling that differs only in case and backslashes, and
// that search finds a text exactly where a byte-by-byte search does.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "platform/registry/key_text_search.h"
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

// Only a line ending in ",\" (a wrapped hex list) continues onto the next one.
bool Continues(std::string_view line) {
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line.ends_with(",\\");
}

// The name of the first "[...]" line, when it is written without escapes and no line before it
// continues onto it; empty otherwise.
std::string FirstKeyName(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string_view line = text.substr(start, end - start);
    if (start > 0 && line.starts_with('[')) {
      const std::size_t close = line.find(']');
      if (close == std::string_view::npos || line.size() >= registry::kLongestRegistryLine) {
        return {};
      }
      const std::string_view name = line.substr(1, close - 1);
      for (const char c : name) {
        if (c < ' ' || c > '~' || c == '\\' || c == '"' || c == '[') return {};
      }
      return std::string(name);
    }
    if (Continues(line)) return {};
    start = end + 1;
  }
  return {};
}

std::string UpperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return text;
}

bool Same(const registry::WineKeyFound& a, const registry::WineKeyFound& b) {
  if (a.exists != b.exists || a.is32BitPrefix != b.is32BitPrefix) return false;
  if (a.values.size() != b.values.size()) return false;
  for (const auto& [name, value] : a.values) {
    const auto other = b.values.find(name);
    if (other == b.values.end() || other->second.type != value.type ||
        other->second.data != value.data) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = quill::fuzz::AsBytes(data, size);
  const std::string key = FirstKeyName(text);
  const std::string asked = key.empty() ? "Software\\Maxis\\The Sims" : key;
  const registry::WineKeyFound whole = registry::ReadWineKey(text, asked);

  const std::size_t step = size == 0 ? 1 : 1 + data[0] % 97;
  registry::WineKeyReader reader(asked);
  for (std::size_t at = 0; at < size && reader.Feed(std::string_view(text).substr(at, step));) {
    at += step;
  }
  FUZZ_REQUIRE(Same(whole, reader.Finish()));

  std::size_t kept = 0;
  for (const auto& [name, value] : whole.values) kept += name.size() + value.data.size();
  FUZZ_REQUIRE(kept <= registry::kLargestKeyValues);

  const std::string_view firstLine = std::string_view(text).substr(0, text.find('\n'));
  std::string_view header = firstLine;
  if (header.ends_with('\r')) header.remove_suffix(1);
  while (header.ends_with(' ') || header.ends_with('\t')) header.remove_suffix(1);
  const bool headerOnly = header == "WINE REGISTRY Version 2";
  if (!headerOnly && !Continues(firstLine)) {
    FUZZ_REQUIRE(!whole.exists && whole.values.empty() && !whole.is32BitPrefix);
  }

  if (!key.empty() && headerOnly) {
    FUZZ_REQUIRE(whole.exists);
    FUZZ_REQUIRE(Same(registry::ReadWineKey(text, UpperAscii(key)), whole));
    FUZZ_REQUIRE(Same(registry::ReadWineKey(text, "\\\\" + key + "\\"), whole));
  }

  if (size > 2) {
    std::string folded = text;
    for (char& c : folded) c = static_cast<char>(registry::FoldByte(static_cast<unsigned char>(c)));
    const std::size_t start = data[1] % size;
    const std::string needle = folded.substr(start, 1 + data[2] % 40);
    FUZZ_REQUIRE(registry::FindFoldedText(text, needle) == folded.find(needle));
  }

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
