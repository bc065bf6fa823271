// zibolt-about: what Zibolt is, and the three settings a user may change.

#include <SDL2/SDL.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/graphics/VDib.h"
#include "engine/graphics/VTextRenderer.h"
#include "engine/stream/VException.h"
#include "platform/freetype/VFreeTypeTextRenderer.h"
#include "platform/sdl/VAboutSettings.h"
#include "platform/sdl/VExecutablePath.h"
#include "platform/sdl/VIndexedConverter.h"
#include "platform/sdl/VSdlEnvironment.h"
#include "platform/sdl/VXErrorGuard.h"
#include "show/VDataPaths.h"

namespace {

constexpr int kWidth = 520;
constexpr int kHeight = 380;
constexpr uint8_t kBlack = 0;
constexpr uint8_t kBackdrop = 1;
constexpr uint8_t kWhite = 255;

struct Row {
    VTextBox box;
    int fontHeight;
    std::string text;
    char key;  // the key that changes it; 0 for none
};

std::vector<Row> Layout(const VAboutSettings& settings)
{
    const std::string skin = settings.GetSkin().empty() ? "built-in" : settings.GetSkin();
    return {
        {{20, 12, kWidth - 20, 62}, 40, "Zibolt", 0},
        {{20, 70, kWidth - 20, 160}, 16,
         "An endless cartoon: a small hero flies his space ship between planets, lands, meets "
         "visitors and talks with them, while stars drift by. Move the mouse, click or press a "
         "key to end the screen saver; S switches the sound.",
         0},
        {{60, 180, kWidth - 60, 214}, 20, std::string("Sound: ") + (settings.IsSoundOn() ? "on" : "off") + "   (S)", 's'},
        {{60, 226, kWidth - 60, 260}, 20, "Engine: type " + settings.GetEngine() + "   (E)", 'e'},
        {{60, 272, kWidth - 60, 306}, 20, "Ship skin: " + skin + "   (K)", 'k'},
        {{20, 330, kWidth - 20, 366}, 14, "Click a setting or press its key; changes are saved at once. Esc closes.", 0},
    };
}

void Paint(VDib& dib, const std::vector<Row>& rows)
{
    dib.Fill(kBackdrop);
    for (const Row& row : rows) {
        if (row.key) {
            // The changeable rows sit on white panels.
            for (int y = row.box.top; y < row.box.bottom; ++y)
                for (int x = row.box.left; x < row.box.right; ++x)
                    *dib.GetPixelAddress(x, y) = kWhite;
        }
        auto painter = GetTextRenderer().Begin(dib, VTextFont{"DejaVu Sans", row.fontHeight, 400});
        painter->DrawWrapped(row.text, row.box);
    }
    dib.PixelsChanged();
}

bool Change(VAboutSettings& settings, char key)
{
    switch (key) {
    case 's': settings.ToggleSound(); break;
    case 'e': settings.NextEngine(); break;
    case 'k': settings.NextSkin(); break;
    default: return false;
    }
    settings.Save();
    return true;
}

}  // namespace

int main(int, char**)
{
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
        VPaletteEntry* palette = dib.GetPaletteEntries();
        for (int i = 0; i < kPaletteSize; ++i)
            palette[i] = VPaletteEntry{0, 0, 0, 0};
        palette[kBackdrop] = VPaletteEntry{96, 40, 24, 0};
        palette[kWhite] = VPaletteEntry{255, 255, 255, 0};
        palette[kBlack] = VPaletteEntry{0, 0, 0, 0};
        VIndexedConverter converter;
        converter.SetPalette(palette);

        bool dirty = true;
        bool running = true;
        std::vector<Row> rows = Layout(settings);
        while (running) {
            if (dirty) {
                rows = Layout(settings);
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
            if (!SDL_WaitEvent(&event))
                break;
            do {
                switch (event.type) {
                case SDL_QUIT: running = false; break;
                case SDL_KEYDOWN:
                    if (event.key.keysym.sym == SDLK_ESCAPE)
                        running = false;
                    else if (event.key.keysym.sym < 128)
                        dirty |= Change(settings, static_cast<char>(event.key.keysym.sym));
                    break;
                case SDL_MOUSEBUTTONDOWN:
                    for (const Row& row : rows)
                        if (row.key && event.button.x >= row.box.left && event.button.x < row.box.right &&
                            event.button.y >= row.box.top && event.button.y < row.box.bottom)
                            dirty |= Change(settings, row.key);
                    break;
                default: break;
                }
            } while (running && SDL_PollEvent(&event));
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
