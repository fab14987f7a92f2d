// Two small helpers: centring the window on the screen, and the text rules names go through.
#include <gtest/gtest.h>

#include "platform/text.h"
#include "window/centring.h"

namespace quill::platform {
namespace {

TEST(Centring, HalvesTheRoundedDifferenceTowardZero) {
  // {screen, window, position}: the window may be larger than the screen. The difference is
  // rounded to the nearest twip, halves to even (3.5 -> 4, -3.5 -> -4), then halved toward zero;
  // the .4 and .5 rows tell that from truncating, flooring, ceiling and rounding halves up.
  // (After the halving, halves to even and halves away from zero agree on every difference.)
  const double cases[][3] = {{15360, 8700, 3330}, {11520, 6900, 2310}, {1000, 1301, -150},
                             {1000, 1000, 0},     {1001, 1000, 0},     {1003, 1000, 1},
                             {1003.4, 1000, 1},   {1003.5, 1000, 2},   {1000, 1003.4, -1},
                             {1000, 1003.5, -2}};
  for (const auto& c : cases)
    EXPECT_EQ(CentredPosition(c[0], c[1]), static_cast<long>(c[2])) << c[0] << " " << c[1];
}

TEST(Text, CaseFoldingTouchesAsciiCapitalsOnly) {
  EXPECT_EQ(AsciiLowerCase("User_Ab\xC3\x89@[`{"), "user_ab\xC3\x89@[`{");
}

TEST(Text, Utf8IsDecodedOnlyWhenWellFormed) {
  // Bytes, and the character they encode if they are one well-formed character.
  const std::pair<std::string, std::optional<char32_t>> cases[] = {
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
  for (const auto& [bytes, point] : cases) {
    const std::optional<Utf8Char> decoded = DecodeUtf8Char(bytes);
    ASSERT_EQ(decoded.has_value(), point.has_value()) << bytes;
    EXPECT_EQ(IsValidUtf8(bytes + "x"), point.has_value()) << bytes;
    if (!decoded) continue;
    EXPECT_EQ(decoded->point, *point);
    EXPECT_EQ(decoded->length, bytes.size());
    std::string encoded;
    AppendUtf8(encoded, *point);
    EXPECT_EQ(encoded, bytes);
  }
}

// The one rule for shown names and descriptions. Catches a cap off by one, a cut that forgets its
// mark, a control or direction override (U+202E turns the rest of a line around) let through,
// and a description whose lines are flattened.
TEST(Text, ShownNamesAndDescriptionsAreCappedAndVisible) {
  const std::string n300(300, 'n');
  // The text, its name, its description.
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {n300, n300, n300},
      {n300 + "x", n300 + "\u2026", n300 + "x"},
      {"Tab\tNew\nCR\r\x1B[31m", "Tab\u2409New\u240ACR\u240D\u241B[31m",
       "Tab\tNew\nCR\r\u241B[31m"},
      {"a\u202Eb\u2066c\u2069d\u200Fe", "a\uFFFDb\uFFFDc\uFFFDd\uFFFDe",
       "a\uFFFDb\uFFFDc\uFFFDd\uFFFDe"},
      {"\xFF\xC3", "\uFFFD\uFFFD", "\uFFFD\uFFFD"},
      {std::string(30001, 'd'), std::string(300, 'd') + "\u2026",
       std::string(30000, 'd') + "\u2026"},
  };
  for (const auto& [text, name, description] : cases) {
    EXPECT_EQ(ShownName(text), name) << text.substr(0, 20);
    EXPECT_EQ(ShownDescription(text), description) << text.substr(0, 20);
  }
}

}  // namespace
}  // namespace quill::platform
