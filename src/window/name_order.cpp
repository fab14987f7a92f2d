#include "window/name_order.h"

#include <algorithm>
#include <string>

#include "platform/text.h"

namespace quill {

namespace {

// Lower case rather than upper, so that "_" sorts before the letters.
std::string Folded(const std::filesystem::path& name) {
  return platform::AsciiLowerCase(name.string());
}

}  // namespace

void SortByName(std::vector<std::filesystem::path>& names) {
  std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) {
    const std::string fa = Folded(a);
    const std::string fb = Folded(b);
    return fa != fb ? fa < fb : a.native() < b.native();
  });
}

bool IsCharacterFileName(const std::filesystem::path& name) {
  return Folded(name).rfind("user", 0) == 0;
}

}  // namespace quill
