// A small X client for the display tests:
//   xprobe window W H   makes and maps a plain window, prints its id, lives until killed
//   xprobe shot ID|root [X Y W H]
//                       prints "WIDTH HEIGHT COLOURS" of the window's current picture (or of
//                       the part of it at X, Y, W x H)
//   xprobe children     prints how many windows the root window has
//   xprobe blocks ID N  prints how many of the window's N x N blocks hold more than one colour
//   xprobe warp X Y     puts the pointer at (X, Y) of the screen (also with no window there)
//   xprobe pointer      prints "X Y" of the pointer on the screen

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <unistd.h>

namespace {

// A part of `width` 0 is the whole window.
int Shot(Display* display, Window window, int left, int top, int width, int height)
{
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes))
        return 1;
    if (width <= 0) {
        left = top = 0;
        width = attributes.width;
        height = attributes.height;
    }
    XImage* image = XGetImage(display, window, left, top, width, height, AllPlanes, ZPixmap);
    if (!image)
        return 1;
    std::set<unsigned long> colours;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            colours.insert(XGetPixel(image, x, y));
    std::printf("%d %d %zu\n", width, height, colours.size());
    XDestroyImage(image);
    return 0;
}

int Blocks(Display* display, Window window, int n)
{
    XWindowAttributes attributes{};
    if (n < 1 || !XGetWindowAttributes(display, window, &attributes))
        return 1;
    XImage* image = XGetImage(display, window, 0, 0, attributes.width, attributes.height,
                              AllPlanes, ZPixmap);
    if (!image)
        return 1;
    long mixed = 0;
    for (int by = 0; by + n <= attributes.height; by += n)
        for (int bx = 0; bx + n <= attributes.width; bx += n) {
            const unsigned long first = XGetPixel(image, bx, by);
            bool same = true;
            for (int y = by; same && y < by + n; ++y)
                for (int x = bx; same && x < bx + n; ++x)
                    same = XGetPixel(image, x, y) == first;
            mixed += !same;
        }
    std::printf("%ld\n", mixed);
    XDestroyImage(image);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "xprobe: no display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    if (argc == 4 && std::strcmp(argv[1], "window") == 0) {
        const int width = std::atoi(argv[2]), height = std::atoi(argv[3]);
        const Window window = XCreateSimpleWindow(display, root, 10, 10, width, height, 0, 0, 0);
        XMapWindow(display, window);
        XSync(display, False);
        std::printf("%lu\n", window);
        std::fflush(stdout);
        for (;;)
            pause();
    }
    if ((argc == 3 || argc == 7) && std::strcmp(argv[1], "shot") == 0) {
        const Window window = std::strcmp(argv[2], "root") == 0 ? root : std::strtoul(argv[2], nullptr, 0);
        int part[4] = {};
        for (int i = 0; argc == 7 && i < 4; ++i)
            part[i] = std::atoi(argv[3 + i]);
        const int status = Shot(display, window, part[0], part[1], part[2], part[3]);
        XCloseDisplay(display);
        return status;
    }
    if (argc == 4 && std::strcmp(argv[1], "blocks") == 0) {
        const Window window = std::strcmp(argv[2], "root") == 0 ? root : std::strtoul(argv[2], nullptr, 0);
        const int status = Blocks(display, window, std::atoi(argv[3]));
        XCloseDisplay(display);
        return status;
    }
    if (argc == 2 && std::strcmp(argv[1], "children") == 0) {
        Window rootReturn = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        XQueryTree(display, root, &rootReturn, &parent, &children, &count);
        std::printf("%u\n", count);
        if (children)
            XFree(children);
        XCloseDisplay(display);
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "warp") == 0) {
        XWarpPointer(display, None, root, 0, 0, 0, 0, std::atoi(argv[2]), std::atoi(argv[3]));
        XSync(display, False);
        XCloseDisplay(display);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "pointer") == 0) {
        Window rootReturn = 0, child = 0;
        int x = 0, y = 0, wx = 0, wy = 0;
        unsigned mask = 0;
        XQueryPointer(display, root, &rootReturn, &child, &x, &y, &wx, &wy, &mask);
        std::printf("%d %d\n", x, y);
        XCloseDisplay(display);
        return 0;
    }
    std::fprintf(stderr, "usage: xprobe window W H | shot ID|root [X Y W H] | blocks ID N | children | warp X Y | pointer\n");
    XCloseDisplay(display);
    return 2;
}
