#include "command_line/language_slot.h"

#include <array>
#include <utility>

namespace quill {

namespace {

constexpr int kUkEnglish = 2;
constexpr int kSimplifiedChinese = 17;
constexpr int kTraditionalChinese = 18;

// Every slot but the two whose choice depends on more than the language.
constexpr std::array<std::pair<QLocale::Language, int>, 19> kSlots = {{
    {QLocale::English, 1},
    {QLocale::French, 3},
    {QLocale::German, 4},
    {QLocale::Italian, 5},
    {QLocale::Spanish, 6},
    {QLocale::Dutch, 7},
    {QLocale::Danish, 8},
    {QLocale::Swedish, 9},
    {QLocale::NorwegianBokmal, 10},
    {QLocale::NorwegianNynorsk, 10},
    {QLocale::Finnish, 11},
    {QLocale::Hebrew, 12},
    {QLocale::Russian, 13},
    {QLocale::Portuguese, 14},
    {QLocale::Japanese, 15},
    {QLocale::Polish, 16},
    {QLocale::Chinese, kSimplifiedChinese},
    {QLocale::Thai, 19},
    {QLocale::Korean, 20},
}};

}  // namespace

int LanguageSlot(const QLocale& locale) {
  const QLocale::Territory territory = locale.territory();
  if (locale.language() == QLocale::English &&
      (territory == QLocale::UnitedKingdom || territory == QLocale::Ireland)) {
    return kUkEnglish;
  }
  if (locale.language() == QLocale::Chinese &&
      (locale.script() == QLocale::TraditionalHanScript || territory == QLocale::Taiwan ||
       territory == QLocale::HongKong || territory == QLocale::Macao)) {
    return kTraditionalChinese;
  }
  for (const auto& [language, slot] : kSlots) {
    if (locale.language() == language) return slot;
  }
  return 0;
}

std::optional<int> LanguageSlot(const QString& localeName) {
  const QLocale locale(localeName);
  // A name QLocale cannot read gives its "C" locale; the names of that locale itself ("C",
  // "C.UTF-8", "POSIX") are accepted as naming no language of the game's.
  const QString base = localeName.section(QLatin1Char('.'), 0, 0);
  const bool namesC = base == QLatin1String("C") || localeName == QLatin1String("POSIX");
  if (locale.language() == QLocale::C && !namesC) return std::nullopt;
  return LanguageSlot(locale);
}

}  // namespace quill
