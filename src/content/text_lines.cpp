// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/text_lines.h"

#include <algorithm>
#include <charconv>

namespace quill::content {

namespace {

constexpr std::string_view kSpaces = " \t\r";

template <typename Number>
Number WholeNumber(std::string_view text) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
    throw ChunkFailure("not a number");
  }
  return value;
}

}  // namespace

TextLines::TextLines(std::string_view text) : text_(text) {
  lines_ = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  if (!text.empty() && !text.ends_with('\n')) ++lines_;
}

std::string_view TextLines::line() {
  if (left() == 0) throw ChunkFailure("read past the last line");
  ++taken_;
  const std::size_t end = std::min(text_.find('\n'), text_.size());
  const std::string_view line = text_.substr(0, end);
  text_.remove_prefix(std::min(end + 1, text_.size()));
  return Trimmed(line);
}

std::uint32_t TextLines::u32() {
  return WholeNumber<std::uint32_t>(line());
}

std::int32_t TextLines::i32() {
  return WholeNumber<std::int32_t>(line());
}

float TextLines::f32() {
  return WholeNumber<float>(line());
}

std::size_t TextLines::count(std::size_t leastLines) {
  const std::uint32_t stated = u32();
  if (stated > left() / leastLines) throw ChunkFailure("count past the end");
  return stated;
}

std::string_view TextLines::Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kSpaces);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kSpaces) - first + 1);
}

std::string_view TextLines::BetweenBars(std::string_view line) {
  if (line.size() < 2 || !line.starts_with('|') || !line.ends_with('|')) {
    throw ChunkFailure("not a vector");
  }
  return line.substr(1, line.size() - 2);
}

template <typename Number>
Number TextLines::FirstNumber(std::string_view& rest) {
  rest = Trimmed(rest);
  const std::size_t end = std::min(rest.find_first_of(kSpaces), rest.size());
  const Number value = WholeNumber<Number>(rest.substr(0, end));
  rest.remove_prefix(end);
  return value;
}

std::uint32_t TextLines::LineNumbers::u32() {
  return FirstNumber<std::uint32_t>(rest_);
}

std::int32_t TextLines::LineNumbers::i32() {
  return FirstNumber<std::int32_t>(rest_);
}

float TextLines::LineNumbers::f32() {
  return FirstNumber<float>(rest_);
}

void TextLines::LineNumbers::end() const {
  if (!Trimmed(rest_).empty()) throw ChunkFailure("more numbers than the line holds");
}

}  // namespace quill::content
