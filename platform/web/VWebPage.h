#pragma once

#include <cstdint>
#include <string>

// The calls from the engine into the page (page.js keeps the canvas, the overlay and the
// sounds): each is one line of JavaScript on the page's "zibolt" object.
namespace VWebPage {

// The canvas takes the stage's size; the page scales it to the window.
void SetCanvasSize(int width, int height);
// width x height RGBA pixels, top row first.
void ShowFrame(const uint8_t* rgba, int width, int height);
void ShowCursor(bool show);
// A failure the show reported: the page shows it beside the show, which goes on.
void Report(const std::string& message);
// Plays the wave file's bytes under `name` (decoded once, then reused); one sound at a time.
// False while the page has no running audio (before the viewer switched sound on).
bool PlaySound(const std::string& name, const std::string& wave);

}  // namespace VWebPage
