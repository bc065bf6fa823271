#include <gtest/gtest.h>

#include "platform/sdl/VSdlPresenter.h"

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
