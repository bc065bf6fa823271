#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <cstdlib>
#include <random>
#include <vector>

#include "engine/stage/VFrameChanges.h"
#include "platform/sdl/VIndexedConverter.h"
#include "platform/sdl/VSdlPresenter.h"
#include "saver/VStageSize.h"

TEST(Presenter, OpenGlDrawnByTheProcessorIsRecognised)
{
    EXPECT_TRUE(IsSoftwareGlRenderer("llvmpipe (LLVM 15.0.6, 256 bits)"));
    EXPECT_TRUE(IsSoftwareGlRenderer("Software Rasterizer"));
    EXPECT_TRUE(IsSoftwareGlRenderer("softpipe"));
    EXPECT_FALSE(IsSoftwareGlRenderer("Mesa Intel(R) UHD Graphics 620 (KBL GT2)"));
    EXPECT_FALSE(IsSoftwareGlRenderer("AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6)"));
    EXPECT_FALSE(IsSoftwareGlRenderer(nullptr));
}

TEST(Presenter, FramesFitWithTheirProportionsCentred)
{
    auto same = [](VFitRect a, VFitRect b) { return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h; };
    // 1280x720 on a 1920x1200 screen: full width, bands above and below.
    EXPECT_TRUE(same(FitInto(1280, 720, 1920, 1200), {0, 60, 1920, 1080}));
    // 4:3 on 16:9: full height, bands left and right.
    EXPECT_TRUE(same(FitInto(640, 480, 1920, 1080), {240, 0, 1440, 1080}));
    // The same size, and a window that has no size yet, leave the frame as it is.
    EXPECT_TRUE(same(FitInto(800, 600, 800, 600), {0, 0, 800, 600}));
    EXPECT_TRUE(same(FitInto(800, 600, 0, 0), {0, 0, 800, 600}));
    // A tiny window still shows a pixel.
    EXPECT_TRUE(same(FitInto(1920, 1080, 1, 1), {0, 0, 1, 1}));
}

TEST(Presenter, WhatChangedIsShownAsTheWholeFrameWouldBeAndNothingElseIsSent)
{
    // A window of SDL's own in memory: its surface is what a display would show.
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        GTEST_SKIP() << "no offscreen video: " << SDL_GetError();
    VDib frame(100, 50);
    std::mt19937 random(5);
    for (int i = 0; i < kPaletteSize; ++i)
        frame.GetPaletteEntries()[i] = VPaletteEntry{uint8_t(random()), uint8_t(random()),
                                                     uint8_t(random()), 0};
    // A whole factor with bands beside the picture, and one that blends.
    for (auto [w, h] : {std::pair{230, 110}, {150, 75}}) {
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 100; ++x)
                *frame.GetPixelAddress(x, y) = uint8_t(random());
        SDL_Window* window = SDL_CreateWindow("test", 0, 0, w, h, SDL_WINDOW_HIDDEN);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        VSdlPresenter presenter;
        ASSERT_TRUE(presenter.Open(window, false));
        VIndexedConverter converter;
        converter.SetPalette(frame.GetPaletteEntries());
        auto fill = [&](uint32_t* out, int pitch, int outW, int outH, const VIntRect& part) {
            converter.ConvertPart(frame, out, pitch, outW, outH, part,
                                  !IsWholeFactor({100, 50}, {outW, outH}));
        };
        VFrameChanges changes;
        VInvalidList dirty;
        changes.Collect(frame, dirty);
        presenter.Show(100, 50, true, nullptr, VIntRect{}, fill);
        // A few pixels change: at the picture's edges, and at the last column and row of a tile,
        // whose blend reaches into the next tile.
        for (auto [x, y] : {std::pair{0, 0}, {57, 21}, {63, 23}, {99, 49}})
            *frame.GetPixelAddress(x, y) = uint8_t(*frame.GetPixelAddress(x, y) + 1);
        dirty.Clear();
        changes.Collect(frame, dirty);
        VRectList rects = dirty.AsRectList();
        const long long before = presenter.GetCounts().pixels;
        presenter.Show(100, 50, true, &rects, VIntRect{}, fill);
        EXPECT_EQ(presenter.GetCounts().parts, 1);
        EXPECT_LT(presenter.GetCounts().pixels - before, (long long)w * h / 4);

        SDL_Surface* shown = SDL_GetWindowSurface(window);
        const VFitRect fit = FitInto(100, 50, w, h);
        std::vector<uint32_t> expected(size_t(fit.w * fit.h));
        fill(expected.data(), fit.w * 4, fit.w, fit.h, VIntRect{0, 0, fit.w, fit.h});
        int wrong = 0;
        for (int y = 0; y < fit.h; ++y)
            for (int x = 0; x < fit.w; ++x) {
                const auto* row = reinterpret_cast<const uint32_t*>(
                    static_cast<const uint8_t*>(shown->pixels) + (fit.y + y) * shown->pitch);
                wrong += (row[fit.x + x] & 0xFFFFFF) != (expected[size_t(y * fit.w + x)] & 0xFFFFFF);
            }
        EXPECT_EQ(wrong, 0) << w << "x" << h;

        VRectList none;
        presenter.Show(100, 50, true, &none, VIntRect{}, [](uint32_t*, int, int, int, const VIntRect&) {
            ADD_FAILURE() << "an unchanged frame was converted";
        });
        EXPECT_EQ(presenter.GetCounts().unchanged, 1);
        SDL_DestroyWindow(window);
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
