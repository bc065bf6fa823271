#include <gtest/gtest.h>

#include <cmath>

#include "TestPixieHost.h"
#include "engine/graphics/VTextRenderer.h"
#include "engine/graphics/VWordWrap.h"
#include "engine/pixies/VBalloon.h"
#include "engine/pixies/VDirector.h"
#include "engine/pixies/VTextBlock.h"
#include "engine/stream/VException.h"

void PrintTo(const VTextBox& b, std::ostream* os)
{
    *os << "{" << b.left << ", " << b.top << ", " << b.right << ", " << b.bottom << "}";
}
void PrintTo(const VPoint& p, std::ostream* os)
{
    *os << "(" << p.x << ", " << p.y << ")";
}

namespace {

// Fixed metrics: every printable byte is 10 pixels wide, controls take no room, and a line is
// as high as the font. Records what the balloon asked for.
struct FakeCalls {
    int begins = 0;
    int ends = 0;
    VTextFont font;
    std::string measuredLine;
    std::string wrappedText;
    VTextBox wrappedIn;
    std::vector<VPoint> polygon;
    std::string drawnText;
    VTextBox drawnBox;
};

VAdvanceTable FakeAdvances()
{
    VAdvanceTable advances{};
    for (int i = 0x20; i < 256; ++i)
        advances[i] = 10;
    return advances;
}

class FakePainter : public VTextPainter {
public:
    FakePainter(FakeCalls& calls, int height) : calls_(calls), height_(height) {}
    ~FakePainter() override { ++calls_.ends; }

    VTextExtent MeasureLine(std::string_view text) override
    {
        calls_.measuredLine = text;
        return {int32_t(TextWidth(text, advances_)), height_};
    }
    VTextBox MeasureWrapped(std::string_view text, VTextBox box) override
    {
        calls_.wrappedText = text;
        calls_.wrappedIn = box;
        int64_t widest = 0;
        auto lines = WrapText(text, box.Width(), advances_);
        for (const auto& line : lines)
            widest = std::max(widest, line.width);
        box.bottom = box.top + int32_t(lines.size()) * height_;
        box.right = std::max<int32_t>(box.right, box.left + int32_t(widest));
        return box;
    }
    void DrawWrapped(std::string_view text, const VTextBox& box) override
    {
        calls_.drawnText = text;
        calls_.drawnBox = box;
    }
    void Polygon(const VPoint* points, std::size_t count) override
    {
        calls_.polygon.assign(points, points + count);
    }

private:
    FakeCalls& calls_;
    int height_;
    VAdvanceTable advances_ = FakeAdvances();
};

class FakeTextRenderer : public VTextRenderer {
public:
    std::unique_ptr<VTextPainter> Begin(VDib& target, const VTextFont& font) override
    {
        ++calls.begins;
        calls.font = font;
        return std::make_unique<FakePainter>(calls, font.height);
    }
    FakeCalls calls;
};

class BalloonTest : public ::testing::Test {
protected:
    void SetUp() override { SetTextRenderer(&fake); }
    void TearDown() override
    {
        SetTextRenderer(nullptr);
        SetBalloonPreviewText(false);
    }

    // Advances the clock in quarter milliseconds until the balloon shows or hides, or the
    // conversation ends; returns the time that took.
    double RunUntilChange(VBalloon& balloon, double limit = 10000)
    {
        double start = host.now;
        bool visible = balloon.IsVisible();
        while (host.now - start < limit) {
            host.RunUntil(host.now + 0.25, 0.25);
            if (balloon.IsVisible() != visible || balloon.IsDone())
                break;
        }
        return host.now - start;
    }

    // Draws the balloon's current text with its tail at (x, y).
    const FakeCalls& DrawAt(VBalloon& balloon, float x, float y)
    {
        fake.calls = FakeCalls();
        VDibSurface surface(800, 600);
        balloon.Draw(surface, x, y, nullptr);
        return fake.calls;
    }

    TestPixieHost host;
    FakeTextRenderer fake;
};

TEST_F(BalloonTest, ConversationTimesPlacesAndEnds)
{
    auto* talking = new VDirector("Talking", &host);
    auto* notTalking = new VDirector("NotTalking", &host);
    talking->SetXY(200, 100);
    auto* balloon = new VBalloon("Balloon", &host);
    EXPECT_FALSE(balloon->IsVisible()) << "a balloon starts hidden";
    EXPECT_TRUE(balloon->IsDone());
    EXPECT_EQ(balloon->GetClassName(), "VPixie");
    EXPECT_EQ(balloon->GetTimer().GetName(), "timer_Balloon");

    host.now = 1000;
    balloon->Talk({"Hello", "there", "***", "(12,-30)Goodbye"}, 300, 400, talking, notTalking,
                  nullptr, nullptr);
    EXPECT_FALSE(balloon->IsDone());
    EXPECT_TRUE(balloon->IsVisible());
    EXPECT_EQ(balloon->GetText(), "Hello\nthere\n");
    EXPECT_DOUBLE_EQ(balloon->GetTimer().GetInterval(), 1160);
    EXPECT_FLOAT_EQ(balloon->GetXPos(), 300);
    EXPECT_FLOAT_EQ(balloon->GetYPos(), 400);

    EXPECT_NEAR(RunUntilChange(*balloon), 1160, 0.5);
    EXPECT_FALSE(balloon->IsVisible());
    EXPECT_FALSE(balloon->IsDone()) << "a pause is part of the conversation";

    EXPECT_NEAR(RunUntilChange(*balloon), 500, 0.5);
    EXPECT_TRUE(balloon->IsVisible());
    EXPECT_EQ(balloon->GetText(), "Goodbye\n");
    EXPECT_DOUBLE_EQ(balloon->GetTimer().GetInterval(), 1280) << "the placement counts too";
    EXPECT_FLOAT_EQ(balloon->GetXPos(), 212);
    EXPECT_FLOAT_EQ(balloon->GetYPos(), 70);

    EXPECT_NEAR(RunUntilChange(*balloon), 1280, 0.5);
    EXPECT_FALSE(balloon->IsVisible());
    EXPECT_FALSE(balloon->IsDone());
    EXPECT_NEAR(RunUntilChange(*balloon), 500, 0.5);
    EXPECT_TRUE(balloon->IsDone());
    EXPECT_FALSE(balloon->IsVisible());
    EXPECT_FALSE(talking->IsPlaying());
    EXPECT_FALSE(notTalking->IsPlaying());
}

TEST_F(BalloonTest, SpeakersFollowTheStateTable)
{
    auto* first = new VDirector("Talking", &host);
    auto* second = new VDirector("NotTalking", &host);
    auto* talkSequence = new VTimer("talk", &host, 100, false);
    auto* listenSequence = new VTimer("listen", &host, 100, false);
    auto* balloon = new VBalloon("Balloon", &host);
    first->ShowFrame(4);
    second->ShowFrame(4);
    auto expect = [&](bool firstPlays, bool secondPlays, bool talkOn, bool listenOn) {
        EXPECT_EQ(first->IsPlaying(), firstPlays);
        EXPECT_EQ(second->IsPlaying(), secondPlays);
        EXPECT_EQ(talkSequence->IsEnabled(), talkOn);
        EXPECT_EQ(listenSequence->IsEnabled(), listenOn);
    };

    balloon->Talk({"(0,0)Hi", "***", "Hello"}, 0, 0, first, second, talkSequence, listenSequence);
    SCOPED_TRACE("balloon of the first speaker");
    expect(true, false, false, true);
    EXPECT_EQ(first->GetCurrentFrame(), 1) << "plays from frame 1";

    balloon->NextStep();
    SCOPED_TRACE("pause");
    expect(false, true, false, true);
    EXPECT_EQ(second->GetCurrentFrame(), 1) << "plays from frame 1";

    second->ShowFrame(7);
    balloon->NextStep();
    SCOPED_TRACE("balloon of the second speaker");
    expect(false, true, true, false);
    EXPECT_EQ(second->GetCurrentFrame(), 7) << "resumes where it stood";

    balloon->NextStep();
    balloon->NextStep();
    SCOPED_TRACE("ended");
    expect(false, false, false, false);
    EXPECT_TRUE(balloon->IsDone());
}

TEST_F(BalloonTest, SeparatorsAndPlacements)
{
    auto* first = new VDirector("Talking", &host);
    first->SetXY(50, 60);
    auto* balloon = new VBalloon("Balloon", &host);

    // Only a whole line "***" separates.
    balloon->Talk({"A", "*** ", "B"}, 0, 0, first, nullptr, nullptr, nullptr);
    EXPECT_EQ(balloon->GetText(), "A\n*** \nB\n");
    EXPECT_TRUE(balloon->GetLines().empty());

    // A first line "***" gives an empty balloon for 800 ms, then the rest.
    balloon->SetVisible(false);
    balloon->Talk({"***", "Hi"}, 5, 6, first, nullptr, nullptr, nullptr);
    EXPECT_TRUE(balloon->IsVisible());
    EXPECT_EQ(balloon->GetText(), "");
    EXPECT_DOUBLE_EQ(balloon->GetTimer().GetInterval(), 800);
    EXPECT_FLOAT_EQ(balloon->GetXPos(), 5);
    balloon->NextStep();
    balloon->NextStep();
    EXPECT_EQ(balloon->GetText(), "Hi\n");

    // No ")": the whole text is the placement and the balloon says nothing.
    balloon->SetVisible(false);
    balloon->Talk({"(12,-30 Goodbye"}, 0, 0, first, nullptr, nullptr, nullptr);
    EXPECT_EQ(balloon->GetText(), "");
    EXPECT_DOUBLE_EQ(balloon->GetTimer().GetInterval(), 800 + 30 * 16);
    EXPECT_FLOAT_EQ(balloon->GetXPos(), 62);
    EXPECT_FLOAT_EQ(balloon->GetYPos(), 30);

    // Malformed or missing numbers read as 0; a third number is ignored.
    balloon->SetVisible(false);
    balloon->Talk({"(x)Hm"}, 0, 0, first, nullptr, nullptr, nullptr);
    EXPECT_EQ(balloon->GetText(), "Hm\n");
    EXPECT_FLOAT_EQ(balloon->GetXPos(), 50);
    EXPECT_FLOAT_EQ(balloon->GetYPos(), 60);
    balloon->SetVisible(false);
    balloon->Talk({"(1,2,3)So"}, 0, 0, first, nullptr, nullptr, nullptr);
    EXPECT_FLOAT_EQ(balloon->GetXPos(), 51);
    EXPECT_FLOAT_EQ(balloon->GetYPos(), 62);
}

TEST_F(BalloonTest, TalkOverAShowingBalloonPausesFirst)
{
    auto* balloon = new VBalloon("Balloon", &host);
    balloon->Talk({"One"}, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(balloon->IsVisible());
    balloon->Talk({"Two"}, 0, 0, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(balloon->IsVisible());
    EXPECT_DOUBLE_EQ(balloon->GetTimer().GetInterval(), 500);
    balloon->NextStep();
    EXPECT_EQ(balloon->GetText(), "Two\n");
}

TEST_F(BalloonTest, MissingDirectorsAreLeftOut)
{
    auto* balloon = new VBalloon("Balloon", &host);
    balloon->Talk({"(10,20)Hi", "***", "Yo"}, 100, 200, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FLOAT_EQ(balloon->GetXPos(), 110) << "placed from the default position";
    EXPECT_FLOAT_EQ(balloon->GetYPos(), 220);
    host.RunUntil(10000, 5);
    EXPECT_TRUE(balloon->IsDone());
}

TEST_F(BalloonTest, BubbleGeometryFromTheMetrics)
{
    auto* balloon = new VBalloon("Balloon", &host);
    balloon->Talk({"Hello", "there"}, 300, 400, nullptr, nullptr, nullptr, nullptr);
    const FakeCalls& calls = DrawAt(*balloon, 300, 400);
    EXPECT_EQ(calls.font.height, kBalloonFontHeight);
    EXPECT_EQ(calls.font.face, "Comic Sans MS");
    EXPECT_EQ(calls.begins, 1);
    EXPECT_EQ(calls.ends, 1) << "the painter is released after drawing";
    // (cx, cy) = (100, 19): W = 61, left = 300 - 40.
    EXPECT_EQ(calls.measuredLine, "Hello\nthere\n");
    EXPECT_EQ(calls.wrappedText, "Hello\nthere") << "measured without the final line end";
    EXPECT_EQ(calls.wrappedIn, (VTextBox{260, 0, 321, 0}));
    // Two lines of 19 end 50 pixels above the tip.
    EXPECT_EQ(calls.drawnBox, (VTextBox{260, 312, 321, 350}));
    EXPECT_EQ(calls.drawnText, "Hello\nthere\n");
    std::vector<VPoint> expected = {{300, 400}, {285, 355}, {260, 355}, {255, 350},
                                    {255, 312}, {260, 307}, {321, 307}, {326, 312},
                                    {326, 350}, {321, 355}, {295, 355}};
    EXPECT_EQ(calls.polygon, expected);

    SetBalloonPreviewText(true);
    const FakeCalls& preview = DrawAt(*balloon, 300, 400);
    EXPECT_EQ(preview.font.height, kBalloonPreviewFontHeight);
    // (100, 32): W = 80, so the same text gives a larger bubble.
    EXPECT_EQ(preview.wrappedIn, (VTextBox{247, 0, 327, 0}));
    EXPECT_EQ(preview.drawnBox, (VTextBox{247, 286, 327, 350}));
}

TEST_F(BalloonTest, LongWordWidensTheBodyNotTheTail)
{
    auto* balloon = new VBalloon("Balloon", &host);
    balloon->Talk({"Supercalifragilistic"}, 100, 300, nullptr, nullptr, nullptr, nullptr);
    const FakeCalls& calls = DrawAt(*balloon, 100.75f, 300.5f);
    // (200, 19): W = 87, left = trunc(100.75 - 58) = 42; the word needs 200.
    EXPECT_EQ(calls.drawnBox, (VTextBox{42, 231, 242, 250}));
    ASSERT_EQ(calls.polygon.size(), 11u);
    EXPECT_EQ(calls.polygon[0], (VPoint{100, 300}));
    EXPECT_EQ(calls.polygon[1], (VPoint{42 + 43 - 5, 255}));
    EXPECT_EQ(calls.polygon[10], (VPoint{42 + 43 + 5, 255}));
    EXPECT_EQ(calls.polygon[7], (VPoint{247, 231}));
}

TEST_F(BalloonTest, EmptyAndUnplaceableBalloonsDrawSafely)
{
    auto* balloon = new VBalloon("Balloon", &host);
    balloon->Talk({"***"}, 0, 0, nullptr, nullptr, nullptr, nullptr);
    const FakeCalls& empty = DrawAt(*balloon, 10, 10);
    EXPECT_EQ(empty.measuredLine, "");
    EXPECT_EQ(empty.wrappedText, "");
    EXPECT_EQ(empty.drawnBox, (VTextBox{10, -40, 10, -40}));

    // Positions that read as infinite or not a number draw nothing; huge ones are clamped.
    EXPECT_EQ(DrawAt(*balloon, NAN, 0).begins, 0);
    EXPECT_EQ(DrawAt(*balloon, 0, INFINITY).begins, 0);
    const FakeCalls& far = DrawAt(*balloon, 3e38f, -3e38f);
    EXPECT_EQ(far.polygon.size(), 11u);

    SetTextRenderer(nullptr);
    VDibSurface surface(10, 10);
    try {
        balloon->Draw(surface, 5, 5, nullptr);
        ADD_FAILURE() << "drew without a renderer";
    } catch (const VException& e) {
        EXPECT_EQ(e.GetMessage(), "No text renderer installed");
    }
}

TEST(TextBlock, ReadsContentsAndNothingElse)
{
    TestPixieHost host;
    VPropertyWriter props;
    props.Tags("Tag", {"Kind=Intro"}).Tags("Contents", {"Hello", "***", "(12,-30)Bye"})
        .Text("XPos", "5");
    host.Load(VStreamWriter().Header({}).Record("VText", "Intro1", props));
    auto* text = dynamic_cast<VTextBlock*>(host.FindComponent("Intro1"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetClassName(), "VTextBlock");
    EXPECT_EQ(text->GetLines(), (VTagList{"Hello", "***", "(12,-30)Bye"}));
    EXPECT_TRUE(text->GetTags().empty()) << "a text block's Tag is skipped";
}

}  // namespace
