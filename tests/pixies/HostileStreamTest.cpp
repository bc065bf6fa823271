#include <gtest/gtest.h>

#include "TestPixieHost.h"
#include "engine/pixies/VDirector.h"
#include "engine/pixies/VPixieListWriter.h"
#include "engine/pixies/VSprite.h"
#include "engine/stream/VException.h"

namespace {

// Reads one property value into `component` and returns the exception's message, or "" when
// it read.
std::string ReadProperty(VComponent& component, const std::string& name, const std::string& payload)
{
    VMemoryStream in(CountedToken(payload));
    int consumed = 0;
    try {
        component.LoadPropFromStream(name, in, consumed);
    } catch (const VStreamException& e) {
        return e.GetMessage();
    }
    return "";
}

TEST(HostileStreams, CountsBeyondTheDataFailAtOnce)
{
    TestPixieHost host;
    VSprite sprite("Zibolt", &host);
    std::string padding(20 - NumberToken(2147483647).size(), '#');
    std::string message = ReadProperty(sprite, "FrameList", NumberToken(2147483647) + padding);
    EXPECT_NE(message.find("declares 2147483647"), std::string::npos) << message;
    EXPECT_NE(ReadProperty(sprite, "FrameList", NumberToken(2147483648LL) + "0#"), "");
    EXPECT_NE(ReadProperty(sprite, "SequenceList", NumberToken(1000000) + "0#0#0#").find("declares"),
              std::string::npos);

    // Lengths inside the entries are checked as well.
    EXPECT_NE(ReadProperty(sprite, "FrameList", "1#" + NumberToken(5000) + "4#Name1#a").find("frame 1"),
              std::string::npos);
    std::string image = CountedToken("Surface") + NumberToken(900000) + "BM";
    std::string bigImage = "1#" + NumberToken(static_cast<long long>(image.size())) + image;
    EXPECT_NE(ReadProperty(sprite, "FrameList", bigImage).find("Surface declares 900000"),
              std::string::npos);
    std::string steps = "1#0#" + CountedToken("s") + NumberToken(999999) + "8#FrameRef";
    EXPECT_NE(ReadProperty(sprite, "SequenceList", steps).find("declares 999999"), std::string::npos);
    std::string entries = "1#0#" + CountedToken("s") + "1#" + CountedToken("FrameRef") + "70000#";
    EXPECT_NE(ReadProperty(sprite, "SequenceList", entries).find("FrameRef declares 70000"),
              std::string::npos);
    EXPECT_TRUE(sprite.GetFrames().empty());

    VDirector director("getin", &host);
    std::string tuples = CountedToken("Zibolt;") + NumberToken(2147483647) + "8#1#1#6#Zibolt";
    EXPECT_NE(ReadProperty(director, "Tupels", tuples).find("declares 2147483647"), std::string::npos);
    // A tuple whose assignments token is missing.
    std::string items = CountedToken("1") + CountedToken("Zibolt");
    std::string cut = CountedToken("Zibolt;") + NumberToken(static_cast<long long>(items.size()) + 3) +
                      NumberToken(static_cast<long long>(items.size())) + items;
    EXPECT_NE(ReadProperty(director, "Tupels", cut).find("cut short"), std::string::npos);
    EXPECT_TRUE(director.GetTracks().empty());
}

TEST(HostileStreams, ListsStayInsideTheirValue)
{
    TestPixieHost host;
    // A director record that ends right after "Tupels", followed by another record: the
    // timeline reads nothing of what follows it.
    VPropertyWriter director;
    director.Text("FrameLength", "110").Raw("Tupels", TupelsPayload({{"1", "Zibolt", "XPos=3;"}}));
    VPropertyWriter sprite;
    sprite.Coo("XPos", 7);
    host.Load(VStreamWriter().Header({}).Record("VDirector", "getout", director).Record("VSprite", "Zibolt", sprite));
    auto* getout = dynamic_cast<VDirector*>(host.FindComponent("getout"));
    auto* zibolt = dynamic_cast<VSprite*>(host.FindComponent("Zibolt"));
    ASSERT_NE(getout, nullptr);
    ASSERT_NE(zibolt, nullptr);
    EXPECT_FLOAT_EQ(zibolt->GetXPos(), 7);
    ASSERT_EQ(getout->GetTracks().size(), 1u);
    EXPECT_EQ(getout->GetTracks()[0].GetKeyFrames().size(), 1u);

    // The same at the very end of the stream.
    TestPixieHost last;
    last.Load(VStreamWriter().Header({}).Record("VDirector", "getout", director));
    EXPECT_NE(last.FindComponent("getout"), nullptr);

    // Empty list values are empty lists.
    VSprite empty("empty", &host);
    EXPECT_EQ(ReadProperty(empty, "FrameList", ""), "");
    EXPECT_EQ(ReadProperty(empty, "SequenceList", "0#"), "");
    EXPECT_EQ(ReadProperty(*getout, "Tupels", ""), "");
}

TEST(HostileStreams, UnknownStepsAreSkippedAndNegativeTimesClamped)
{
    TestPixieHost host;
    VSprite sprite("Zibolt", &host);
    ASSERT_EQ(ReadProperty(sprite, "FrameList",
                           FrameListPayload({FrameEntries("a", TestBmp(1, 1), "", 0, 0)})),
              "");
    std::string step = StepBytes({"a", 1, 0, 0, "MS:-50"});
    std::string oddEntries = CountedToken("Deg") + CountedToken("90");
    std::string odd = CountedToken("Rotate") + NumberToken(static_cast<long long>(oddEntries.size())) + oddEntries;
    std::string body = CountedToken("spin") + "2#" + odd + step;
    ASSERT_EQ(ReadProperty(sprite, "SequenceList", "1#" + NumberToken(static_cast<long long>(body.size())) + body), "");
    VPixieSequencer* spin = sprite.FindSequence("spin");
    ASSERT_NE(spin, nullptr);
    ASSERT_EQ(spin->GetSteps().size(), 1u) << "the step after the unknown one is found";
    EXPECT_DOUBLE_EQ(spin->GetSteps()[0]->GetTime(), 0.0);

    // A zero-length step runs once per clock movement, never for ever at one instant.
    sprite.Run("spin", -1, 0, 0, 0);
    host.RunUntil(10);
    EXPECT_FLOAT_EQ(sprite.GetXPos(), 10);
}

}  // namespace
