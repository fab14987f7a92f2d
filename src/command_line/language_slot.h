// SPDX-License-Identifier: GPL-3.0-or-later
// The player's language as the game numbers its languages.
#pragma once

#include <QLocale>
#include <QString>
#include <optional>

namespace quill {

// The game's language slot (1 to 20) for `locale`: its language, and for English and Chinese its
// territory or script too (Britain and Ireland → UK English; Taiwan, Hong Kong, Macao or the
// traditional script → Traditional Chinese). 0 for a language the game was not sold in.
int LanguageSlot(const QLocale& locale);

// The slot for a locale name such as "fr", "de_DE", "zh-TW" or "ja_JP.UTF-8"; nothing when the
// name names no language at all.
std::optional<int> LanguageSlot(const QString& localeName);

}  // namespace quill
