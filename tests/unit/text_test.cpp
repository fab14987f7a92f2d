#include <gtest/gtest.h>

#include "platform/text.h"

namespace quill::platform {
namespace {

TEST(Text, CaseFoldingTouchesAsciiCapitalsOnly) {
  EXPECT_EQ(AsciiLowerCase("User_Ab\xC3\x89@[`{"), "user_ab\xC3\x89@[`{");
}

TEST(Text, Utf8IsDecodedOnlyWhenWellFormed) {
  const struct {
    std::string bytes;
    std::optional<char32_t> point;
  } cases[] = {
      {"A", U'A'},
      {"\xC3\xA9", U'\u00E9'},
      {"\xE2\x82\xAC", U'\u20AC'},
      {"\xF0\x9F\x90\x9D", U'\U0001F41D'},
      {"\x80", {}},              // a continuation byte alone
      {"\xC3", {}},              // cut short
      {"\xC3(", {}},             // no continuation
      {"\xC0\xAF", {}},          // overlong
      {"\xE0\x80\xAF", {}},      // overlong
      {"\xED\xA0\x80", {}},      // a surrogate
      {"\xF4\x90\x80\x80", {}},  // past U+10FFFF
      {"\xF8\x88\x80\x80", {}},
  };
  EXPECT_FALSE(DecodeUtf8Char(""));
  for (const auto& c : cases) {
    const std::optional<Utf8Char> decoded = DecodeUtf8Char(c.bytes);
    ASSERT_EQ(decoded.has_value(), c.point.has_value()) << c.bytes;
    EXPECT_EQ(IsValidUtf8(c.bytes + "x"), c.point.has_value()) << c.bytes;
    if (!decoded) continue;
    EXPECT_EQ(decoded->point, *c.point);
    EXPECT_EQ(decoded->length, c.bytes.size());
    std::string encoded;
    AppendUtf8(encoded, *c.point);
    EXPECT_EQ(encoded, c.bytes);
  }
}

}  // namespace
}  // namespace quill::platform
