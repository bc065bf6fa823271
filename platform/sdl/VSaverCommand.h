#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "saver/VStageSize.h"

// How the program was started.
enum class VSaverMode {
    Window,     // no option: a framed window that the close button or Escape ends
    Run,        // "/s" or --fullscreen: the full-screen saver
    Configure,  // "/c": the about program
    Preview,    // "/p ID": the small picture inside a host window
    Debug,      // "/d": frameless window with the frame-rate read-out
    Password,   // "/a": nothing to change here
    Foreign,    // --root or --window-id: drawing into a window the screen saver made
    Record,     // --record: the headless recording command
    Help,
};

// The command line, read option by option. Windows-style options ("/s", "/c", "/p", "/d",
// "/a") match whole arguments in any letter case, so a path such as /home/pat/zibolt is never
// taken for one.
struct VSaverCommand {
    VSaverMode mode = VSaverMode::Window;
    // The host window of the preview or the window to draw into; 0 with `root` means the
    // screen's root window.
    uint64_t window = 0;
    bool root = false;
    // Settings given on the command line (the screen saver's options dialog passes them);
    // they win over the settings file.
    std::optional<std::string> sound;
    std::optional<std::string> engine;
    std::optional<std::string> skin;
    std::optional<std::string> resolution;
    std::optional<std::string> monitors;
    // With "/s": the show on this display only, as one of the shows that a full-screen run
    // starts for each monitor (-1: none given).
    int display = -1;
    // The arguments after --record, for the recording command.
    std::vector<std::string> recordArgs;
    // Set when the command line cannot be understood; names the problem.
    std::string error;
};

// `args` excludes the program name. `screensaverWindow` is the value of XSCREENSAVER_WINDOW
// (null when unset); with --root it names the window to draw into.
VSaverCommand ParseSaverCommand(const std::vector<std::string>& args,
                                const char* screensaverWindow);

// A window id as decimal or 0x-prefixed hexadecimal; nullopt when it is not one.
std::optional<uint64_t> ParseWindowId(const std::string& text);

// The usage text printed by --help and on errors.
std::string SaverUsage();
