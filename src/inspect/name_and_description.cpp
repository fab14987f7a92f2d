#include "inspect/name_and_description.h"

namespace quill {

namespace {

constexpr std::string_view kBeforeName = ".....";
constexpr std::string_view kAfterText = "...";

}  // namespace

std::string PrintableRendering(std::string_view body) {
  std::string text(body.size(), '.');
  for (std::size_t i = 0; i < body.size(); ++i) {
    const auto byte = static_cast<unsigned char>(body[i]);
    if (byte >= 32 && byte <= 126) text[i] = static_cast<char>(byte);
  }
  return text;
}

NameAndDescription ExtractNameAndDescription(std::string_view body) {
  const std::string text = PrintableRendering(body);
  // 0-based offsets; without the opening marker the name starts at the fifth character.
  const std::size_t opening = text.find(kBeforeName);
  const std::size_t nameStart = opening == std::string::npos ? 4 : opening + kBeforeName.size();
  if (nameStart > text.size()) return {};
  const std::size_t afterName = text.find(kAfterText, nameStart);
  if (afterName == std::string::npos) return {};

  NameAndDescription found;
  found.name = text.substr(nameStart, afterName - nameStart);
  const std::size_t descriptionStart = afterName + kAfterText.size();
  const std::size_t closing = text.find(kAfterText, descriptionStart);
  if (closing == std::string::npos) return found;
  // Through the closing marker's first dot, so an empty description reads as a single ".".
  std::string description = text.substr(descriptionStart, closing + 1 - descriptionStart);
  found.description = description.size() < 2 ? kNoInformation : std::move(description);
  return found;
}

}  // namespace quill
