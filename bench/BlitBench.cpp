// How fast the bitmap copy composes frames, against memcpy and SDL's software blits on the
// same pixels. Prints every measurement and then a table of ratios to the peers.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <vector>

#include "bench/BenchBitmaps.h"
#include "bench/PresentBench.h"
#include "bench/RatioReport.h"
#include "engine/graphics/VBlitRows.h"

namespace {

constexpr int kFrameWidth = 1920, kFrameHeight = 1080;

struct Sprites {
    std::vector<std::unique_ptr<VDib>> images;
    std::vector<std::unique_ptr<VSdlView>> keyed, encoded;
    std::vector<BenchPlace> places;

    Sprites(int kinds, int count, int width, int height, uint32_t seed)
    {
        for (int k = 0; k < kinds; ++k) {
            images.push_back(MakeSprite(width, height, 0.40, seed + uint32_t(k)));
            keyed.push_back(std::make_unique<VSdlView>(*images.back()));
            keyed.back()->SetKey(kBenchKey, false);
            encoded.push_back(std::make_unique<VSdlView>(*images.back()));
            encoded.back()->SetKey(kBenchKey, true);
        }
        places = Places(count, kFrameWidth, kFrameHeight, width, height, seed * 7 + 1);
    }

    const VDib& Image(size_t i) const { return *images[i % images.size()]; }
};

// Everything the cases draw, made once before the first measurement.
struct Scene {
    std::unique_ptr<VDib> background = MakeScenery(kFrameWidth, kFrameHeight, 1);
    std::unique_ptr<VDib> frame = MakeScenery(kFrameWidth, kFrameHeight, 2);
    VSdlView frameView{*frame};
    Sprites large{5, 50, 200, 200, 10};
    Sprites small{8, 40, 150, 150, 20};
    Sprites hero{1, 1, 300, 250, 30};
    std::unique_ptr<VDib> picture = MakeScenery(300, 200, 3);
    VSdlView pictureView{*picture};
    std::vector<BenchPlace> stretchPlaces = Places(10, kFrameWidth, kFrameHeight, 450, 300, 40);
};

Scene& TheScene()
{
    static Scene scene;
    return scene;
}

void CopyBackground(Scene& s)
{
    s.background->CopyBits(s.frame.get(), 0, 0, kFrameWidth, kFrameHeight, 0, 0, -1);
}

void MemcpyBackground(Scene& s)
{
    const size_t stride = size_t(s.frame->GetStride());
    const uint8_t* from = s.background->GetBits();
    uint8_t* to = s.frame->GetBits();
    for (int y = 0; y < kFrameHeight; ++y)
        std::memcpy(to + stride * size_t(y), from + stride * size_t(y), size_t(kFrameWidth));
}

void CopySprites(Scene& s, const Sprites& sprites)
{
    for (size_t i = 0; i < sprites.places.size(); ++i) {
        const VDib& image = sprites.Image(i);
        image.CopyBits(s.frame.get(), sprites.places[i].x, sprites.places[i].y, image.GetWidth(),
                       image.GetHeight(), 0, 0, kBenchKey);
    }
}

void BlitSprites(Scene& s, const Sprites& sprites, bool rle)
{
    const auto& views = rle ? sprites.encoded : sprites.keyed;
    for (size_t i = 0; i < sprites.places.size(); ++i) {
        SDL_Surface* source = views[i % views.size()]->Surface();
        SDL_Rect at{sprites.places[i].x, sprites.places[i].y, source->w, source->h};
        SDL_BlitSurface(source, nullptr, s.frameView.Surface(), &at);
    }
}

void StretchCopies(Scene& s, int width, int height)
{
    for (const BenchPlace& p : s.stretchPlaces)
        s.picture->CopyBits(s.frame.get(), VRect(0, 0, 300, 200),
                            VRect(float(p.x), float(p.y), float(width), float(height)), -1);
}

void SdlStretches(Scene& s, int width, int height)
{
    for (const BenchPlace& p : s.stretchPlaces) {
        SDL_Rect at{p.x, p.y, width, height};
        SDL_SoftStretch(s.pictureView.Surface(), nullptr, s.frameView.Surface(), &at);
    }
}

template <typename F>
void Measure(benchmark::State& state, F&& body)
{
    Scene& scene = TheScene();
    for (auto _ : state) {
        body(scene);
        benchmark::DoNotOptimize(scene.frame->GetBits()[0]);
        benchmark::ClobberMemory();
    }
}

struct Case {
    const char* name;
    void (*body)(Scene&);
};

const Case kCases[] = {
    {"opaque_frame/CopyBits", CopyBackground},
    {"opaque_frame/memcpy", MemcpyBackground},
    {"sprites_50x200/CopyBits", [](Scene& s) { CopySprites(s, s.large); }},
    {"sprites_50x200/SDL_colorkey", [](Scene& s) { BlitSprites(s, s.large, false); }},
    {"sprites_50x200/SDL_colorkey_RLE", [](Scene& s) { BlitSprites(s, s.large, true); }},
    {"stretch_up_10x/CopyBits", [](Scene& s) { StretchCopies(s, 450, 300); }},
    {"stretch_up_10x/SDL_SoftStretch", [](Scene& s) { SdlStretches(s, 450, 300); }},
    {"stretch_down_10x/CopyBits", [](Scene& s) { StretchCopies(s, 150, 100); }},
    {"stretch_down_10x/SDL_SoftStretch", [](Scene& s) { SdlStretches(s, 150, 100); }},
    {"typical_frame/CopyBits",
     [](Scene& s) {
         CopyBackground(s);
         CopySprites(s, s.small);
         CopySprites(s, s.hero);
     }},
    {"typical_frame/memcpy+SDL_RLE",
     [](Scene& s) {
         MemcpyBackground(s);
         BlitSprites(s, s.small, true);
         BlitSprites(s, s.hero, true);
     }},
};

}  // namespace

int main(int argc, char** argv)
{
    // --rounds=N (default 3): more rounds steady the table on a busy machine.
    int rounds = 3;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--rounds=", 9) == 0)
            rounds = std::max(1, std::atoi(argv[i] + 9));
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Scene& scene = TheScene();
    std::printf("bitmap copy kernels: %s; sprites %.0f %% transparent\n", VBlitRows::KernelSet(),
                100 * ShareOf(*scene.large.images[0], kBenchKey));

    // Rounds interleave each case with its peer, so a busy moment of the machine hits both;
    // the table takes each case's fastest round.
    for (int round = 0; round < rounds; ++round) {
        for (const Case& c : kCases)
            benchmark::RegisterBenchmark(c.name, [body = c.body](benchmark::State& state) {
                Measure(state, body);
            })->Unit(benchmark::kMicrosecond)->MinTime(0.1);
        RegisterPresentRound();
    }

    std::vector<VRatioTarget> targets = {
        {"opaque 1920x1080 vs memcpy", "opaque_frame/CopyBits", "opaque_frame/memcpy", 1.10},
        {"50 sprites vs SDL colour key", "sprites_50x200/CopyBits", "sprites_50x200/SDL_colorkey", 1.0},
        {"50 sprites vs SDL RLE colour key", "sprites_50x200/CopyBits",
         "sprites_50x200/SDL_colorkey_RLE", 1.0},
        {"stretch 300x200->450x300 vs SDL", "stretch_up_10x/CopyBits",
         "stretch_up_10x/SDL_SoftStretch", 1.0},
        {"stretch 300x200->150x100 vs SDL", "stretch_down_10x/CopyBits",
         "stretch_down_10x/SDL_SoftStretch", 1.0},
        {"typical frame vs memcpy+SDL RLE", "typical_frame/CopyBits", "typical_frame/memcpy+SDL_RLE",
         1.0},
    };
    for (VRatioTarget& t : PresentRatioTargets())
        targets.push_back(std::move(t));
    VRatioReport report(std::move(targets), PresentTimeTargets());
    benchmark::RunSpecifiedBenchmarks(&report);
    const bool met = report.PrintSummary(std::cout);
    std::cout << (met ? "all targets met\n" : "some targets missed\n");
    benchmark::Shutdown();
    return 0;
}
