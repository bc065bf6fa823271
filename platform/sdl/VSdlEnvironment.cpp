#include "platform/sdl/VSdlEnvironment.h"

#include <SDL2/SDL_hints.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace {

void KeepSessionBusFromAutolaunching()
{
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS"))
        return;
    // libdbus finds a user session's bus here by itself.
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
        struct stat info {};
        const std::string bus = std::string(runtime) + "/bus";
        if (::stat(bus.c_str(), &info) == 0 && S_ISSOCK(info.st_mode))
            return;
    }
    // An address of no known kind: connecting fails at once, and nothing is launched.
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
}

}  // namespace

void PrepareSdlEnvironment()
{
    KeepSessionBusFromAutolaunching();
    const char* display = std::getenv("DISPLAY");
    const char* chosen = std::getenv("SDL_VIDEODRIVER");
    if (display && *display && !(chosen && *chosen))
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
}
