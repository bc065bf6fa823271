#pragma once

struct SDL_Window;

// What becomes of X errors while the show draws. A window that vanishes from under it (the
// screen saver's window at deactivation, a preview host that closes) answers the next drawing
// with BadWindow or BadDrawable: a normal end, noted here for the stage to stop quietly,
// where Xlib's own handler would end the program with status 1 and a report. A lost X server
// ends the program at once with one line on stderr, never a loop on a dead connection.
namespace VXErrorGuard {

// Takes over Xlib's handlers; call after SDL has started its video (it installs its own).
void Install();
// True once a window or drawable has vanished since Install or the last Reset.
bool WindowVanished();
void Reset();
// Lets the errors of every request sent so far on the X connection of `window` arrive while
// the guard holds (SDL may give Xlib's handlers back when its video ends). With `unmap` the
// window leaves the screen first: SDL, finding it unmapped, then skips the tenth of a second
// that it waits for a window manager (often none under a screen saver) to take a full-screen
// window down.
void DrainWindowDisplay(SDL_Window* window, bool unmap);

}  // namespace VXErrorGuard
