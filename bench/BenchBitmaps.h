#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/graphics/VDib.h"

struct SDL_Surface;
struct SDL_Palette;

// The transparent index of every sprite of the measurements.
constexpr uint8_t kBenchKey = 0;

// A bitmap with a meaningful palette (as loaded bitmaps have), pixels from `seed`.
std::unique_ptr<VDib> MakeScenery(int width, int height, uint32_t seed);

// A sprite-like image: a figure of body, head and limbs in several colour regions on the
// transparent index, scaled so that `transparentShare` of its pixels are transparent.
std::unique_ptr<VDib> MakeSprite(int width, int height, double transparentShare, uint32_t seed);

// Share of the bitmap's pixels that hold `index`.
double ShareOf(const VDib& dib, uint8_t index);

// An 8-bit SDL surface over the bitmap's own pixel memory (rows in stored order, which
// changes nothing for speed), with the shared palette so blits map indices one to one.
class VSdlView {
public:
    explicit VSdlView(VDib& dib);
    ~VSdlView();
    VSdlView(const VSdlView&) = delete;
    VSdlView& operator=(const VSdlView&) = delete;

    SDL_Surface* Surface() const { return surface_; }
    // Colour key and, optionally, SDL's run-length encoding; the encoding is built here, so
    // no measured blit pays for it.
    void SetKey(uint8_t key, bool rle);

private:
    SDL_Surface* surface_ = nullptr;
};

// Destination positions inside the frame, the same for every contestant.
struct BenchPlace {
    int x;
    int y;
};
std::vector<BenchPlace> Places(int count, int frameWidth, int frameHeight, int spriteWidth,
                               int spriteHeight, uint32_t seed);
