// SPDX-License-Identifier: GPL-3.0-or-later
// Quillmere: a read-only viewer for the character files of The Sims.
//   quillmere [FOLDER | FILE]
#include <QApplication>
#include <QCoreApplication>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "command_line/listing.h"
#include "command_line/sim_picture.h"
#include "command_line/startup_request.h"
#include "content/game_skins.h"
#include "inspect/language_choice.h"
#include "platform/arguments.h"
#include "platform/end_requests.h"
#include "platform/files.h"
#include "platform/registry/install_folder.h"
#include "platform/terminal.h"
#include "platform/text.h"
#include "quillmere_version.h"
#include "window/frm_main.h"

namespace {

void SetApplicationIdentity() {
  QCoreApplication::setApplicationName(QStringLiteral("Quillmere"));
  QCoreApplication::setApplicationVersion(QString::fromLatin1(quill::kQuillmereVersion));
  QCoreApplication::setOrganizationName(QStringLiteral("Harrowfen"));
  QCoreApplication::setOrganizationDomain(QStringLiteral("harrowfen.example"));
  QGuiApplication::setDesktopFileName(QString::fromLatin1(quill::kDesktopId));
}

// False, after saying why, when the text could not all be written (a full disk, say).
bool Print(std::FILE* stream, const std::string& text) {
  if (std::fwrite(text.data(), 1, text.size(), stream) == text.size() && std::fflush(stream) == 0) {
    return true;
  }
  const std::string why = std::strerror(errno);
  std::fprintf(stderr, "quillmere: cannot write the output: %s\n", why.c_str());
  return false;
}

int PrintAnswer(const std::string& text) {
  return Print(stdout, text) ? 0 : 1;
}

// Standard output first, then standard error; an output that cannot be written makes it 1.
int Deliver(const quill::Answer& answer) {
  const bool written = Print(stdout, answer.out);
  if (!answer.err.empty()) Print(stderr, answer.err);
  return written ? answer.status : 1;
}

// The folder the window would open at start-up: a game folder it cannot read leaves it in the
// current folder. The game's language there goes to `language`.
std::filesystem::path StartupFolder(const quill::PlatformServices& services,
                                    quill::LanguageChoice& language) {
  const std::optional<quill::platform::registry::FoundFolder> found =
      services.startupFolder(services.gameDataFolder());
  if (!found || !quill::platform::ListFolder(found->characters))
    return quill::platform::CurrentFolder();
  language.takeGameLanguage(found->gameLanguage);
  return found->characters;
}

// The search for the game's folder of a folder of Sims.
quill::content::GameSkins::FindGame GameFinder() {
  return [](const std::filesystem::path& sims) {
    return quill::platform::registry::FindGameFolder(sims);
  };
}

// Answers the requests that need no window; none of them needs a display.
int AnswerWithoutWindow(const quill::StartupRequest& request) {
  switch (request.mode) {
    case quill::StartupMode::Help:
    case quill::StartupMode::Version:
      return PrintAnswer(request.text);
    case quill::StartupMode::Refused:
      Print(stderr, request.text);
      return 2;
    case quill::StartupMode::List: {
      quill::LanguageChoice language(request.languageSlot, request.languageGiven);
      const std::filesystem::path listed =
          request.path ? *request.path : StartupFolder(quill::SystemServices(), language);
      language.takeEvidence(quill::NameTablesAt(listed));
      // For the person at the terminal; a script reading the output is not told, and a path that
      // is not there gets its error alone.
      std::error_code ec;
      if (quill::platform::StandardErrorIsTerminal() && std::filesystem::exists(listed, ec))
        Print(stderr, "quillmere: " + language.description() + "\n");
      // The listing writes no scratch files, but a run that starts clears what dead runs left.
      quill::platform::RemoveStaleScratchFolders(quill::platform::ScratchBase());
      quill::content::GameSkins skins(GameFinder(), request.game);
      return Deliver(quill::ListPath(listed, language.slot(), request.json, &skins));
    }
    case quill::StartupMode::Check: {
      quill::LanguageChoice language(request.languageSlot, request.languageGiven);
      const std::filesystem::path checked =
          request.path ? *request.path : StartupFolder(quill::SystemServices(), language);
      language.takeEvidence(quill::NameTablesAt(checked));
      quill::content::GameSkins skins(GameFinder(), request.game);
      return Deliver(quill::CheckPath(checked, language.slot(), skins,
                                      quill::platform::registry::SearchedGameFolderPlaces()));
    }
    case quill::StartupMode::Render:
    case quill::StartupMode::Thumbnail: {
      // A thumbnail's portrait needs no game folder: the search happens only for a Sim drawn.
      quill::content::GameSkins skins(GameFinder(), request.game);
      const auto answer =
          request.mode == quill::StartupMode::Render ? quill::RenderSim : quill::MakeThumbnail;
      return Deliver(answer(*request.path, request.picture, request.languageSlot, skins,
                            quill::platform::registry::SearchedGameFolderPlaces()));
    }
    case quill::StartupMode::Window:
      break;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  SetApplicationIdentity();
  // Qt is given the program's name alone: every other argument is the command line's own, and a
  // path after "--" that looks like one of Qt's options must not be taken for it.
  char fallbackName[] = "quillmere";
  int qtArgc = 1;
  char* qtArgv[] = {argc > 0 && argv[0] != nullptr ? argv[0] : fallbackName, nullptr};
  quill::StartupRequest request;
  {
    // Reading the command line needs an application object but no display; the window's
    // application object replaces it only when a window is wanted.
    const QCoreApplication reader(qtArgc, qtArgv);
    request = quill::ParseCommandLine(quill::platform::ProgramArguments(argc, argv));
    // A game folder named for the run that is not there would only make every skin look missing.
    if (request.game && !quill::platform::ListFolder(*request.game)) {
      Print(stderr, "quillmere: cannot read the game folder " +
                        quill::platform::VisibleText(quill::platform::DisplayName(*request.game)) +
                        "\n");
      return 2;
    }
    if (request.mode != quill::StartupMode::Window) return AnswerWithoutWindow(request);
  }
  QApplication application(qtArgc, qtArgv);
  quill::platform::RemoveStaleScratchFolders(quill::platform::ScratchBase());
  // Listened for before the window makes its scratch folder, so that no request to end falls
  // between the two. Requests are heard at event turns, the first of them in start-up's roster
  // pass, when the window exists; the search for the game's folder before it only checks for
  // one, and gives up when one is waiting. A request closes the window as Close does, then ends
  // the program as the signal would have.
  int endSignal = 0;
  std::optional<quill::FrmMain> window;
  std::function<bool()> endRequested =
      quill::platform::CallOnEndRequest(application, [&window, &endSignal](int signal) {
        endSignal = signal;
        if (window) window->close();
      });
  quill::PlatformServices services = quill::SystemServices(std::move(endRequested));
  services.endProgram = [endProgram = services.endProgram, &endSignal] {
    if (endSignal != 0) quill::platform::EndAsSignalled(endSignal);
    endProgram();
  };
  services.languageSlot = request.languageSlot;
  services.languageGiven = request.languageGiven;
  services.namedGameFolder = request.game;
  window.emplace(std::move(services));
  if (request.path) {
    window->load(*request.path);
  } else {
    window->load();
  }
  window->showAtStart();
  return QApplication::exec();
}
