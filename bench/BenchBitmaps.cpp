#include "bench/BenchBitmaps.h"

#include <SDL.h>

#include <cmath>
#include <random>
#include <stdexcept>
#include <string>

#include "engine/graphics/VBmpWriter.h"
#include "engine/stream/VMemoryStream.h"

namespace {

void SetBenchPalette(VDib& dib)
{
    for (int i = 0; i < kPaletteSize; ++i)
        dib.GetPaletteEntries()[i] = VPaletteEntry{uint8_t(i), uint8_t(255 - i), uint8_t(i * 3), 0};
}

// A bitmap has a meaningful palette once read from BMP data, as every bitmap of the show is.
std::unique_ptr<VDib> Loaded(const VDib& made)
{
    std::string bytes = BmpBytes(made);
    VMemoryStream stream(bytes);
    auto dib = std::make_unique<VDib>(1, 1);
    int length = 0;
    dib->LoadFromStream(stream, length);
    return dib;
}

// The figure at scale s, in coordinates where the image is the unit square.
bool InFigure(double u, double v, double s)
{
    auto ellipse = [](double u, double v, double cx, double cy, double rx, double ry) {
        double a = (u - cx) / rx, b = (v - cy) / ry;
        return a * a + b * b <= 1.0;
    };
    bool body = ellipse(u, v, 0.5, 0.56, 0.30 * s, 0.34 * s);
    bool head = ellipse(u, v, 0.5, 0.16, 0.17 * s, 0.15 * s);
    bool arm = std::fabs(v - 0.45) < 0.06 * s && std::fabs(u - 0.5) < 0.47;
    bool leg = v > 0.75 && v < 0.99 && (std::fabs(u - 0.38) < 0.07 * s || std::fabs(u - 0.62) < 0.07 * s);
    // A gap between the arm and the body, as between a hand and a hip.
    bool gap = ellipse(u, v, 0.5, 0.62, 0.08 * s, 0.05 * s);
    return (body || head || arm || leg) && !gap;
}

uint8_t FigureColour(double u, double v, std::mt19937& rng)
{
    // Regions of a few colours with an occasional shading pixel, never the key.
    uint8_t base = v < 0.3 ? 40 : v < 0.5 ? 90 : v < 0.75 ? 140 : 190;
    if (u < 0.35)
        base = uint8_t(base + 10);
    return uint8_t(base + (rng() % 16 == 0 ? 1 + rng() % 5 : 0));
}

}  // namespace

std::unique_ptr<VDib> MakeScenery(int width, int height, uint32_t seed)
{
    std::mt19937 rng(seed);
    VDib made(width, height);
    SetBenchPalette(made);
    uint8_t* bits = made.GetBits();
    for (int y = 0; y < height; ++y) {
        uint8_t* row = bits + size_t(made.GetStride()) * size_t(y);
        for (int x = 0; x < width; ++x)
            row[x] = uint8_t(1 + (x / 16 + y / 9 + (rng() % 8 == 0)) % 200);
    }
    return Loaded(made);
}

double ShareOf(const VDib& dib, uint8_t index)
{
    size_t count = 0;
    for (int y = 0; y < dib.GetHeight(); ++y)
        for (int x = 0; x < dib.GetWidth(); ++x)
            count += dib.GetPixelIndex(x, y) == index;
    return double(count) / (double(dib.GetWidth()) * dib.GetHeight());
}

std::unique_ptr<VDib> MakeSprite(int width, int height, double transparentShare, uint32_t seed)
{
    auto paint = [&](double scale) {
        std::mt19937 rng(seed);
        VDib made(width, height);
        SetBenchPalette(made);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                double u = (x + 0.5) / width, v = (y + 0.5) / height;
                *made.GetPixelAddress(x, y) =
                    InFigure(u, v, scale) ? FigureColour(u, v, rng) : kBenchKey;
            }
        return Loaded(made);
    };
    // The transparent share falls as the figure grows; halve the interval to hit it.
    double low = 0.3, high = 2.0;
    for (int step = 0; step < 12; ++step) {
        double middle = (low + high) / 2;
        if (ShareOf(*paint(middle), kBenchKey) > transparentShare)
            low = middle;
        else
            high = middle;
    }
    return paint((low + high) / 2);
}

namespace {

SDL_Palette* SharedPalette(const VDib& dib)
{
    static SDL_Palette* palette = [&] {
        SDL_Palette* p = SDL_AllocPalette(kPaletteSize);
        SDL_Color colours[kPaletteSize];
        for (int i = 0; i < kPaletteSize; ++i) {
            const VPaletteEntry& e = dib.GetPaletteEntries()[i];
            colours[i] = SDL_Color{e.red, e.green, e.blue, 255};
        }
        SDL_SetPaletteColors(p, colours, 0, kPaletteSize);
        return p;
    }();
    return palette;
}

}  // namespace

VSdlView::VSdlView(VDib& dib)
{
    surface_ = SDL_CreateRGBSurfaceWithFormatFrom(dib.GetBits(), dib.GetWidth(), dib.GetHeight(),
                                                  8, dib.GetStride(), SDL_PIXELFORMAT_INDEX8);
    if (!surface_)
        throw std::runtime_error(std::string("SDL surface: ") + SDL_GetError());
    SDL_SetSurfacePalette(surface_, SharedPalette(dib));
}

VSdlView::~VSdlView()
{
    SDL_FreeSurface(surface_);
}

void VSdlView::SetKey(uint8_t key, bool rle)
{
    SDL_SetColorKey(surface_, SDL_TRUE, key);
    SDL_SetSurfaceRLE(surface_, rle ? 1 : 0);
    if (rle) {
        // SDL encodes on the first lock or blit.
        SDL_LockSurface(surface_);
        SDL_UnlockSurface(surface_);
    }
}

std::vector<BenchPlace> Places(int count, int frameWidth, int frameHeight, int spriteWidth,
                               int spriteHeight, uint32_t seed)
{
    std::mt19937 rng(seed);
    std::vector<BenchPlace> places;
    for (int i = 0; i < count; ++i)
        places.push_back({int(rng() % uint32_t(frameWidth - spriteWidth + 1)),
                          int(rng() % uint32_t(frameHeight - spriteHeight + 1))});
    return places;
}
