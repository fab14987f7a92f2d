#include "window/platform_services.h"

#include <cstdio>
#include <cstdlib>

#include "platform/registry/game_folder.h"
#include "platform/registry/registry.h"
#include "platform/shell.h"

namespace quill {

PlatformServices SystemServices() {
  PlatformServices services;
  services.gameDataFolder = [] { return platform::registry::GetGameDataFolder(); };
  services.startupFolder = [](const std::string& dataFolder) {
    return platform::registry::ChooseStartupFolder(dataFolder);
  };
  services.openWebPage = platform::OpenWebPage;
  services.endProgram = [] {
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
  };
  return services;
}

}  // namespace quill
