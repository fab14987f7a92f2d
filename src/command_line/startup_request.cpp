// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/startup_request.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include "command_line/language_slot.h"
#include "platform/files.h"

namespace quill {

namespace {

std::string Utf8(const QString& text) {
  return text.toUtf8().toStdString();
}

QString Shown(const platform::NativeArgument& argument) {
  return QString::fromStdString(platform::DisplayName(std::filesystem::path(argument)));
}

// What the option parser is given in place of the arguments: the options as text, and each
// argument that can only be a path as its position among `arguments`, for the path itself may be
// no valid text. Nothing after "--", nor a lone "-", is an option; the word after an option that
// takes a value is that value: a text after one of `textOptions`, a path (by position) after
// `pathOption`.
QStringList ParserArguments(const std::vector<platform::NativeArgument>& arguments,
                            const QStringList& textOptions, const QString& pathOption) {
  QStringList texts{arguments.empty() ? QStringLiteral("quillmere") : Shown(arguments.front())};
  bool optionsEnded = false;
  bool textDue = false;
  bool pathDue = false;
  for (std::size_t index = 1; index < arguments.size(); ++index) {
    const QString text = Shown(arguments[index]);
    const bool value = (textDue || pathDue) && !optionsEnded;
    const bool path =
        (value && pathDue) ||
        (!value && (optionsEnded || !text.startsWith(QLatin1Char('-')) || text.size() == 1));
    textDue = !optionsEnded && !value && textOptions.contains(text);
    pathDue = !optionsEnded && !value && text == pathOption;
    optionsEnded = optionsEnded || (!value && text == QStringLiteral("--"));
    const QString joined = pathOption + QLatin1Char('=');
    if (!optionsEnded && !value && text.startsWith(joined)) {
      // "--game=FOLDER": its position, marked as the joined form.
      texts.push_back(joined + QLatin1Char('=') + QString::number(index));
    } else {
      texts.push_back(path ? QString::number(index) : text);
    }
  }
  return texts;
}

}  // namespace

StartupRequest ParseCommandLine(const std::vector<platform::NativeArgument>& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Shows the Sims kept in the character files of The Sims."));
  // Not addHelpOption(): its --help-all offers the window's Qt options, which the command line
  // is read without.
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Displays this help."));
  parser.addOption(help);
  const QCommandLineOption version = parser.addVersionOption();
  const QCommandLineOption list(
      QStringLiteral("list"),
      QStringLiteral("Print the Sims of FOLDER (by default the folder the window opens at "
                     "start-up), one line per character file: file name, a tab, Sim name."));
  parser.addOption(list);
  const QCommandLineOption json(
      QStringLiteral("json"),
      QStringLiteral("With --list: one JSON object per Sim instead, with what the neighbourhood "
                     "knows of it (family, species, age, star sign, career, personality, skills, "
                     "friends)."));
  parser.addOption(json);
  const QCommandLineOption language(
      QStringLiteral("language"),
      QStringLiteral("Show the Sims' names and descriptions in LANG (a locale name such as fr, "
                     "de_DE, ja, zh_TW or pt_BR) where a file holds that language, else in US "
                     "English. By default the language the game runs in, else the one the "
                     "files' names are in."),
      QStringLiteral("LANG"));
  parser.addOption(language);
  const QCommandLineOption check(
      QStringLiteral("check"),
      QStringLiteral("Check whether each Sim of FOLDER, FILE or FAMILY.FAM would look right in the "
                     "game: one line per missing or unusable skin file (file, a tab, Sim, a tab, "
                     "part, a tab, problem). Exits 1 when any Sim would not look right."));
  parser.addOption(check);
  const QCommandLineOption game(
      QStringLiteral("game"),
      QStringLiteral("The game's folder, which holds GameData/Behavior.iff, whose skins the Sims' "
                     "looks are checked against. By default the one the registry or the Sims' "
                     "folder names."),
      QStringLiteral("FOLDER"));
  parser.addOption(game);
  parser.addPositionalArgument(QStringLiteral("path"),
                               QStringLiteral("A folder to open, or a character file to show."),
                               QStringLiteral("[FOLDER|FILE]"));

  const QString usage = parser.helpText().section(QLatin1Char('\n'), 0, 0);
  const auto refuse = [&usage](const QString& why) {
    StartupRequest refused;
    refused.mode = StartupMode::Refused;
    refused.text = Utf8(QCoreApplication::applicationName().toLower() + QStringLiteral(": ") + why +
                        QLatin1Char('\n') + usage + QLatin1Char('\n'));
    return refused;
  };
  if (!parser.parse(
          ParserArguments(arguments, {QStringLiteral("--language")}, QStringLiteral("--game"))))
    return refuse(parser.errorText());
  // Each is the position of a path among the arguments.
  const QStringList paths = parser.positionalArguments();
  const auto pathAt = [&arguments, &paths](int which) {
    return arguments.at(paths.at(which).toULongLong());
  };
  if (paths.size() > 1) {
    return refuse(QStringLiteral("more than one path given: '%1'").arg(Shown(pathAt(1))));
  }

  if (parser.isSet(json) && !parser.isSet(list))
    return refuse(QStringLiteral("--json needs --list"));
  if (parser.isSet(check) && parser.isSet(list))
    return refuse(QStringLiteral("--check and --list cannot be given together"));

  StartupRequest request;
  if (parser.isSet(language)) {
    const std::optional<int> slot = LanguageSlot(parser.value(language));
    if (!slot) {
      // No locale name is longer than a few dozen characters; a longer value is cut.
      constexpr qsizetype kShownLength = 40;
      const QString value = parser.value(language);
      const QString shown =
          value.size() > kShownLength ? value.left(kShownLength) + QChar(0x2026) : value;
      return refuse(QStringLiteral("unknown language '%1'").arg(shown));
    }
    request.languageSlot = *slot;
    request.languageGiven = true;
  } else {
    request.languageSlot = LanguageSlot(QLocale::system());
  }
  if (!paths.isEmpty()) request.path = std::filesystem::path(pathAt(0));
  if (parser.isSet(game)) {
    // The folder's position among the arguments; "=" before it when it was joined to the option.
    const QString value = parser.value(game);
    const bool joined = value.startsWith(QLatin1Char('='));
    const platform::NativeArgument& argument =
        arguments.at(value.mid(joined ? 1 : 0).toULongLong());
    const std::size_t skipped = joined ? std::string_view("--game=").size() : 0;
    request.game = std::filesystem::path(argument.substr(skipped));
  }
  if (parser.isSet(help)) {
    request.mode = StartupMode::Help;
    request.text = Utf8(parser.helpText());
  } else if (parser.isSet(version)) {
    request.mode = StartupMode::Version;
    request.text = Utf8(QCoreApplication::applicationName() + QLatin1Char(' ') +
                        QCoreApplication::applicationVersion() + QLatin1Char('\n'));
  } else if (parser.isSet(list)) {
    request.mode = StartupMode::List;
    request.json = parser.isSet(json);
  } else if (parser.isSet(check)) {
    request.mode = StartupMode::Check;
  }
  return request;
}

}  // namespace quill
