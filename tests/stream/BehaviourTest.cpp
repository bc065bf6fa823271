#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestStage.h"
#include "engine/stream/VBehaviour.h"
#include "engine/stream/VEventBinding.h"
#include "engine/stream/VException.h"
#include "engine/stream/VMemoryStream.h"
#include "engine/stream/VStreamWriter.h"

namespace {

std::vector<std::string> calls;

class KeyWatcher : public VBehaviour {
public:
    using VBehaviour::VBehaviour;
    bool HandleEvent(const std::string& eventName, VComponent* sender) override
    {
        calls.push_back(eventName + "@" + sender->GetName());
        return true;
    }
};

class BehaviourTest : public ::testing::Test {
protected:
    void SetUp() override { calls.clear(); }
    TestStage stage;
};

TEST_F(BehaviourTest, ListeningBehaviourHearsEachRaise)
{
    KeyWatcher watcher(&stage, "keys", &stage);
    watcher.Listen("OnKeyDown");
    stage.FireEvent("OnKeyDown", 0);
    stage.FireEvent("OnKeyDown", 0);
    stage.FireEvent("OnKeyUp", 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"OnKeyDown@Stage", "OnKeyDown@Stage"}));

    watcher.Listen("onkeydown");  // listening twice runs twice
    calls.clear();
    stage.FireEvent("OnKeyDown", 0);
    EXPECT_EQ(calls.size(), 2u);
}

TEST_F(BehaviourTest, SetValuesOnlyOnceAndOnlyOnAFreshBehaviour)
{
    KeyWatcher fresh(nullptr, "", nullptr);
    fresh.SetValues(&stage, "Screensaver");
    EXPECT_EQ(fresh.GetSubject(), &stage);
    EXPECT_EQ(fresh.GetName(), "Screensaver");
    try {
        fresh.SetValues(&stage, "again");
        FAIL();
    } catch (const VException& e) {
        EXPECT_EQ(e.GetMessage(), "Behaviour::SetValues: values already set.");
    }
    KeyWatcher named(nullptr, "named", nullptr);
    EXPECT_THROW(named.SetValues(&stage, "x"), VException);
    KeyWatcher withSubject(nullptr, "", &stage);
    EXPECT_THROW(withSubject.SetValues(&stage, "x"), VException);
}

TEST_F(BehaviourTest, DispatchersCheckTheirUserData)
{
    // A component whose user data turns out to be no behaviour, or nothing alive, is ignored.
    KeyWatcher* watcher = new KeyWatcher(&stage, "keys", &stage);
    watcher->Listen("OnMove");
    VComponent plain("plain", nullptr);
    plain.Connect("OnMove", nullptr);  // null listener means the stage, which has no OnEvent work
    delete watcher;
    EXPECT_NO_FATAL_FAILURE(stage.FireEvent("OnMove", 0));
    EXPECT_NO_FATAL_FAILURE(plain.FireEvent("OnMove", 0));
    EXPECT_TRUE(calls.empty());
}

void Record(VComponent* sender, VEvent* event, void* user)
{
    auto* target = VComponent::FromUserData(user);
    calls.push_back(event->GetName() + ":" + sender->GetName() + "->" +
                    (target ? target->GetName() : std::string("?")));
}

TEST_F(BehaviourTest, BindingsConnectOnceTheirSourceExists)
{
    EventBinding onStage("Stage", "OnBeforeEverything", Record, "");
    EventBinding onTimer("Clock", "OnTimer", Record, "Stage");
    EventBinding toMissingTarget("Clock", "OnMove", Record, "Nobody");
    std::size_t before = PendingBindingCount();

    ConnectBindings(stage);
    EXPECT_EQ(PendingBindingCount(), before - 1) << "only the stage binding found its source";
    stage.FireEvent("OnBeforeEverything", 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"OnBeforeEverything:Stage->Stage"}));

    VMemoryStream in(VStreamWriter().Record("VTimer", "Clock", VPropertyWriter()).Bytes());
    stage.AddComponentStream(&in);
    ConnectBindings(stage);
    EXPECT_EQ(PendingBindingCount(), before - 3);
    calls.clear();
    VComponent* clock = stage.FindComponent("clock");
    clock->FireEvent("OnTimer", 0);
    clock->FireEvent("OnMove", 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"OnTimer:Clock->Stage", "OnMove:Clock->Stage"}))
        << "an unknown target passes the current stage";

    ConnectBindings(stage);  // connected bindings are gone: no second handler
    calls.clear();
    stage.FireEvent("OnBeforeEverything", 0);
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(BehaviourTest, BindingsAndBehavioursOnOneEventRunLastAttachedFirst)
{
    KeyWatcher watcher(&stage, "first", &stage);
    watcher.Listen("OnKeyDown");
    EventBinding binding("Stage", "OnKeyDown", Record, "");
    ConnectBindings(stage);
    stage.FireEvent("OnKeyDown", 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"OnKeyDown:Stage->Stage", "OnKeyDown@Stage"}));
}

TEST_F(BehaviourTest, DestroyedBindingLeavesTheRegistry)
{
    std::size_t before = PendingBindingCount();
    {
        EventBinding temporary("Nowhere", "OnTimer", Record, "");
        EXPECT_EQ(PendingBindingCount(), before + 1);
    }
    EXPECT_EQ(PendingBindingCount(), before);
}

}  // namespace
