// zibolt-about: what Zibolt is, the settings a user may change, and the last problems the
// show met where no one was watching.

#include <algorithm>
#include <SDL2/SDL.h>

#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <signal.h>
#include <vector>

#include "engine/graphics/VDib.h"
#include "engine/graphics/VTextRenderer.h"
#include "engine/stream/VException.h"
#include "engine/stream/VReportLog.h"
#include "platform/freetype/VFreeTypeTextRenderer.h"
#include "platform/sdl/VAboutSettings.h"
#include "platform/sdl/VExecutablePath.h"
#include "platform/sdl/VIndexedConverter.h"
#include "platform/sdl/VInstanceLock.h"
#include "platform/sdl/VSdlEnvironment.h"
#include "platform/sdl/VXErrorGuard.h"
#include "show/VDataPaths.h"

namespace {

constexpr int kWidth = 560;
constexpr int kHeight = 560;
constexpr std::size_t kProblemLines = 4;

// Black text on white paper, as the text painter draws it; greys between them give smooth
// edges. Frames mark what can be clicked, red what went wrong.
constexpr uint8_t kBlack = 0;
constexpr uint8_t kFrame = 1;
constexpr uint8_t kAlarm = 2;
constexpr uint8_t kGreyFirst = 16;
constexpr uint8_t kGreySteps = 16;
constexpr uint8_t kWhite = 255;

// Another start of the program asks the open window to come to the front.
volatile std::sig_atomic_t raiseRequested = 0;
void OnRaiseRequest(int) { raiseRequested = 1; }

struct Row {
    VTextBox box;
    int fontHeight;
    std::string text;
    char key;  // the key that changes it; 0 for none
    uint8_t frame = 0;  // colour of a frame around it; 0 for none
};

std::string ResolutionText(const std::string& resolution)
{
    return resolution.empty() ? "the display's own" : resolution + ", scaled to the screen";
}

// `saveFailed`: the last change did not land, rather than a file found unusable at the start.
std::vector<Row> Layout(const VAboutSettings& settings, const std::vector<std::string>& problems,
                        bool saveFailed)
{
    const std::string skin = settings.GetSkin().empty() ? "built-in" : settings.GetSkin();
    std::vector<Row> rows{
        {{20, 12, kWidth - 20, 58}, 36, "Zibolt", 0},
        {{20, 62, kWidth - 20, 142}, 15,
         "An endless cartoon: a small hero flies his space ship between planets, lands, meets "
         "visitors and talks with them, while stars drift by. Move the mouse, click or press a "
         "key to end the screen saver; S switches the sound.",
         0},
    };
    auto setting = [&](int top, std::string text, char key) {
        rows.push_back({{40, top, kWidth - 40, top + 29}, 18, std::move(text), key, kFrame});
    };
    setting(150, std::string("Sound: ") + (settings.IsSoundOn() ? "on" : "off") + "   (S)", 's');
    setting(188, "Engine: type " + settings.GetEngine() + "   (E)", 'e');
    setting(226, "Ship skin: " + skin + "   (K)", 'k');
    setting(264, "Drawn at: " + ResolutionText(settings.GetResolution()) + "   (R)", 'r');

    if (settings.GetProblem().empty())
        rows.push_back({{20, 304, kWidth - 20, 352}, 14,
                        "Click a setting or press its key; changes are saved at once.", 0});
    else
        rows.push_back({{20, 304, kWidth - 20, 352}, 13,
                        (saveFailed ? "Not saved: " : "Changes cannot be saved: ") +
                            settings.GetProblem(),
                        0, kAlarm});

    rows.push_back({{20, 362, kWidth - 20, 382}, 14, "Last problems noted:", 0});
    int top = 386;
    if (problems.empty())
        rows.push_back({{20, top, kWidth - 20, top + 32}, 12, "None.", 0});
    for (auto it = problems.rbegin(); it != problems.rend(); ++it, top += 34)
        rows.push_back({{20, top, kWidth - 20, top + 32}, 12, *it, 0});
    rows.push_back({{20, kHeight - 30, kWidth - 20, kHeight - 8}, 13, "Esc closes.", 0});
    return rows;
}

void Frame(VDib& dib, const VTextBox& box, uint8_t colour)
{
    for (int x = box.left - 3; x < box.right + 3; ++x) {
        *dib.GetPixelAddress(x, box.top - 3) = colour;
        *dib.GetPixelAddress(x, box.bottom + 2) = colour;
    }
    for (int y = box.top - 3; y < box.bottom + 3; ++y) {
        *dib.GetPixelAddress(box.left - 3, y) = colour;
        *dib.GetPixelAddress(box.right + 2, y) = colour;
    }
}

// Long texts (a log line, a path) lose words at the end rather than lines at the edges.
std::string Fit(VTextPainter& painter, std::string text, const VTextBox& box)
{
    while (text.size() > 3 && painter.MeasureWrapped(text, box).bottom > box.bottom) {
        std::size_t cut = text.find_last_of(' ', text.size() - 4);
        text = text.substr(0, cut == std::string::npos || cut == 0 ? text.size() - 4 : cut) + "...";
    }
    return text;
}

void Paint(VDib& dib, const std::vector<Row>& rows)
{
    dib.Fill(kWhite);
    for (const Row& row : rows) {
        if (row.frame)
            Frame(dib, row.box, row.frame);
        auto painter = GetTextRenderer().Begin(dib, VTextFont{"DejaVu Sans", row.fontHeight, 400});
        const std::string text = Fit(*painter, row.text, row.box);
        VTextBox box = row.box;
        if (row.frame) {
            // Text is drawn from the top of its box; a setting reads better centred in its frame.
            const int spare = row.box.bottom - painter->MeasureWrapped(text, row.box).bottom;
            box.top += std::max(spare / 2, 0);
        }
        painter->DrawWrapped(text, box);
    }
    dib.PixelsChanged();
}

void SetPalette(VDib& dib)
{
    VPaletteEntry* palette = dib.GetPaletteEntries();
    for (int i = 0; i < kPaletteSize; ++i)
        palette[i] = VPaletteEntry{255, 255, 255, 0};
    palette[kBlack] = VPaletteEntry{0, 0, 0, 0};
    palette[kFrame] = VPaletteEntry{170, 90, 40, 0};
    palette[kAlarm] = VPaletteEntry{30, 30, 200, 0};
    for (int i = 0; i < kGreySteps; ++i) {
        const auto level = static_cast<uint8_t>(i * 255 / (kGreySteps - 1));
        palette[kGreyFirst + i] = VPaletteEntry{level, level, level, 0};
    }
}

// False for a key that changes nothing; otherwise saves, and `saveFailed` tells how it went.
bool Change(VAboutSettings& settings, char key, bool& saveFailed)
{
    switch (key) {
    case 's': settings.ToggleSound(); break;
    case 'e': settings.NextEngine(); break;
    case 'k': settings.NextSkin(); break;
    case 'r': settings.NextResolution(); break;
    default: return false;
    }
    saveFailed = !settings.Save();
    return true;
}

// One window per user and display: settings are the user's, and a window on another display
// could not be brought to the front from here.
std::string LockName()
{
    std::string name = "about";
    if (const char* display = std::getenv("DISPLAY"); display && *display) {
        name += '-';
        for (const char* c = display; *c; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) || *c == '.' ? *c : '_';
    }
    return name;
}

std::vector<std::string> LastProblems()
{
    return VReportLog::Shared().Tail(kProblemLines);
}

}  // namespace

int main(int, char**)
{
    // Ready for a raise request before the lock tells others where to send it.
    std::signal(SIGUSR1, OnRaiseRequest);
    VInstanceLock lock(VInstanceLock::DefaultDirectory(), LockName());
    if (!lock.Acquire()) {
        const pid_t holder = lock.Holder();
        if (holder > 0)
            ::kill(holder, SIGUSR1);
        std::fprintf(stderr, "zibolt-about: already open (process %d); brought to the front\n",
                     static_cast<int>(holder));
        return 0;
    }
    try {
        PrepareSdlEnvironment();
        InstallFreeTypeTextRenderer();
        VAboutSettings settings(ReadDataDir(ExecutableDirectory()));
        settings.Load();

        SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
        if (SDL_Init(SDL_INIT_VIDEO) != 0) {
            std::fprintf(stderr, "zibolt-about: no display (%s)\n", SDL_GetError());
            return 1;
        }
        // Without a display SDL falls back on drivers that show nothing: a window nobody sees
        // would hold the one-window lock for good.
        const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
        if (driver == "offscreen" || driver == "dummy") {
            const char* display = std::getenv("DISPLAY");
            std::fprintf(stderr, "zibolt-about: no display to open a window on (DISPLAY=%s)\n",
                         display ? display : "");
            SDL_Quit();
            return 1;
        }
        VXErrorGuard::Install();  // a lost X server ends the program
        SDL_Window* window = SDL_CreateWindow("About Zibolt", SDL_WINDOWPOS_CENTERED,
                                              SDL_WINDOWPOS_CENTERED, kWidth, kHeight, 0);
        SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE) : nullptr;
        SDL_Texture* texture = renderer ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                                            SDL_TEXTUREACCESS_STREAMING, kWidth, kHeight)
                                        : nullptr;
        if (!texture) {
            std::fprintf(stderr, "zibolt-about: cannot open a window (%s)\n", SDL_GetError());
            SDL_Quit();
            return 1;
        }

        VDib dib(kWidth, kHeight);
        SetPalette(dib);
        VIndexedConverter converter;
        converter.SetPalette(dib.GetPaletteEntries());

        bool dirty = true;
        bool running = true;
        bool saveFailed = false;
        std::vector<std::string> problems = LastProblems();
        std::vector<Row> rows;
        while (running) {
            if (dirty) {
                rows = Layout(settings, problems, saveFailed);
                Paint(dib, rows);
                void* pixels = nullptr;
                int pitch = 0;
                if (SDL_LockTexture(texture, nullptr, &pixels, &pitch) == 0) {
                    converter.Convert(dib, static_cast<uint32_t*>(pixels), pitch);
                    SDL_UnlockTexture(texture);
                }
                dirty = false;
            }
            SDL_RenderCopy(renderer, texture, nullptr, nullptr);
            SDL_RenderPresent(renderer);
            SDL_Event event;
            // A timeout, so that a raise request is seen without an event to carry it.
            const bool got = SDL_WaitEventTimeout(&event, 250) != 0;
            if (raiseRequested) {
                raiseRequested = 0;
                SDL_RaiseWindow(window);
            }
            if (!got)
                continue;
            do {
                switch (event.type) {
                case SDL_QUIT: running = false; break;
                case SDL_KEYDOWN:
                    if (event.key.keysym.sym == SDLK_ESCAPE)
                        running = false;
                    else if (event.key.keysym.sym < 128)
                        dirty |= Change(settings, static_cast<char>(event.key.keysym.sym), saveFailed);
                    break;
                case SDL_MOUSEBUTTONDOWN:
                    for (const Row& row : rows)
                        if (row.key && event.button.x >= row.box.left && event.button.x < row.box.right &&
                            event.button.y >= row.box.top && event.button.y < row.box.bottom)
                            dirty |= Change(settings, row.key, saveFailed);
                    break;
                default: break;
                }
            } while (running && SDL_PollEvent(&event));
            if (dirty)
                problems = LastProblems();  // a failed save has just added one
        }
        SDL_DestroyTexture(texture);
        SDL_DestroyRenderer(renderer);
        SDL_DestroyWindow(window);
        SDL_Quit();
        return 0;
    } catch (const VException& e) {
        std::fprintf(stderr, "zibolt-about: %s\n", e.GetMessage().c_str());
        return 1;
    }
}
