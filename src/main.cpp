// Quillmere: a read-only viewer for the character files of The Sims.
//   quillmere [FOLDER | FILE]
#include <QApplication>
#include <QCoreApplication>
#include <cstdio>
#include <optional>
#include <string>

#include "command_line/family_listing.h"
#include "command_line/json_listing.h"
#include "command_line/roster_listing.h"
#include "command_line/startup_request.h"
#include "inspect/neighbourhood_files.h"
#include "platform/end_requests.h"
#include "platform/files.h"
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

void Print(std::FILE* stream, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
}

// The folder the window would open at start-up: a game folder it cannot read leaves it in the
// current folder.
std::filesystem::path StartupFolder(const quill::PlatformServices& services) {
  const std::optional<std::filesystem::path> folder =
      services.startupFolder(services.gameDataFolder());
  return folder && quill::platform::ListFolder(*folder) ? *folder
                                                        : quill::platform::CurrentFolder();
}

// The members of a family export, when `file` names one: nothing when it is a folder or another
// kind of file, so that those keep their own answers.
std::optional<int> PrintFamily(const std::filesystem::path& file, int languageSlot, bool json) {
  if (quill::platform::ResolveFolder(file)) return std::nullopt;
  const std::optional<quill::FamilyExport> family = quill::ReadFamilyExportFile(file, languageSlot);
  const std::string name = quill::platform::DisplayName(file.filename());
  if (!family) {
    if (!quill::HasFamilyExportName(file)) return std::nullopt;
    Print(stderr,
          "quillmere: cannot read the family export " + quill::platform::DisplayName(file) + "\n");
    return 2;
  }
  Print(stdout, json ? quill::FormatFamilyJson(name, *family) : quill::FormatFamily(name, *family));
  if (!family->problem.empty()) Print(stderr, "quillmere: " + name + ": " + family->problem + "\n");
  return 0;
}

int PrintRoster(const std::filesystem::path& folder, int languageSlot, bool json) {
  if (const std::optional<int> status = PrintFamily(folder, languageSlot, json)) return *status;
  quill::platform::RemoveStaleScratchFolders(quill::platform::ScratchBase());
  const quill::platform::ScratchFolder scratch;
  const auto roster = quill::ListRoster(folder, scratch.path(), languageSlot);
  if (!roster) {
    Print(stderr,
          "quillmere: cannot read the folder " + quill::platform::DisplayName(folder) + "\n");
    return 2;
  }
  if (json) {
    quill::NeighbourhoodFiles neighbourhoods;
    const std::filesystem::path resolved = quill::platform::ResolveFolder(folder).value_or(folder);
    std::vector<std::optional<quill::BodyLooks>> looks;
    for (const quill::RosterEntry& entry : *roster) {
      looks.push_back(quill::BodyLooksOfFile(resolved / entry.file));
    }
    Print(stdout,
          quill::FormatRosterJson(*roster, neighbourhoods.of(resolved, languageSlot), looks));
    return 0;
  }
  Print(stdout, quill::FormatRoster(*roster));
  return 0;
}

// Answers the requests that need no window; none of them needs a display.
int AnswerWithoutWindow(const quill::StartupRequest& request) {
  switch (request.mode) {
    case quill::StartupMode::Help:
    case quill::StartupMode::Version:
      Print(stdout, request.text);
      return 0;
    case quill::StartupMode::Refused:
      Print(stderr, request.text);
      return 2;
    case quill::StartupMode::List:
      return PrintRoster(request.path.value_or(StartupFolder(quill::SystemServices())),
                         request.languageSlot, request.json);
    case quill::StartupMode::Window:
      break;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  SetApplicationIdentity();
  quill::StartupRequest request;
  {
    // Reading the command line needs an application object but no display; the window's
    // application object replaces it only when a window is wanted.
    const QCoreApplication reader(argc, argv);
    request = quill::ParseCommandLine(QCoreApplication::arguments());
    if (request.mode != quill::StartupMode::Window) return AnswerWithoutWindow(request);
  }
  QApplication application(argc, argv);
  quill::platform::RemoveStaleScratchFolders(quill::platform::ScratchBase());
  // Listened for before the window makes its scratch folder, so that no request to end falls
  // between the two. Requests are heard at event turns, the first of them in start-up's roster
  // pass, when the window exists.
  std::optional<quill::FrmMain> window;
  quill::platform::CallOnEndRequest(application, [&window] {
    if (window) window->close();
  });
  quill::PlatformServices services = quill::SystemServices();
  services.languageSlot = request.languageSlot;
  window.emplace(std::move(services));
  if (request.path) {
    window->load(*request.path);
  } else {
    window->load();
  }
  window->show();
  return QApplication::exec();
}
