// SPDX-License-Identifier: GPL-3.0-or-later
// Saving a file whole (what is there is kept unless replacing was agreed; a failure leaves nothing
// behind); centring the window on the screen; the text rules names go through.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <cerrno>
#include <cstddef>
#include <fstream>
#include <iterator>

#include "platform/files.h"
#include "platform/text.h"
#include "window/centring.h"

namespace quill::platform {
namespace {

namespace fs = std::filesystem;

bool FailWithDiskError() {
#ifdef _WIN32
  ::SetLastError(ERROR_DISK_FULL);
#else
  errno = EIO;
#endif
  return false;
}

const FinishingSteps kFlushFails{[](std::intptr_t) { return FailWithDiskError(); },
                                 SystemFinishingSteps().close};
const FinishingSteps kCloseFails{SystemFinishingSteps().flush, [](std::intptr_t file) {
                                   SystemFinishingSteps().close(file);
                                   return FailWithDiskError();
                                 }};

class SafeWrite : public ::testing::Test {
 protected:
  SafeWrite() { std::ofstream(file_, std::ios::binary) << "kept"; }
  // The scratch folder's marker, the file and whatever else was left.
  std::ptrdiff_t entries() const {
    return std::distance(fs::directory_iterator(folder_.path()), fs::directory_iterator());
  }
  ScratchFolder folder_;
  fs::path file_ = folder_.path() / "Ada.png";
};

// Catches a save that renames over a file that took the name after it was found free (two viewers
// saving at once), and one that keeps the old file when the user agreed to replace it.
TEST_F(SafeWrite, ReplacesOnlyWhatTheUserAgreedAndAFailingFlushOrCloseSavesNothing) {
  // Catches a dropped check of the flush or the close (a disk that fills up may only say so there):
  // the save must fail, keep the old file and leave no partial file behind.
  for (const FinishingSteps* steps : {&kFlushFails, &kCloseFails}) {
    for (const WhenNameTaken when : {WhenNameTaken::kKeep, WhenNameTaken::kReplace}) {
      const SaveResult result = SaveWholeFile(file_, "new", when, *steps);
      EXPECT_EQ(result.outcome, SaveResult::kFailed);
#ifdef _WIN32
      EXPECT_FALSE(result.reason.empty());
#else
      EXPECT_EQ(result.reason, "Input/output error");
#endif
      EXPECT_EQ(ReadWholeFile(file_), "kept");
      EXPECT_EQ(entries(), 2);
    }
  }
  EXPECT_EQ(SaveWholeFile(file_, "new", WhenNameTaken::kKeep).outcome, SaveResult::kNameTaken);
  EXPECT_EQ(ReadWholeFile(file_), "kept");
  EXPECT_EQ(SaveWholeFile(file_, "new", WhenNameTaken::kReplace).outcome, SaveResult::kSaved);
  EXPECT_EQ(ReadWholeFile(file_), "new");
  EXPECT_EQ(entries(), 2);
}

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

// Case folding touches ASCII capitals only; UTF-8 is decoded only when well formed.
TEST(Text, CaseFoldingAndUtf8Decoding) {
  EXPECT_EQ(AsciiLowerCase("User_Ab\xC3\x89@[`{"), "user_ab\xC3\x89@[`{");
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
