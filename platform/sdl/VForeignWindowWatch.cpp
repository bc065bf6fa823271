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

void VForeignWindowWatch::ClearToBackground(uint64_t window) const
{
    int width = 0, height = 0;
    if (!GetSize(window, width, height))
        return;
    auto previous = XSetErrorHandler(IgnoreErrors);
    const Window id = static_cast<Window>(window);
    // Clearing repaints only a window that has a background; black first covers the rest.
    GC gc = XCreateGC(display_, id, 0, nullptr);
    XSetForeground(display_, gc, BlackPixel(display_, DefaultScreen(display_)));
    XFillRectangle(display_, id, gc, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XFreeGC(display_, gc);
    XClearWindow(display_, id);
    XSync(display_, False);
    XSetErrorHandler(previous);
}

bool VForeignWindowWatch::Exists(uint64_t window) const
{
    int width = 0, height = 0;
    return GetSize(window, width, height);
}
