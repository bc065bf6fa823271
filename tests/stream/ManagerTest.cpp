#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "TestStage.h"
#include "engine/stream/VComponentManager.h"
#include "engine/stream/VComponentRef.h"
#include "engine/stream/VException.h"
#include "engine/stream/VMemoryStream.h"
#include "engine/stream/VStreamWriter.h"
#include "engine/stream/VTimer.h"

namespace {

using namespace std::string_literals;

void Load(VComponentManager& manager, const std::string& bytes)
{
    VMemoryStream in(bytes);
    manager.AddComponentStream(&in);
}

std::string StreamError(VComponentManager& manager, const std::string& bytes)
{
    try {
        Load(manager, bytes);
    } catch (const VStreamException& e) {
        return e.GetMessage();
    }
    return "no error";
}

class ManagerTest : public ::testing::Test {
protected:
    TestStage stage;
    VComponentManager manager{"scene", nullptr};
};

TEST_F(ManagerTest, WrongMagicIsAnInvalidHeader)
{
    EXPECT_EQ(StreamError(manager, "VCX0#"), "AddComponentStream encountered an invalid header.");
    EXPECT_EQ(StreamError(manager, ""), "AddComponentStream encountered an invalid header.");
    EXPECT_EQ(StreamError(manager, "VC"), "AddComponentStream encountered an invalid header.");
    EXPECT_TRUE(manager.GetChildren().empty());
    manager.AddComponentStream(nullptr);  // no stream, nothing happens
}

TEST_F(ManagerTest, MagicAndEmptyHeaderCreateNothing)
{
    Load(manager, VStreamWriter().Bytes());
    EXPECT_TRUE(manager.GetChildren().empty());
    EXPECT_TRUE(manager.GetHeader().empty());
}

TEST_F(ManagerTest, HeaderLinesAccumulateOverStreams)
{
    Load(manager, VStreamWriter().Header({"Type=VPlanetScene", "Frequency=5"}).Bytes());
    Load(manager, VStreamWriter().Header({"Version=0.1b"}).Bytes());
    EXPECT_EQ(manager.GetHeader(), (VTagList{"Type=VPlanetScene", "Frequency=5", "Version=0.1b"}));
    EXPECT_EQ(GetTagValue(manager.GetHeader(), "type", ""), "VPlanetScene");
}

TEST_F(ManagerTest, UnknownClassesAreSkippedAndTheNextRecordIsRead)
{
    VStreamWriter w;
    w.RecordRaw("VWidget", "gadget", "5#abcde")
        .Record("VPicture", "NotBuiltYet", VPropertyWriter().Text("X", "1"))
        .Record("vtimer", "Tick", VPropertyWriter().Text("Interval", "250.5").Bool("Enabled", true));
    Load(manager, w.Bytes());
    ASSERT_EQ(manager.GetChildren().size(), 1u);
    auto* timer = dynamic_cast<VTimer*>(manager.FindComponent("TICK"));
    ASSERT_NE(timer, nullptr);
    EXPECT_DOUBLE_EQ(timer->GetInterval(), 250.5);
    EXPECT_TRUE(timer->IsEnabled());
    EXPECT_EQ(timer->GetOwner(), &manager);
}

TEST_F(ManagerTest, FactoryTimersStartDisabledAtFiftyMilliseconds)
{
    Load(manager, VStreamWriter().Record("VTimer", "t", VPropertyWriter()).Bytes());
    auto* timer = dynamic_cast<VTimer*>(manager.FindComponent("t"));
    ASSERT_NE(timer, nullptr);
    EXPECT_DOUBLE_EQ(timer->GetInterval(), 50.0);
    EXPECT_FALSE(timer->IsEnabled());
    Load(manager, VStreamWriter()
                      .Record("VTimer", "u", VPropertyWriter().Bool("Enabled", false).Tags("Tag", {"k=v"}))
                      .Bytes());
    auto* other = dynamic_cast<VTimer*>(manager.FindComponent("u"));
    ASSERT_NE(other, nullptr);
    EXPECT_FALSE(other->IsEnabled());
    EXPECT_TRUE(other->GetTags().empty()) << "timers skip Tag entries";
}

TEST_F(ManagerTest, RecordsNamingAnExistingChildUpdateIt)
{
    VStreamWriter w;
    w.Record("VTimer", "Tick", VPropertyWriter().Text("Interval", "100"))
        .Record("VTimer", "tick", VPropertyWriter().Text("Interval", "200"))
        .Record("VWidget", "TICK", VPropertyWriter().Bool("Enabled", true));
    Load(manager, w.Bytes());
    ASSERT_EQ(manager.GetChildren().size(), 1u);
    auto* timer = dynamic_cast<VTimer*>(manager.GetChildren()[0]);
    EXPECT_DOUBLE_EQ(timer->GetInterval(), 200.0);
    EXPECT_TRUE(timer->IsEnabled()) << "the class name of an updating record is not looked at";
}

TEST_F(ManagerTest, ComponentsBeforeAFaultStay)
{
    std::string bytes = VStreamWriter().Record("VTimer", "a", VPropertyWriter()).Bytes() + "6#VTimer1#b1x#";
    EXPECT_EQ(StreamError(manager, bytes), "Invalid char encountered in function LoadLongIntFromStream.");
    EXPECT_EQ(manager.GetChildren().size(), 2u) << "b was created before its block length failed";
    EXPECT_NE(manager.FindComponent("a"), nullptr);
}

TEST_F(ManagerTest, TruncatedStreamsEndWithoutHanging)
{
    std::string full = VStreamWriter()
                           .Header({"Version=0.1b"})
                           .Record("VTimer", "Tick", VPropertyWriter().Text("Interval", "100"))
                           .Record("VWidget", "w", VPropertyWriter().Text("Big", std::string(300, 'x')))
                           .Bytes();
    for (std::size_t cut = 0; cut <= full.size(); ++cut) {
        VComponentManager m("cut", nullptr);
        try {
            Load(m, full.substr(0, cut));
        } catch (const VStreamException&) {
        }
    }
}

TEST_F(ManagerTest, ChildListsAreSharedWithoutOwnership)
{
    Load(manager, VStreamWriter()
                      .Record("VTimer", "a", VPropertyWriter())
                      .Record("VTimer", "b", VPropertyWriter())
                      .Bytes());
    manager.AddComponentsTo(stage);
    EXPECT_EQ(stage.GetChildren().size(), 3u);
    EXPECT_EQ(stage.FindComponent("B"), manager.FindComponent("b"));
    manager.RemoveComponentsFrom(stage);
    EXPECT_EQ(stage.GetChildren(), (std::vector<VComponent*>{&stage}));
    EXPECT_EQ(manager.GetChildren().size(), 2u);
    manager.RemoveComponentsFrom(stage);  // absent entries are ignored
}

TEST_F(ManagerTest, ComponentRefChecksNameAndClass)
{
    Load(manager, VStreamWriter().Record("VTimer", "Clock", VPropertyWriter()).Bytes());
    manager.AddComponentsTo(stage);
    ComponentRef<VTimer> clock("clock");
    EXPECT_EQ(clock.Get(), manager.FindComponent("Clock"));
    try {
        ComponentRef<VTimer> missing("Screen");
        FAIL();
    } catch (const VException& e) {
        EXPECT_EQ(e.GetMessage(), "component Screen not found.");
    }
    EXPECT_THROW(ComponentRef<VComponentManager>("Clock"), VException) << "wrong class";
    ComponentRef<VComponent> any("Clock");
    EXPECT_EQ(any->GetName(), "Clock");
}

TEST_F(ManagerTest, OnlyTheFiveStreamClassesCanBeRegistered)
{
    EXPECT_TRUE(VComponentManager::IsFactoryClass("vdirector"));
    EXPECT_FALSE(VComponentManager::IsFactoryClass("VStage"));
    EXPECT_THROW(VComponentManager::RegisterComponentClass("VStage", nullptr), VException);
}

TEST(ManagerWithoutStage, TimerRecordsNeedAStage)
{
    VComponentManager manager("lonely", nullptr);
    try {
        Load(manager, VStreamWriter().Record("VTimer", "t", VPropertyWriter()).Bytes());
        FAIL();
    } catch (const VException& e) {
        EXPECT_EQ(e.GetMessage(), "VTimer t needs a stage to run on.");
    }
    EXPECT_TRUE(manager.GetChildren().empty());
    EXPECT_TRUE(manager.GetOwned().empty());
}

// A component that goes away leaves every manager's list at once, not at the next repaint,
// so a lookup in between never reads it.
TEST_F(ManagerTest, ADestroyedComponentLeavesEveryListAtOnce)
{
    Load(manager, VStreamWriter().Record("VTimer", "Tick", VPropertyWriter()).Record("VTimer", "Tock", VPropertyWriter()).Bytes());
    manager.AddComponentsTo(stage);
    VComponent* tick = manager.FindComponent("Tick");
    ASSERT_NE(tick, nullptr);
    delete tick;
    for (const VComponentManager* list : {static_cast<VComponentManager*>(&manager), static_cast<VComponentManager*>(&stage)})
        EXPECT_EQ(std::count(list->GetChildren().begin(), list->GetChildren().end(), tick), 0);
    EXPECT_EQ(stage.FindComponent("Tick"), nullptr);
    EXPECT_NE(stage.FindComponent("Tock"), nullptr);
}

}  // namespace
