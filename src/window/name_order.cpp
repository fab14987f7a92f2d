#include "window/name_order.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace quill {

namespace {

std::string Folded(const std::filesystem::path& name) {
  std::string text = name.string();
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
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
