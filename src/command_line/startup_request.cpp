#include "command_line/startup_request.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include "command_line/language_slot.h"

namespace quill {

namespace {

std::string Utf8(const QString& text) {
  return text.toUtf8().toStdString();
}

std::filesystem::path PathOf(const QString& argument) {
#ifdef _WIN32
  return std::filesystem::path(argument.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(argument).toStdString());
#endif
}

}  // namespace

StartupRequest ParseCommandLine(const QStringList& arguments) {
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
                     "English. By default the system's language."),
      QStringLiteral("LANG"));
  parser.addOption(language);
  parser.addPositionalArgument(QStringLiteral("path"),
                               QStringLiteral("A folder to open, or a character file to show."),
                               QStringLiteral("[FOLDER|FILE]"));

  const QString usage = parser.helpText().section(QLatin1Char('\n'), 0, 0);
  const auto refuse = [&usage](const QString& why) {
    return StartupRequest{
        StartupMode::Refused, std::nullopt,
        Utf8(QCoreApplication::applicationName().toLower() + QStringLiteral(": ") + why +
             QLatin1Char('\n') + usage + QLatin1Char('\n'))};
  };
  if (!parser.parse(arguments)) return refuse(parser.errorText());
  const QStringList paths = parser.positionalArguments();
  if (paths.size() > 1) {
    return refuse(QStringLiteral("more than one path given: '%1'").arg(paths.at(1)));
  }

  if (parser.isSet(json) && !parser.isSet(list))
    return refuse(QStringLiteral("--json needs --list"));

  StartupRequest request;
  if (parser.isSet(language)) {
    const std::optional<int> slot = LanguageSlot(parser.value(language));
    if (!slot) return refuse(QStringLiteral("unknown language '%1'").arg(parser.value(language)));
    request.languageSlot = *slot;
  } else {
    request.languageSlot = LanguageSlot(QLocale::system());
  }
  if (!paths.isEmpty()) request.path = PathOf(paths.first());
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
  }
  return request;
}

}  // namespace quill
