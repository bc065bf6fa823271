#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestStage.h"
#include "engine/stream/VComponent.h"
#include "engine/stream/VException.h"
#include "engine/stream/VMemoryStream.h"
#include "engine/stream/VStreamReaders.h"
#include "engine/stream/VStreamWriter.h"

namespace {

using namespace std::string_literals;

// Records which properties reach it and reads "XPos" as a coordinate.
class ProbeComponent : public VComponent {
public:
    using VComponent::VComponent;
    bool LoadPropFromStream(const std::string& name, std::istream& stream, int& consumed) override
    {
        if (SameText(name, "XPos")) {
            x = LoadCooFromStream(stream, consumed);
            return true;
        }
        return VComponent::LoadPropFromStream(name, stream, consumed);
    }
    float x = -99999.0f;
};

bool LoadBlock(VComponent& component, const std::string& block, int* consumedOut = nullptr)
{
    VMemoryStream in(block);
    int consumed = 0;
    bool ok = component.LoadFromStream(in, consumed);
    if (consumedOut)
        *consumedOut = consumed;
    return ok;
}

TEST(PropertyBlocks, TagsAreReadAndOthersSkipped)
{
    ProbeComponent c("probe", nullptr);
    VPropertyWriter props;
    props.Tags("Tag", {"Sterretje=True", "Speed=20-50"})
        .Text("Unknown", "skip #me\0"s)
        .Coo("XPos", 12.5f)
        .Tags("TAG", {})
        .Tags("tag", {"Frequency=50"});
    int consumed = 0;
    EXPECT_TRUE(LoadBlock(c, props.Block(), &consumed));
    EXPECT_EQ(consumed, static_cast<int>(props.Block().size()));
    EXPECT_FLOAT_EQ(c.x, 12.5f);
    EXPECT_EQ(c.GetTags(), (VTagList{"Sterretje=True", "Speed=20-50", "Frequency=50"}));
}

TEST(PropertyBlocks, LengthMustMatchTheEntries)
{
    ProbeComponent c("probe", nullptr);
    EXPECT_TRUE(LoadBlock(c, "0#"));

    VPropertyWriter props;
    props.Coo("XPos", 3.0f);
    const std::string& entries = props.Entries();
    // One byte more in the entries than the declared length: the reader notices.
    std::string shortBlock = NumberToken(static_cast<long long>(entries.size()) - 1) + entries;
    EXPECT_FALSE(LoadBlock(c, shortBlock));
    EXPECT_FLOAT_EQ(c.x, 3.0f) << "what was read stays applied";

    // A block longer than the data: the reader stops at the end instead of spinning.
    std::string longBlock = NumberToken(static_cast<long long>(entries.size()) + 100) + entries;
    EXPECT_FALSE(LoadBlock(c, longBlock));

    // A value cut by the end of data.
    EXPECT_FALSE(LoadBlock(c, "20#7#Unknown50#abc"));
    // The consumed count is the length token plus the declared length, whatever was read.
    int consumed = 0;
    LoadBlock(c, "2000000#7#Unknown", &consumed);
    EXPECT_EQ(consumed, 2000000 + 8);
}

TEST(PropertyBlocks, MalformedCoordinatePassesTheReaderMessageOn)
{
    ProbeComponent c("probe", nullptr);
    VPropertyWriter props;
    props.Raw("XPos", "1.2.3");
    try {
        LoadBlock(c, props.Block());
        FAIL();
    } catch (const VStreamException& e) {
        EXPECT_EQ(e.GetMessage(), "Invalid char encountered in function LoadCooFromStream.");
    }
}

std::vector<std::string> trace;

void HandlerA(VComponent*, VEvent* e, void*) { trace.push_back("A" + std::to_string(e->GetValue())); }
void HandlerB(VComponent*, VEvent*, void*) { trace.push_back("B"); }
void Reentrant(VComponent* sender, VEvent*, void*)
{
    trace.push_back("R");
    EXPECT_TRUE(sender->FireEvent("OnTimer", 0)) << "a nested raise is dropped and answers true";
}
void RecordUserData(VComponent*, VEvent*, void* user)
{
    trace.push_back(user == static_cast<VComponent*>(CurrentStage()) ? "stage" : "other");
}
void Throwing(VComponent*, VEvent*, void*)
{
    trace.push_back("T");
    throw VException("boom");
}

class EventsTest : public ::testing::Test {
protected:
    void SetUp() override { trace.clear(); }
};

TEST_F(EventsTest, HandlersRunLastAddedFirstAndNamesFoldCase)
{
    VComponent c("c", nullptr);
    c.AddHandler("OnTimer", HandlerA, &c);
    c.AddHandler("ONTIMER", HandlerB, &c);
    c.AddHandler("ontimer", HandlerA, &c);
    EXPECT_TRUE(c.FireEvent("OnTimer", 7));
    EXPECT_EQ(trace, (std::vector<std::string>{"A7", "B", "A7"}));
    EXPECT_FALSE(c.FireEvent("OnMove", 0)) << "no event of that name";
    EXPECT_NE(c.FindEvent("onTIMER"), nullptr);
}

TEST_F(EventsTest, NestedRaiseIsDropped)
{
    VComponent c("c", nullptr);
    c.AddHandler("OnTimer", Reentrant, &c);
    c.FireEvent("OnTimer", 0);
    EXPECT_EQ(trace, (std::vector<std::string>{"R"}));
}

TEST_F(EventsTest, NullUserDataMeansTheCurrentStage)
{
    TestStage stage;
    VComponent c("c", nullptr);
    c.AddHandler("OnMove", RecordUserData, nullptr);
    c.AddHandler("OnMove", RecordUserData, &c);
    c.FireEvent("OnMove", 0);
    EXPECT_EQ(trace, (std::vector<std::string>{"other", "stage"}));
}

TEST_F(EventsTest, AHandlerThatThrowsDoesNotSilenceTheEventForever)
{
    VComponent c("c", nullptr);
    c.AddHandler("OnTimer", Throwing, &c);
    EXPECT_THROW(c.FireEvent("OnTimer", 0), VException);
    EXPECT_THROW(c.FireEvent("OnTimer", 0), VException);
    EXPECT_EQ(trace, (std::vector<std::string>{"T", "T"}));
}

class ListeningComponent : public VComponent {
public:
    using VComponent::VComponent;
    void OnEvent(const std::string& eventName, VComponent* sender, VEvent*) override
    {
        trace.push_back(eventName + "@" + sender->GetName());
    }
};

TEST_F(EventsTest, ConnectCallsTheListenersOnEvent)
{
    VComponent source("source", nullptr);
    ListeningComponent listener("listener", nullptr);
    source.Connect("OnMove", &listener);
    source.FireEvent("onmove", 0);
    EXPECT_EQ(trace, (std::vector<std::string>{"OnMove@source"}));
}

class Tracked : public VComponent {
public:
    Tracked(std::string name, VComponent* owner) : VComponent(std::move(name), owner) {}
    ~Tracked() override { trace.push_back("~" + GetName()); }
};

TEST_F(EventsTest, OwnersDestroyWhatTheyOwnInConstructionOrder)
{
    auto* root = new Tracked("root", nullptr);
    auto* a = new Tracked("a", root);
    new Tracked("a1", a);
    auto* b = new Tracked("b", root);
    new Tracked("c", root);
    EXPECT_EQ(root->GetOwned().size(), 3u);

    delete b;  // leaves its owner's list, so it is not destroyed twice
    EXPECT_EQ(root->GetOwned().size(), 2u);
    delete root;
    EXPECT_EQ(trace, (std::vector<std::string>{"~b", "~root", "~a", "~a1", "~c"}));
}

TEST_F(EventsTest, AssertThrowsPlainExceptionWithItsMessage)
{
    EXPECT_NO_THROW(Assert(true, "never"));
    try {
        Assert(false, "component Screen not found.");
        FAIL();
    } catch (const VStreamException&) {
        FAIL() << "a plain VException, not a kind";
    } catch (const VException& e) {
        EXPECT_EQ(e.GetMessage(), "component Screen not found.");
    }
}

}  // namespace
