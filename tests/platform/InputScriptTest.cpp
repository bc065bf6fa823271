#include <gtest/gtest.h>

#include "engine/stream/VException.h"
#include "platform/headless/VHeadlessInput.h"

TEST(InputScript, ReadsEventsAndComments)
{
    auto events = ParseInputScript("# start\n100 move 5 6\n\n200 down 1 2  # press\n250 up 1 2\n300 key 83\n"
                                   "400 keydown 27\n401 KeyUp 27\n500 activate 1\n");
    using K = VHeadlessInput::Kind;
    ASSERT_EQ(events.size(), 8u);
    EXPECT_EQ(events[0].kind, K::MouseMove);
    EXPECT_EQ(events[0].time, 100);
    EXPECT_EQ(events[0].y, 6);
    EXPECT_EQ(events[1].kind, K::MouseDown);
    EXPECT_EQ(events[3].kind, K::KeyDown);
    EXPECT_EQ(events[4].kind, K::KeyUp);
    EXPECT_EQ(events[4].code, 83);
    EXPECT_EQ(events[6].kind, K::KeyUp);
    EXPECT_EQ(events[7].kind, K::Activate);
}

TEST(InputScript, MalformedLinesNameTheirNumber)
{
    for (const char* bad : {"100 move 5\n", "move 1 2\n", "100\n", "100 jump 1\n", "nan move 1 1\n"}) {
        try {
            ParseInputScript(std::string("50 key 1\n") + bad);
            FAIL() << bad;
        } catch (const VException& e) {
            EXPECT_NE(e.GetMessage().find("line 2"), std::string::npos) << e.GetMessage();
        }
    }
}
