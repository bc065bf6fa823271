#include <gtest/gtest.h>

#include <string>

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

TEST(Writer, CoordinatesReadBackAsTheSameFloat)
{
    for (float v : {0.0f, 54.0f, -1.5f, 0.5f, 123.25f, 799.0f, -99999.0f, 0.1f, 3.75f}) {
        VMemoryStream in(CountedToken(CooText(v)));
        int consumed = 0;
        EXPECT_FLOAT_EQ(LoadCooFromStream(in, consumed), v) << CooText(v);
    }
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
