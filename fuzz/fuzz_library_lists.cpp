// SPDX-License-Identifier: GPL-3.0-or-later
// The lists that say where a player's Wine prefixes are, over arbitrary text: Steam's list of
// library folders gives at most 64 distinct, non-empty paths taken from the text, and a Lutris game
// file's prefix is one non-empty line's text.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "fuzz_check.h"
#include "platform/registry/steam_libraries.h"
#include "platform/registry/wine_prefixes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace registry = quill::platform::registry;
  const std::string text = quill::fuzz::AsBytes(data, size);

  const auto libraries = registry::ParseSteamLibraryList(text);
  FUZZ_REQUIRE(libraries.size() <= registry::kMostSteamLibraries);
  FUZZ_REQUIRE(std::set<std::string>(libraries.begin(), libraries.end()).size() ==
               libraries.size());
  for (const std::string& library : libraries) {
    FUZZ_REQUIRE(!library.empty());
    // Without escapes in the text, each path is the text between two quotes.
    if (text.find('\\') == std::string::npos) {
      FUZZ_REQUIRE(text.find('"' + library + '"') != std::string::npos);
    }
  }

  const auto prefix = registry::ParseLutrisPrefix(text);
  if (prefix) {
    FUZZ_REQUIRE(!prefix->empty() && prefix->find('\n') == std::string::npos);
    FUZZ_REQUIRE(text.find(*prefix) != std::string::npos);
  }
  return 0;
}
