#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "TestStage.h"
#include "engine/stream/VComponentManager.h"
#include "engine/stream/VMemoryStream.h"
#include "engine/stream/VStreamWriter.h"
#include "engine/stream/VTimer.h"

namespace {

// Advances the test clock in steps and ticks due timers the way the stage's run loop does.
std::vector<double> RunUntil(TestStage& stage, double end, double step, VTimer* watched = nullptr)
{
    std::vector<double> ticks;
    while (stage.now < end) {
        stage.now += step;
        while (VTimer* next = NextTimer(stage.GetTimers())) {
            if (!(next->GetNextDue() < stage.now))
                break;
            if (!watched || next == watched)
                ticks.push_back(stage.now);
            next->Tick();
        }
    }
    return ticks;
}

class CountingTimer : public VTimer {
public:
    using VTimer::VTimer;
    void OnTick() override
    {
        ticks.push_back(GetLastTick());
        if (action)
            action(*this);
    }
    std::vector<double> ticks;
    std::function<void(CountingTimer&)> action;
};

TEST(Timers, ScheduleAdvancesFromTheDueTimeNotTheTick)
{
    TestStage stage;
    CountingTimer timer("t", nullptr, 100.0, true);
    RunUntil(stage, 330, 10);
    EXPECT_EQ(timer.ticks, (std::vector<double>{110, 210, 310}));

    // A late tick at 130 still schedules the next for 200.
    TestStage late;
    CountingTimer slow("slow", nullptr, 100.0, true);
    late.now = 130;
    slow.Tick();
    EXPECT_DOUBLE_EQ(slow.GetNextDue(), 200.0);
    EXPECT_DOUBLE_EQ(slow.GetPreviousTick(), 0.0);
    EXPECT_DOUBLE_EQ(slow.GetLastTick(), 130.0);
}

TEST(Timers, SetIntervalDuringATickKeepsTheNewSchedule)
{
    TestStage stage;
    CountingTimer timer("t", nullptr, 100.0, true);
    timer.action = [&](CountingTimer& t) {
        if (stage.now == 200)
            t.SetInterval(250);
    };
    stage.now = 100;
    timer.Tick();
    stage.now = 200;
    timer.Tick();
    EXPECT_DOUBLE_EQ(timer.GetNextDue(), 450.0);
}

TEST(Timers, EqualDueTimesTickInRegistrationOrder)
{
    TestStage stage;
    std::vector<std::string> order;
    CountingTimer a("a", nullptr, 50.0, true), b("b", nullptr, 50.0, true);
    a.action = [&](CountingTimer&) { order.push_back("a"); };
    b.action = [&](CountingTimer&) { order.push_back("b"); };
    CountingTimer disabled("off", nullptr, 10.0, false);
    EXPECT_EQ(NextTimer(stage.GetTimers()), &a);
    RunUntil(stage, 60, 60);
    EXPECT_EQ(order, (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(disabled.ticks.empty());
}

TEST(Timers, NoEnabledTimerMeansNoNextTimer)
{
    TestStage stage;
    EXPECT_EQ(NextTimer(stage.GetTimers()), nullptr);
    VTimer off("off", nullptr, 10.0, false);
    EXPECT_EQ(NextTimer(stage.GetTimers()), nullptr);
}

TEST(Timers, DisablingFromOwnTickStopsAndReenablingRestartsFromNow)
{
    TestStage stage;
    CountingTimer timer("t", nullptr, 100.0, true);
    timer.action = [](CountingTimer& t) { t.SetEnabled(false); };
    RunUntil(stage, 500, 10);
    EXPECT_EQ(timer.ticks, (std::vector<double>{110}));
    timer.action = nullptr;
    stage.now = 1000;
    timer.SetEnabled(true);
    EXPECT_DOUBLE_EQ(timer.GetNextDue(), 1100.0);
    RunUntil(stage, 1120, 10);
    EXPECT_EQ(timer.ticks, (std::vector<double>{110, 1110}));
}

TEST(Timers, OnTimerIsRaisedOnTheTimer)
{
    TestStage stage;
    VTimer timer("t", nullptr, 20.0, true);
    static int raised;
    raised = 0;
    timer.AddHandler("OnTimer", [](VComponent* sender, VEvent*, void*) { ++raised; }, nullptr);
    RunUntil(stage, 100, 5);
    EXPECT_EQ(raised, 4);
}

TEST(Timers, StreamPropertiesSetIntervalAndEnabled)
{
    TestStage stage;
    stage.now = 40;
    VComponentManager manager("m", nullptr);
    VMemoryStream in(VStreamWriter()
                         .Record("VTimer", "on", VPropertyWriter().Text("interval", "250.5").Text("ENABLED", "true"))
                         .Record("VTimer", "off", VPropertyWriter().Bool("Enabled", false))
                         .Bytes());
    manager.AddComponentStream(&in);
    auto* on = dynamic_cast<VTimer*>(manager.FindComponent("on"));
    auto* off = dynamic_cast<VTimer*>(manager.FindComponent("off"));
    ASSERT_TRUE(on && off);
    EXPECT_TRUE(on->IsEnabled());
    EXPECT_DOUBLE_EQ(on->GetInterval(), 250.5);
    EXPECT_DOUBLE_EQ(on->GetNextDue(), 290.5);
    EXPECT_FALSE(off->IsEnabled());
}

TEST(Timers, DestroyedTimersLeaveTheStageList)
{
    TestStage stage;
    auto* owner = new VComponent("owner", nullptr);
    new VTimer("a", owner, 10.0, true);
    VTimer kept("kept", nullptr, 10.0, true);
    EXPECT_EQ(stage.GetTimers().size(), 2u);
    delete owner;
    EXPECT_EQ(stage.GetTimers(), (std::vector<VTimer*>{&kept}));
}

TEST(Timers, TimersOutlivingTheirStageDoNotReachIt)
{
    auto* stage = new TestStage;
    stage->now = 70;
    VTimer timer("t", nullptr, 10.0, true);
    delete stage;
    timer.SetEnabled(true);  // no stage: the clock stands at the last tick
    EXPECT_DOUBLE_EQ(timer.GetNextDue(), 80.0);
}

}  // namespace
