#include "window/platform_services.h"

#include <cstdio>
#include <cstdlib>

#include "platform/shell.h"

namespace quill {

PlatformServices SystemServices() {
  PlatformServices services;
  services.gameDataFolder = [] { return std::string("Not Found"); };
  services.startupFolder = [](const std::string&) { return std::optional<std::filesystem::path>(); };
  services.openWebPage = platform::OpenWebPage;
  services.endProgram = [] {
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
  };
  return services;
}

}  // namespace quill
