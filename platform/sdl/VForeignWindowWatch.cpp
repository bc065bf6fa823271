#include "platform/sdl/VForeignWindowWatch.h"

#include <X11/Xlib.h>

namespace {

// A window that vanished answers BadWindow; Xlib's default handler would end the program.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

VForeignWindowWatch::VForeignWindowWatch() : display_(XOpenDisplay(nullptr)) {}

VForeignWindowWatch::~VForeignWindowWatch()
{
    if (display_)
        XCloseDisplay(display_);
}

uint64_t VForeignWindowWatch::ScreenRoot() const
{
    return display_ ? static_cast<uint64_t>(DefaultRootWindow(display_)) : 0;
}

bool VForeignWindowWatch::GetSize(uint64_t window, int& width, int& height) const
{
    if (!display_ || window == 0)
        return false;
    auto previous = XSetErrorHandler(IgnoreErrors);
    XWindowAttributes attributes{};
    const Status ok = XGetWindowAttributes(display_, static_cast<Window>(window), &attributes);
    XSync(display_, False);
    XSetErrorHandler(previous);
    if (!ok)
        return false;
    width = attributes.width;
    height = attributes.height;
    return true;
}

bool VForeignWindowWatch::Exists(uint64_t window) const
{
    int width = 0, height = 0;
    return GetSize(window, width, height);
}
