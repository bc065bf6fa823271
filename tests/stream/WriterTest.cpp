#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "engine/stream/VMemoryStream.h"
#include "engine/stream/VStreamReaders.h"
#include "engine/stream/VStreamWriter.h"

namespace {

using namespace std::string_literals;

TEST(Writer, TokensHaveTheReadersForm)
{
    EXPECT_EQ(NumberToken(1402), "1402#");
    EXPECT_EQ(NumberToken(-7), "-7#");
    EXPECT_EQ(CountedToken("Stage"), "5#Stage");
    EXPECT_EQ(CountedToken(""), "0#");
    EXPECT_EQ(TagText({"a=1", "b=2"}), "a=1\nb=2\n");
    EXPECT_EQ(ColorText(0x00FF00), "RGB24:00FF00");
    EXPECT_EQ(CooText(400.0f), "400");
    EXPECT_EQ(CooText(-1.5f), "-1.5");
}

// Bit for bit through the stream's own reader, over the floats a stage position can take: a
// fixed set and every binade from 2^-10 to 2^24, sampled.
TEST(Writer, CoordinatesReadBackAsTheSameFloat)
{
    std::vector<float> values{0.0f, -0.0f, 54.0f, -1.5f, 0.5f, 123.25f, 799.0f, -99999.0f, 0.1f, 3.75f,
                              1.0f / 3, 61.416666f, -0.3f, 16777215.0f};
    std::mt19937 rng(4);
    for (int e = -10; e < 24; ++e)
        for (int i = 0; i < 300; ++i)
            values.push_back((i % 2 ? -1.0f : 1.0f) * std::ldexp(1.0f + float(rng() % (1u << 23)) / (1u << 23), e));
    for (float v : values) {
        std::string text = CooText(v);
        VMemoryStream in(CountedToken(text));
        int consumed = 0;
        float back = LoadCooFromStream(in, consumed);
        ASSERT_EQ(std::memcmp(&back, &v, sizeof v), 0) << text << " reads back as " << back << ", not " << v;
    }
    EXPECT_EQ(CooText(0.5f), "0.5") << "no longer than it needs";
}

TEST(Writer, StreamLayoutIsMagicHeaderRecords)
{
    VPropertyWriter props;
    props.Text("Caption", "Hi").Tags("Tag", {}).Nested("WindowRect", VPropertyWriter().Text("X", "0"));
    std::string bytes = VStreamWriter().Header({"Version=0.1b"}).Record("VStage", "Stage", props).Bytes();
    EXPECT_EQ(bytes, "VCS13#Version=0.1b\n6#VStage5#Stage43#7#Caption2#Hi3#Tag2#0#10#WindowRect6#1#X1#0"s);
}

TEST(Writer, RecordListsCountTheirRecords)
{
    VPropertyWriter frame;
    frame.Text("Name", "staand1");
    VPropertyWriter props;
    props.RecordList("FrameList", {frame, frame});
    EXPECT_EQ(props.Entries(), "9#FrameList38#2#15#4#Name7#staand115#4#Name7#staand1"s);
    EXPECT_EQ(VPropertyWriter().RecordList("FrameList", {}).Entries(), "9#FrameList2#0#"s);
}

}  // namespace
