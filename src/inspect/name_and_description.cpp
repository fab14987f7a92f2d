#include "inspect/name_and_description.h"

#include "inspect/string_table_layout.h"

namespace quill {

namespace {

constexpr std::string_view kBeforeName = ".....";
constexpr std::string_view kAfterText = "...";

std::optional<std::string> CompleteTableRendering(std::string_view body) {
  const std::optional<CompleteTable> table = ReadCompleteTable(body);
  if (!table) return std::nullopt;
  std::string text = "....";
  for (const TableString& string : table->strings) {
    // The language byte and the value, then both terminators; the comment is the game's own note.
    const char language = static_cast<char>(string.language);
    text += PrintableRendering(std::string_view(&language, 1));
    text += PrintableRendering(string.value);
    text += "..";
  }
  text.append(body.size() - table->end, '.');
  return text;
}

}  // namespace

std::string PrintableRendering(std::string_view body) {
  std::string text(body.size(), '.');
  for (std::size_t i = 0; i < body.size(); ++i) {
    const auto byte = static_cast<unsigned char>(body[i]);
    if (byte >= 32 && byte <= 126) text[i] = static_cast<char>(byte);
  }
  return text;
}

std::string RenderingForExtraction(std::string_view body) {
  if (std::optional<std::string> table = CompleteTableRendering(body)) return std::move(*table);
  return PrintableRendering(body);
}

NameAndDescription ExtractNameAndDescription(std::string_view body) {
  const std::string text = RenderingForExtraction(body);
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
