#include "bench/PresentBench.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/BenchBitmaps.h"
#include "platform/sdl/VIndexedConverter.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

struct PresentScene {
    std::unique_ptr<VDib> frame = MakeScenery(kWidth, kHeight, 4);
    std::unique_ptr<VDib> preview = MakeScenery(4 * 152, 4 * 112, 5);
    std::vector<uint32_t> pixels = std::vector<uint32_t>(size_t(kWidth) * kHeight);
    VIndexedConverter converter;
    SDL_Surface* indexed = nullptr;
    SDL_Palette* palette = nullptr;
    SDL_Surface* argb = nullptr;
    SDL_Color colours[kPaletteSize];

    PresentScene()
    {
        indexed = SDL_CreateRGBSurfaceWithFormatFrom(frame->GetBits(), kWidth, kHeight, 8,
                                                     frame->GetStride(), SDL_PIXELFORMAT_INDEX8);
        palette = SDL_AllocPalette(kPaletteSize);
        argb = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_ARGB8888);
        if (!indexed || !palette || !argb)
            throw std::runtime_error(std::string("SDL surface: ") + SDL_GetError());
        SDL_SetSurfacePalette(indexed, palette);
        for (int i = 0; i < kPaletteSize; ++i) {
            const VPaletteEntry& e = frame->GetPaletteEntries()[i];
            colours[i] = SDL_Color{e.red, e.green, e.blue, 255};
        }
    }
    ~PresentScene()
    {
        SDL_FreeSurface(argb);
        SDL_FreePalette(palette);
        SDL_FreeSurface(indexed);
    }

    // Every frame may come with a faded table; SDL rebuilds its colour map when it changes.
    void NewSdlPalette() { SDL_SetPaletteColors(palette, colours, 0, kPaletteSize); }
};

PresentScene& TheScene()
{
    static PresentScene scene;
    return scene;
}

void Ours(benchmark::State& state)
{
    PresentScene& s = TheScene();
    for (auto _ : state) {
        s.converter.SetPalette(s.frame->GetPaletteEntries());
        s.converter.Convert(*s.frame, s.pixels.data(), kWidth * 4);
        benchmark::DoNotOptimize(s.pixels.data());
        benchmark::ClobberMemory();
    }
}

void SdlBlit(benchmark::State& state)
{
    PresentScene& s = TheScene();
    for (auto _ : state) {
        s.NewSdlPalette();
        SDL_BlitSurface(s.indexed, nullptr, s.argb, nullptr);
        benchmark::DoNotOptimize(s.argb->pixels);
        benchmark::ClobberMemory();
    }
}

void SdlConvert(benchmark::State& state)
{
    PresentScene& s = TheScene();
    for (auto _ : state) {
        s.NewSdlPalette();
        SDL_Surface* converted = SDL_ConvertSurfaceFormat(s.indexed, SDL_PIXELFORMAT_ARGB8888, 0);
        benchmark::DoNotOptimize(converted->pixels);
        SDL_FreeSurface(converted);
    }
}

// The show composed at a smaller size and shown on a 1920x1080 screen.
struct ScaledScene {
    int width, height;
    std::unique_ptr<VDib> frame;
    SDL_Surface* indexed = nullptr;
    SDL_Surface* argb = nullptr;  // SDL scales only between surfaces of one format
    ScaledScene(int w, int h, int seed) : width(w), height(h), frame(MakeScenery(w, h, seed))
    {
        indexed = SDL_CreateRGBSurfaceWithFormatFrom(frame->GetBits(), w, h, 8,
                                                     frame->GetStride(), SDL_PIXELFORMAT_INDEX8);
        argb = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
        if (!indexed || !argb)
            throw std::runtime_error(std::string("SDL surface: ") + SDL_GetError());
        SDL_SetSurfacePalette(indexed, TheScene().palette);
    }
    ~ScaledScene()
    {
        SDL_FreeSurface(argb);
        SDL_FreeSurface(indexed);
    }
};

// 1280x720: a factor of 1.5; 960x540: the design size of 1920x1080, a whole factor of 2.
ScaledScene& TheScaledScene(bool design)
{
    static ScaledScene scene(1280, 720, 6);
    static ScaledScene designScene(960, 540, 7);
    return design ? designScene : scene;
}

// Each pixel the nearest (a whole factor: each becomes a block), or blended.
void OursScaled(benchmark::State& state, bool design, bool blended)
{
    PresentScene& s = TheScene();
    ScaledScene& scaled = TheScaledScene(design);
    for (auto _ : state) {
        s.converter.SetPalette(scaled.frame->GetPaletteEntries());
        s.converter.ConvertPart(*scaled.frame, s.pixels.data(), kWidth * 4, kWidth, kHeight,
                                VIntRect{0, 0, kWidth, kHeight}, blended);
        benchmark::DoNotOptimize(s.pixels.data());
        benchmark::ClobberMemory();
    }
}

void SdlScaled(benchmark::State& state, bool design, bool blended)
{
    PresentScene& s = TheScene();
    ScaledScene& scaled = TheScaledScene(design);
    for (auto _ : state) {
        s.NewSdlPalette();
        SDL_BlitSurface(scaled.indexed, nullptr, scaled.argb, nullptr);
        if (blended)
            SDL_SoftStretchLinear(scaled.argb, nullptr, s.argb, nullptr);
        else
            SDL_BlitScaled(scaled.argb, nullptr, s.argb, nullptr);
        benchmark::DoNotOptimize(s.argb->pixels);
        benchmark::ClobberMemory();
    }
}

void Reduce(benchmark::State& state)
{
    PresentScene& s = TheScene();
    for (auto _ : state) {
        s.converter.SetPalette(s.preview->GetPaletteEntries());
        s.converter.Reduce4(*s.preview, s.pixels.data(), 152 * 4);
        benchmark::DoNotOptimize(s.pixels.data());
        benchmark::ClobberMemory();
    }
}

}  // namespace

void RegisterPresentRound()
{
    const std::pair<const char*, void (*)(benchmark::State&)> cases[] = {
        {"present_1920x1080/palette_table", Ours},
        {"present_1920x1080/SDL_BlitSurface", SdlBlit},
        {"present_1920x1080/SDL_ConvertSurface", SdlConvert},
        {"scaled_1280x720_to_1920x1080/palette_table", [](benchmark::State& st) { OursScaled(st, false, false); }},
        {"scaled_1280x720_to_1920x1080/SDL_BlitScaled", [](benchmark::State& st) { SdlScaled(st, false, false); }},
        {"design_960x540_to_1920x1080/blocks", [](benchmark::State& st) { OursScaled(st, true, false); }},
        {"design_960x540_to_1920x1080/SDL_BlitScaled", [](benchmark::State& st) { SdlScaled(st, true, false); }},
        {"blend_1280x720_to_1920x1080/bilinear", [](benchmark::State& st) { OursScaled(st, false, true); }},
        {"blend_1280x720_to_1920x1080/SDL_SoftStretchLinear", [](benchmark::State& st) { SdlScaled(st, false, true); }},
        {"preview_reduce_4to1/Reduce4", Reduce},
    };
    for (const auto& [name, body] : cases)
        benchmark::RegisterBenchmark(name, body)->Unit(benchmark::kMicrosecond)->MinTime(0.1);
}

std::vector<VRatioTarget> PresentRatioTargets()
{
    return {
        {"present 1920x1080 vs SDL blit", "present_1920x1080/palette_table",
         "present_1920x1080/SDL_BlitSurface", 1.0},
        {"present 1920x1080 vs SDL convert", "present_1920x1080/palette_table",
         "present_1920x1080/SDL_ConvertSurface", 1.0},
        {"1280x720 shown at 1920x1080 vs SDL", "scaled_1280x720_to_1920x1080/palette_table",
         "scaled_1280x720_to_1920x1080/SDL_BlitScaled", 1.0},
        {"960x540 shown twice as large vs SDL", "design_960x540_to_1920x1080/blocks",
         "design_960x540_to_1920x1080/SDL_BlitScaled", 1.0},
        {"1280x720 blended to 1920x1080 vs SDL", "blend_1280x720_to_1920x1080/bilinear",
         "blend_1280x720_to_1920x1080/SDL_SoftStretchLinear", 1.0},
    };
}

std::vector<VTimeTarget> PresentTimeTargets()
{
    return {{"preview 608x448 -> 152x112", "preview_reduce_4to1/Reduce4", 100.0}};
}
