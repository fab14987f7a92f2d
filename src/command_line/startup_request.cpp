// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/startup_request.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include "command_line/language_slot.h"
#include "platform/files.h"
#include "render/outfits.h"

namespace quill {

namespace {

// The bounds of --render's picture and of --thumbnail's, in pixels a side.
constexpr int kLeastRenderSide = 16;
constexpr int kMostRenderSide = 4096;
constexpr int kMostThumbnailSide = 1024;

std::string Utf8(const QString& text) {
  return text.toUtf8().toStdString();
}

QString Shown(const platform::NativeArgument& argument) {
  return QString::fromStdString(platform::DisplayName(std::filesystem::path(argument)));
}

// What the option parser is given in place of the arguments: the options as text, and each
// argument that can only be a path as its position among `arguments`, for the path itself may be
// no valid text. Nothing after "--", nor a lone "-", is an option; the word after an option that
// takes a value is that value: a text after one of `textOptions`, a path (by position) after one
// of `pathOptions`.
QStringList ParserArguments(const std::vector<platform::NativeArgument>& arguments,
                            const QStringList& textOptions, const QStringList& pathOptions) {
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
    pathDue = !optionsEnded && !value && pathOptions.contains(text);
    optionsEnded = optionsEnded || (!value && text == QStringLiteral("--"));
    QString joined;
    for (const QString& option : pathOptions) {
      if (text.startsWith(option + QLatin1Char('='))) joined = option + QLatin1Char('=');
    }
    if (!optionsEnded && !value && !joined.isEmpty()) {
      // "--game=FOLDER": its position, marked as the joined form.
      texts.push_back(joined + QLatin1Char('=') + QString::number(index));
    } else {
      texts.push_back(path ? QString::number(index) : text);
    }
  }
  return texts;
}

// A value as a refusal quotes it: no value the options take is longer than a few dozen
// characters, so a longer one is cut.
QString Quoted(const QString& value) {
  constexpr qsizetype kShownLength = 40;
  return QLatin1Char('\'') +
         (value.size() > kShownLength ? value.left(kShownLength) + QChar(0x2026) : value) +
         QLatin1Char('\'');
}

// "WxH" with each side within [least, most]; nothing otherwise.
std::optional<QSize> SizeOf(const QString& text, int least, int most) {
  const QStringList sides = text.split(QLatin1Char('x'));
  if (sides.size() != 2) return std::nullopt;
  bool wide = false;
  bool high = false;
  const int width = sides[0].toInt(&wide);
  const int height = sides[1].toInt(&high);
  if (!wide || !high || width < least || width > most || height < least || height > most)
    return std::nullopt;
  return QSize(width, height);
}

// The outfits' names as --outfit takes them: "everyday, formal, ... or high-fashion".
QString OutfitChoices() {
  QString choices;
  for (std::size_t k = 0; k < render::kOutfitNames.size(); ++k) {
    if (k > 0)
      choices +=
          k + 1 == render::kOutfitNames.size() ? QStringLiteral(" or ") : QStringLiteral(", ");
    choices += QString::fromUtf8(render::kOutfitNames[k].name.data(),
                                 static_cast<qsizetype>(render::kOutfitNames[k].name.size()))
                   .replace(QLatin1Char(' '), QLatin1Char('-'));
  }
  return choices;
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
  const QCommandLineOption render(
      QStringLiteral("render"),
      QStringLiteral("Draw the Sim of FILE, or a member of FAMILY.FAM, in 3D as the game would "
                     "dress it, into the PNG file --out names, without a window. Exits 1 when "
                     "nothing of the Sim can be drawn."));
  parser.addOption(render);
  const QCommandLineOption member(
      QStringLiteral("member"),
      QStringLiteral("With --render: the member of FAMILY.FAM to draw, counted from 1 as --list "
                     "shows them (by default 1)."),
      QStringLiteral("N"));
  parser.addOption(member);
  const QCommandLineOption outfit(
      QStringLiteral("outfit"),
      QStringLiteral("With --render: the outfit the Sim wears: %1 (by default everyday).")
          .arg(OutfitChoices()),
      QStringLiteral("NAME"));
  parser.addOption(outfit);
  const QCommandLineOption size(
      QStringLiteral("size"),
      QStringLiteral("With --render: the picture's width and height in pixels, each 16 to 4096 "
                     "(by default 400x600)."),
      QStringLiteral("WxH"));
  parser.addOption(size);
  const QCommandLineOption out(
      QStringLiteral("out"),
      QStringLiteral("With --render: the PNG file to write; a file that exists is never "
                     "replaced."),
      QStringLiteral("PNG"));
  parser.addOption(out);
  const QCommandLineOption thumbnail(
      QStringLiteral("thumbnail"),
      QStringLiteral("Given INPUT OUTPUT SIZE, for file managers: write the new PNG file OUTPUT, "
                     "at most SIZE pixels a side (1 to 1024), from the portrait the character "
                     "file or family export INPUT holds, else from its (first) Sim drawn as "
                     "--render draws it."));
  parser.addOption(thumbnail);
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
  const QStringList pathOptions{QStringLiteral("--game"), QStringLiteral("--out")};
  if (!parser.parse(ParserArguments(arguments,
                                    {QStringLiteral("--language"), QStringLiteral("--member"),
                                     QStringLiteral("--outfit"), QStringLiteral("--size")},
                                    pathOptions)))
    return refuse(parser.errorText());
  // Each is the position of a path among the arguments.
  const QStringList paths = parser.positionalArguments();
  const auto pathAt = [&arguments, &paths](int which) {
    return arguments.at(paths.at(which).toULongLong());
  };
  // A path option's value: its position among the arguments, "=" before it when it was joined to
  // the option ("--game=FOLDER").
  const auto pathOf = [&arguments, &parser](const QCommandLineOption& option) {
    const QString value = parser.value(option);
    const bool joined = value.startsWith(QLatin1Char('='));
    const platform::NativeArgument& argument =
        arguments.at(value.mid(joined ? 1 : 0).toULongLong());
    const std::size_t skipped = joined ? option.names().front().size() + 3 : 0;
    return std::filesystem::path(argument.substr(skipped));
  };

  // The modes, one of which may be asked for.
  const std::pair<const QCommandLineOption*, StartupMode> modes[] = {
      {&check, StartupMode::Check},
      {&list, StartupMode::List},
      {&render, StartupMode::Render},
      {&thumbnail, StartupMode::Thumbnail}};
  StartupMode mode = StartupMode::Window;
  QString modeName;
  for (const auto& [option, asked] : modes) {
    if (!parser.isSet(*option)) continue;
    const QString name = QStringLiteral("--") + option->names().front();
    if (mode != StartupMode::Window)
      return refuse(QStringLiteral("%1 and %2 cannot be given together").arg(modeName, name));
    mode = asked;
    modeName = name;
  }
  if (mode == StartupMode::Thumbnail && paths.size() != 3)
    return refuse(QStringLiteral("--thumbnail needs INPUT, OUTPUT and SIZE"));
  if (mode != StartupMode::Thumbnail && paths.size() > 1) {
    return refuse(QStringLiteral("more than one path given: '%1'").arg(Shown(pathAt(1))));
  }
  if (parser.isSet(json) && mode != StartupMode::List)
    return refuse(QStringLiteral("--json needs --list"));
  for (const QCommandLineOption* option : {&member, &outfit, &size, &out}) {
    if (parser.isSet(*option) && mode != StartupMode::Render)
      return refuse(QStringLiteral("--%1 needs --render").arg(option->names().front()));
  }

  StartupRequest request;
  request.mode = mode;
  if (parser.isSet(language)) {
    const std::optional<int> slot = LanguageSlot(parser.value(language));
    if (!slot)
      return refuse(QStringLiteral("unknown language %1").arg(Quoted(parser.value(language))));
    request.languageSlot = *slot;
    request.languageGiven = true;
  } else {
    request.languageSlot = LanguageSlot(QLocale::system());
  }
  if (!paths.isEmpty()) request.path = std::filesystem::path(pathAt(0));
  if (parser.isSet(game)) request.game = pathOf(game);
  if (mode == StartupMode::Render) {
    if (!request.path) return refuse(QStringLiteral("--render needs a FILE or FAMILY.FAM"));
    if (!parser.isSet(out)) return refuse(QStringLiteral("--render needs --out PNG"));
    request.picture.out = pathOf(out);
    if (parser.isSet(member)) {
      bool number = false;
      request.picture.member = parser.value(member).toInt(&number);
      if (!number || request.picture.member < 1)
        return refuse(QStringLiteral("bad member %1: give a number from 1")
                          .arg(Quoted(parser.value(member))));
    }
    if (parser.isSet(outfit)) {
      const std::optional<render::OutfitName> named =
          render::OutfitNamed(Utf8(parser.value(outfit)));
      if (!named)
        return refuse(QStringLiteral("unknown outfit %1: give %2")
                          .arg(Quoted(parser.value(outfit)), OutfitChoices()));
      request.picture.outfit = named->string;
    }
    if (parser.isSet(size)) {
      const std::optional<QSize> asked =
          SizeOf(parser.value(size), kLeastRenderSide, kMostRenderSide);
      if (!asked)
        return refuse(QStringLiteral("bad size %1: give WIDTHxHEIGHT, each 16 to 4096")
                          .arg(Quoted(parser.value(size))));
      request.picture.size = *asked;
    }
  }
  if (mode == StartupMode::Thumbnail) {
    request.picture.out = std::filesystem::path(pathAt(1));
    bool number = false;
    const QString side = Shown(pathAt(2));
    const int pixels = side.toInt(&number);
    if (!number || pixels < 1 || pixels > kMostThumbnailSide)
      return refuse(QStringLiteral("bad thumbnail size %1: give 1 to 1024").arg(Quoted(side)));
    request.picture.size = QSize(pixels, pixels);
  }
  if (parser.isSet(help)) {
    request.mode = StartupMode::Help;
    request.text = Utf8(parser.helpText());
  } else if (parser.isSet(version)) {
    request.mode = StartupMode::Version;
    request.text = Utf8(QCoreApplication::applicationName() + QLatin1Char(' ') +
                        QCoreApplication::applicationVersion() + QLatin1Char('\n'));
  } else if (mode == StartupMode::List) {
    request.json = parser.isSet(json);
  }
  return request;
}

}  // namespace quill
