#include "platform/sdl/VSaverCommand.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace {

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Windows-style options may carry a value after a colon ("/c:1234", "/p:4711").
bool IsOption(const std::string& arg, char letter, std::string* value = nullptr)
{
    if (arg.size() < 2 || arg[0] != '/' || std::tolower(static_cast<unsigned char>(arg[1])) != letter)
        return false;
    if (arg.size() == 2)
        return true;
    if (arg[2] != ':')
        return false;
    if (value)
        *value = arg.substr(3);
    return true;
}

std::string Trim(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::optional<uint64_t> ParseWindowId(const std::string& text)
{
    const std::string trimmed = Trim(text);
    if (trimmed.empty() || !std::isdigit(static_cast<unsigned char>(trimmed[0])))
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(trimmed.c_str(), &end, 0);
    if (errno != 0 || *end != '\0' || value == 0)
        return std::nullopt;
    return static_cast<uint64_t>(value);
}

VSaverCommand ParseSaverCommand(const std::vector<std::string>& args, const char* screensaverWindow)
{
    VSaverCommand command;
    bool password = false, configure = false, preview = false, debug = false, run = false;
    bool help = false, foreign = false;
    std::optional<uint64_t> previewWindow;

    auto fail = [&](const std::string& message) {
        if (command.error.empty())
            command.error = message;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::string lower = Lower(arg);
        std::string value;
        auto next = [&](const char* what) -> std::optional<std::string> {
            if (i + 1 >= args.size()) {
                fail(arg + " needs " + what + ".");
                return std::nullopt;
            }
            return args[++i];
        };
        if (lower == "--record") {
            command.mode = VSaverMode::Record;
            command.recordArgs.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
            return command;
        }
        if (IsOption(arg, 'a')) {
            password = true;
        } else if (IsOption(arg, 'c')) {
            configure = true;  // a window number after it is of no use here
        } else if (IsOption(arg, 'p', &value)) {
            preview = true;
            if (value.empty()) {
                if (auto id = next("a window id"))
                    value = *id;
            }
            previewWindow = ParseWindowId(value);
            if (!previewWindow)
                fail("\"" + value + "\" is not a window id.");
        } else if (IsOption(arg, 'd')) {
            debug = true;
        } else if (IsOption(arg, 's') || lower == "--fullscreen" || lower == "-fullscreen") {
            run = true;
        } else if (lower == "--root" || lower == "-root") {
            foreign = true;
            command.root = true;
        } else if (lower == "--window-id" || lower == "-window-id") {
            foreign = true;
            if (auto id = next("a window id")) {
                if (auto parsed = ParseWindowId(*id))
                    command.window = *parsed;
                else
                    fail("\"" + *id + "\" is not a window id.");
            }
        } else if (lower == "--sound" || lower == "--no-sound") {
            command.sound = lower == "--sound" ? "1" : "0";
        } else if (lower == "--engine") {
            if (auto v = next("an engine type"))
                command.engine = *v;
        } else if (lower == "--skin") {
            if (auto v = next("a skin name"))
                command.skin = *v;
        } else if (lower == "--resolution") {
            if (auto v = next("a size such as 1280x720"))
                command.resolution = *v;
        } else if (lower == "--monitors") {
            if (auto v = next("each, span or primary"))
                command.monitors = *v;
        } else if (lower == "--display") {
            if (auto v = next("a display number")) {
                char* end = nullptr;
                const long n = std::strtol(v->c_str(), &end, 10);
                if (v->empty() || *end != '\0' || n < 0 || n > 63)
                    fail("\"" + *v + "\" is not a display number.");
                else
                    command.display = int(n);
            }
        } else if (lower == "--help" || lower == "-h") {
            help = true;
        } else {
            fail("Unknown option \"" + arg + "\".");
        }
    }

    // --root names the screen saver's window when it gives one, else the screen itself.
    if (command.root && command.window == 0 && screensaverWindow && *screensaverWindow) {
        if (auto parsed = ParseWindowId(screensaverWindow))
            command.window = *parsed;
        else
            fail(std::string("XSCREENSAVER_WINDOW \"") + screensaverWindow + "\" is not a window id.");
    }
    if (command.root && command.window != 0)
        command.root = false;

    // The Windows order: "/a" first, "/c" over "/p", "/p" over "/d".
    if (help)
        command.mode = VSaverMode::Help;
    else if (password)
        command.mode = VSaverMode::Password;
    else if (configure)
        command.mode = VSaverMode::Configure;
    else if (preview) {
        command.mode = VSaverMode::Preview;
        command.window = previewWindow.value_or(0);
    } else if (foreign)
        command.mode = VSaverMode::Foreign;
    else if (debug)
        command.mode = VSaverMode::Debug;
    else if (run)
        command.mode = VSaverMode::Run;
    return command;
}

std::string SaverUsage()
{
    return "usage: zibolt [option]\n"
           "  (none)             the show in a window; Escape or the close button ends it\n"
           "  /s, --fullscreen   the screen saver, full screen\n"
           "  /p ID              the preview inside window ID\n"
           "  /c                 the about and settings program\n"
           "  /d                 a debug window with the frame rate\n"
           "  --root             draw into the screen saver's window (XSCREENSAVER_WINDOW)\n"
           "                     or the root window\n"
           "  --window-id ID     draw into window ID\n"
           "  --sound, --no-sound, --engine N, --skin NAME, --resolution auto|native|WxH,\n"
           "  --monitors each|span|primary\n"
           "                     settings for this run, over those of control.ini\n"
           "  --display N        with /s: the show on display N alone\n"
           "  --record ...       record the show without a display (--record --help)\n";
}
