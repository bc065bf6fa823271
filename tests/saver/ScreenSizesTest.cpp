// The size the full-screen show composes at, and the monitors it covers.
#include <gtest/gtest.h>

#include <algorithm>

#include "saver/VMonitorChoice.h"
#include "saver/VStageSize.h"

TEST(DesignSize, WholeFactorsWhereTheHeightHasOneAndTheAspectOtherwise)
{
    struct Case {
        VResolution screen, stage;
    };
    const Case cases[] = {
        {{1366, 768}, {1366, 768}},  {{1920, 1080}, {960, 540}},  {{1920, 1200}, {960, 600}},
        {{2560, 1440}, {1280, 720}}, {{3440, 1440}, {1720, 720}}, {{3840, 2160}, {1280, 720}},
        {{1080, 1920}, {360, 640}},  // portrait: 1920 / 3
        {{1440, 900}, {864, 540}},   // no whole factor: 900 / 2 is below 540
        {{1280, 1024}, {675, 540}},  {{1680, 1050}, {864, 540}},
        {{640, 480}, {640, 480}},    // lower than 540: its own size
    };
    for (const Case& c : cases) {
        const VResolution got = DesignSize(c.screen.width, c.screen.height);
        EXPECT_EQ(got, c.stage) << c.screen.width << "x" << c.screen.height << " gave "
                                << got.width << "x" << got.height;
        EXPECT_GE(got.height, std::min(c.screen.height, kDesignMinHeight));
        EXPECT_LE(got.height, kDesignMaxHeight);
    }
    // Shown back on the screen: whole factors exactly where the height has one.
    EXPECT_TRUE(IsWholeFactor({960, 540}, {1920, 1080}));
    EXPECT_TRUE(IsWholeFactor({1720, 720}, {3440, 1440}));
    EXPECT_FALSE(IsWholeFactor({864, 540}, {1440, 900}));
    EXPECT_FALSE(IsWholeFactor({960, 540}, {1920, 1620}));  // the axes disagree
    EXPECT_FALSE(IsWholeFactor({960, 540}, {640, 360}));    // smaller
}

TEST(DesignSize, TheResolutionSettingChoosesTheRuleTheScreenOrASize)
{
    auto design = ParseResolutionSetting("");
    ASSERT_TRUE(design);
    EXPECT_EQ(ComposeSize(*design, 1920, 1080), (VResolution{960, 540}));
    EXPECT_EQ(ParseResolutionSetting(" Auto ")->kind, VResolutionSetting::Kind::Design);
    auto native = ParseResolutionSetting("NATIVE");
    ASSERT_TRUE(native);
    EXPECT_EQ(ComposeSize(*native, 1920, 1080), (VResolution{1920, 1080}));
    auto fixed = ParseResolutionSetting("1280x720");
    ASSERT_TRUE(fixed);
    EXPECT_EQ(ComposeSize(*fixed, 3840, 2160), (VResolution{1280, 720}));
    for (const char* bad : {"big", "1280x", "8x8", "1280x720x3", "-640x480"})
        EXPECT_FALSE(ParseResolutionSetting(bad)) << bad;
}

TEST(Monitors, EachSpanOrPrimaryAndMirrorsCountOnce)
{
    EXPECT_EQ(ParseMonitorChoice(""), VMonitorChoice::Each);
    EXPECT_EQ(ParseMonitorChoice("Span"), VMonitorChoice::Span);
    EXPECT_EQ(ParseMonitorChoice(" primary "), VMonitorChoice::Primary);
    EXPECT_FALSE(ParseMonitorChoice("both"));

    // A 1920 x 1080 primary with a 1280 x 1024 monitor to its left, a little lower, and a
    // mirror of the primary.
    const std::vector<VIntRect> monitors{
        {0, 0, 1920, 1080}, {-1280, 200, 1280, 1024}, {0, 0, 1920, 1080}};
    EXPECT_EQ(DistinctMonitors(monitors), (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(ShowAreas(VMonitorChoice::Each, monitors),
              (std::vector<VIntRect>{monitors[0], monitors[1]}));
    EXPECT_EQ(ShowAreas(VMonitorChoice::Span, monitors),
              (std::vector<VIntRect>{{-1280, 0, 3200, 1224}}));
    EXPECT_EQ(ShowAreas(VMonitorChoice::Primary, monitors), (std::vector<VIntRect>{monitors[0]}));
    EXPECT_TRUE(ShowAreas(VMonitorChoice::Span, {}).empty());
}
