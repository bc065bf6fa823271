#include "platform/sdl/VXErrorGuard.h"

#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>

#include <csignal>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t gVanished = 0;

int OnError(Display* display, XErrorEvent* error)
{
    if (error->error_code == BadWindow || error->error_code == BadDrawable) {
        gVanished = 1;
        return 0;
    }
    // Any other refusal costs one drawing at most: say so and go on.
    char text[128] = {};
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "%s: the X server refused request %d: %s\n", program_invocation_short_name,
                 error->request_code, text);
    return 0;
}

int OnConnectionLost(Display*)
{
    // Xlib cannot go on with this connection; nor can the show without its display.
    static const char message[] = ": lost the connection to the X server\n";
    const char* name = program_invocation_short_name;
    (void)!::write(STDERR_FILENO, name, std::strlen(name));
    (void)!::write(STDERR_FILENO, message, sizeof message - 1);
    ::_exit(1);
}

}  // namespace

namespace VXErrorGuard {

void Install()
{
    XSetErrorHandler(OnError);
    XSetIOErrorHandler(OnConnectionLost);
}

bool WindowVanished() { return gVanished != 0; }

void Reset() { gVanished = 0; }

void DrainWindowDisplay(SDL_Window* window, bool unmap)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11 ||
        !info.info.x11.display)
        return;
    if (unmap)
        XUnmapWindow(info.info.x11.display, info.info.x11.window);
    XSync(info.info.x11.display, False);
}

}  // namespace VXErrorGuard
