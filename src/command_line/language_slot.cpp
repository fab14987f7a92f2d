// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/language_slot.h"

#include <string>

#include "platform/game_languages.h"

namespace quill {

namespace {

constexpr int kUkEnglish = 2;
constexpr int kTraditionalChinese = 18;

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
  // The game has one Norwegian, for both written forms.
  const QLocale::Language language =
      locale.language() == QLocale::NorwegianNynorsk ? QLocale::NorwegianBokmal : locale.language();
  const std::string code = QLocale::languageToCode(language).toStdString();
  for (int slot = platform::kFirstLanguageSlot; slot <= platform::kLastLanguageSlot; ++slot) {
    if (platform::LanguageOfSlot(slot).isoCode == code) return slot;
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
