#include <gtest/gtest.h>

#include "platform/sdl/VSdlKeys.h"

TEST(SdlKeys, TheShowsKeysGetTheirWindowsCodes)
{
    EXPECT_EQ(VirtualKeyOf(SDLK_s), 83);  // the sound key
    EXPECT_EQ(VirtualKeyOf(SDLK_a), 65);
    EXPECT_EQ(VirtualKeyOf(SDLK_z), 90);
    EXPECT_EQ(VirtualKeyOf(SDLK_ESCAPE), kVirtualKeyEscape);
    EXPECT_EQ(VirtualKeyOf(SDLK_KP_PLUS), 107);
    EXPECT_EQ(VirtualKeyOf(SDLK_KP_MINUS), 109);
    EXPECT_EQ(VirtualKeyOf(SDLK_5), '5');
    EXPECT_EQ(VirtualKeyOf(SDLK_F12), 123);
    EXPECT_EQ(VirtualKeyOf(SDLK_KP_9), 105);
    EXPECT_EQ(VirtualKeyOf(SDLK_UNKNOWN), 0);
}
