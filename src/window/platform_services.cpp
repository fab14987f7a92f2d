// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/platform_services.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/registry/install_folder.h"
#include "platform/registry/registry.h"
#include "platform/shell.h"

namespace quill {

PlatformServices SystemServices(std::function<bool()> endRequested) {
  PlatformServices services;
  services.gameDataFolder = [] { return platform::registry::GetGameDataFolder(); };
  services.startupFolder = [endRequested](const std::string& dataFolder) {
    return platform::registry::ChooseStartupFolder(dataFolder, endRequested);
  };
  services.searchedPlaces = [] { return platform::registry::SearchedPlaces(); };
  services.gameFolder = [endRequested](const std::filesystem::path& sims) {
    return platform::registry::FindGameFolder(sims, endRequested);
  };
  services.searchedGamePlaces = [] { return platform::registry::SearchedGameFolderPlaces(); };
  services.tellUser = [](const std::string& text) {
    std::fprintf(stderr, "quillmere: %s\n", text.c_str());
    // At the next event turn, so that a problem found during start-up shows over the window.
    QTimer::singleShot(0, [message = QString::fromStdString(text)] {
      QMessageBox::warning(QApplication::activeWindow(), QStringLiteral("Quillmere"), message);
    });
  };
  services.openWebPage = platform::OpenWebPage;
  services.endProgram = [] {
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
  };
  return services;
}

}  // namespace quill
