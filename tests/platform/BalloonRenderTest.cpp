#include <gtest/gtest.h>

#include "TextTestSupport.h"
#include "engine/graphics/VBmpWriter.h"
#include "engine/pixies/VBalloon.h"
#include "platform/freetype/VFreeTypeTextRenderer.h"
#include "platform/freetype/VPaletteRamp.h"
#include "tests/pixies/TestPixieHost.h"

namespace {

// Paints a conversation's first balloon onto a frame like the stage's and keeps a picture of
// it in the temporary directory for a look by eye.
class BalloonRender : public ::testing::Test {
protected:
    void SetUp() override { InstallFreeTypeTextRenderer(); }
    void TearDown() override
    {
        SetTextRenderer(nullptr);
        SetBalloonPreviewText(false);
    }

    struct Frame {
        std::unique_ptr<VDibSurface> surface;
        uint8_t night = 0;
    };

    Frame Paint(int width, int height, float tipX, float tipY, const VTagList& lines,
                const std::string& file)
    {
        Frame frame{std::make_unique<VDibSurface>(float(width), float(height))};
        VDib& dib = *frame.surface->GetDib();
        SetMasterPalette(dib, ZIBOLT_SOURCE_DIR "/assets/palette/master.txt");
        frame.night = NearestPaletteIndex(dib.GetPaletteEntries(), 22 | (30 << 8) | (70 << 16));
        dib.Fill(frame.night);
        // A stand-in for the speaker, just below the tail's tip.
        uint8_t skin = NearestPaletteIndex(dib.GetPaletteEntries(), 215 | (150 << 8) | (110 << 16));
        auto x = int32_t(tipX), y = int32_t(tipY);
        const VPoint head[] = {{x - 12, y + 4}, {x + 12, y + 4}, {x + 20, y + 16}, {x + 20, y + 36},
                               {x + 12, y + 48}, {x - 12, y + 48}, {x - 20, y + 36}, {x - 20, y + 16}};
        FillPolygon(dib, head, 8, skin);

        auto* balloon = new VBalloon("Balloon", &host);
        balloon->Talk(lines, tipX, tipY, nullptr, nullptr, nullptr, nullptr);
        balloon->Draw(*frame.surface, balloon->GetXPos(), balloon->GetYPos(), nullptr);
        SaveBmpFile(::testing::TempDir() + file, dib);
        return frame;
    }

    TestPixieHost host;
};

TEST_F(BalloonRender, WhiteBubbleBlackOutlineTailToTheSpeaker)
{
    Frame frame = Paint(800, 600, 520, 400,
                        {"Hello there, Zibolt!", "Where are you flying today?"}, "zibolt-balloon.bmp");
    const VDib& dib = *frame.surface->GetDib();
    const VPaletteEntry* palette = dib.GetPaletteEntries();
    uint8_t white = NearestPaletteIndex(palette, 0xFFFFFF);
    uint8_t black = NearestPaletteIndex(palette, 0);
    EXPECT_EQ(dib.GetPixelIndex(520, 400), black) << "the tail ends at the speaker";
    EXPECT_EQ(dib.GetPixelIndex(100, 100), frame.night);

    // The tail leaves the body's bottom edge at the middle of the text area, left of the tip
    // (which lies at two thirds of the width), and runs down to the tip narrowing: each row
    // crosses it as one black-edged run, at most 11 pixels wide, moving right and narrower.
    int previousStart = 0, previousWidth = 12;
    for (int row = 360; row < 400; row += 5) {
        int start = -1, end = -1;
        for (int x = 400; x < 640; ++x) {
            if (dib.GetPixelIndex(x, row) == frame.night)
                continue;
            if (start < 0)
                start = x;
            else
                ASSERT_EQ(end, x - 1) << "one run in row " << row;
            end = x;
        }
        ASSERT_GE(start, 0) << "the tail crosses row " << row;
        EXPECT_EQ(dib.GetPixelIndex(start, row), black) << row;
        EXPECT_EQ(dib.GetPixelIndex(end, row), black) << row;
        EXPECT_LE(end, 520) << row;
        EXPECT_LE(end - start + 1, previousWidth) << row;
        EXPECT_GE(start, previousStart) << row;
        previousStart = start;
        previousWidth = end - start + 1;
    }

    // Above the tail: the body, white with text, its outline black, sky beyond.
    int column = 520, y = 348;
    while (y > 0 && dib.GetPixelIndex(column, y) != frame.night)
        --y;
    int top = y + 1;
    EXPECT_EQ(dib.GetPixelIndex(column, top), black);
    int whites = 0, inks = 0;
    for (int row = top + 1; row < 350; ++row)
        for (int x = 420; x < 620; ++x) {
            int index = dib.GetPixelIndex(x, row);
            whites += index == white;
            inks += index == black;
        }
    EXPECT_GT(whites, 2000);
    EXPECT_GT(inks, 100);
    EXPECT_LT(top, 400 - 50 - 2 * 19) << "at least two lines of text above the tail";
}

TEST_F(BalloonRender, PreviewTextIsLarger)
{
    Frame normal = Paint(608, 448, 400, 300, {"Hi!"}, "zibolt-balloon-small.bmp");
    SetBalloonPreviewText(true);
    Frame preview = Paint(608, 448, 400, 300, {"Hi!"}, "zibolt-balloon-preview.bmp");
    auto sky = [](const Frame& f) {
        int count = 0;
        const VDib& dib = *f.surface->GetDib();
        for (int y = 0; y < 448; ++y)
            for (int x = 0; x < 608; ++x)
                count += dib.GetPixelIndex(x, y) != f.night;
        return count;
    };
    EXPECT_GT(sky(preview), sky(normal) + 1000);
}

}  // namespace
