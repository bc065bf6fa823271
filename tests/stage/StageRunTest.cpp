// The run loop on the virtual clock: ticking order, repaints, waits and failures.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/stage/StageTestKit.h"

using namespace stagetest;

namespace {

struct Tick {
    std::string name;
    double time;
    long long presents;
};

}  // namespace

TEST(StageRun, TimersDueTogetherTickInListOrderThenOneRepaint)
{
    auto stage = LoadedStage();
    std::vector<Tick> ticks;
    auto note = [&](FnTimer& t) { ticks.push_back({t.GetName(), stage->GetTime(), stage->GetPresentCount()}); };
    FnTimer b("b", stage.get(), 100, note);
    FnTimer a("a", stage.get(), 100, note);
    long long before = stage->GetPresentCount();
    stage->RunFor(150);

    ASSERT_EQ(ticks.size(), 2u);
    EXPECT_EQ(ticks[0].name, "b");
    EXPECT_EQ(ticks[1].name, "a");
    EXPECT_GT(ticks[0].time, 100);
    EXPECT_EQ(ticks[0].time, ticks[1].time);
    // Both ticked in one cycle, before its one repaint.
    EXPECT_EQ(ticks[0].presents, before);
    EXPECT_EQ(ticks[1].presents, before);
    EXPECT_EQ(stage->GetPresentCount(), before + 1);
}

TEST(StageRun, WithoutTimersNeverRepaintsAndWaitsFiftyMs)
{
    auto stage = LoadedStage();
    long long before = stage->GetPresentCount();
    stage->RunFor(1000);
    EXPECT_EQ(stage->GetPresentCount(), before);
    ASSERT_GE(stage->GetPumpWaits().size(), 20u);
    for (double wait : stage->GetPumpWaits())
        EXPECT_EQ(wait, 50.0);
    EXPECT_EQ(stage->GetTime(), 1000.0);
}

TEST(StageRun, WaitsUntilTheNextDueTimeAtMostFiftyMs)
{
    auto stage = LoadedStage();
    FnTimer t("t", stage.get(), 70, [](FnTimer&) {});
    stage->RunFor(60);
    ASSERT_GE(stage->GetPumpWaits().size(), 2u);
    EXPECT_EQ(stage->GetPumpWaits()[0], 50.0);
    EXPECT_EQ(stage->GetPumpWaits()[1], 20.0);
}

TEST(StageRun, LateTimersCatchUpWithinOneFrameSlice)
{
    auto stage = LoadedStage();
    int count = 0;
    FnTimer t("t", stage.get(), 10, [&](FnTimer&) {
        ++count;
        stage->AdvanceClock(100);  // every tick takes 100 ms
    });
    long long before = stage->GetPresentCount();
    stage->RunFor(15);
    // Ticks back to back until the 333 ms slice is used up: 4 ticks, then one repaint.
    EXPECT_EQ(count, 4);
    EXPECT_EQ(stage->GetPresentCount(), before + 1);
}

TEST(StageRun, ExceptionInATimerArrivesOnceAndTheLoopGoesOn)
{
    auto stage = LoadedStage();
    EventLog log;
    std::vector<std::string> pending;
    log.Listen(*stage, "OnException", [&] { pending.push_back(*stage->GetPendingException()); });
    int ticks = 0;
    FnTimer t("t", stage.get(), 100, [&](FnTimer&) {
        if (++ticks == 1)
            throw VException("first tick failed");
    });
    stage->RunFor(1000);
    EXPECT_EQ(pending, std::vector<std::string>{"first tick failed"});
    EXPECT_EQ(stage->GetReportedExceptions(), std::vector<std::string>{"first tick failed"});
    EXPECT_EQ(stage->GetPendingException(), nullptr);
    EXPECT_GE(ticks, 9);
}

TEST(StageRun, ATimerThatAlwaysFailsRetriesOneIntervalLater)
{
    auto stage = LoadedStage();
    int fails = 0, good = 0;
    FnTimer bad("bad", stage.get(), 100, [&](FnTimer&) {
        ++fails;
        throw VException("broken");
    });
    FnTimer fine("fine", stage.get(), 100, [&](FnTimer&) { ++good; });
    stage->RunFor(1000);
    EXPECT_GE(fails, 8);
    EXPECT_LE(fails, 10);
    EXPECT_EQ(stage->GetReportedExceptions().size(), std::size_t(fails));
    EXPECT_GE(good, 9);
}

TEST(StageRun, TimersThatCannotMoveOnAreStoppedAndReported)
{
    // From a stream: an interval of 0 and one that is not a number.
    auto stage = LoadedStage(VStreamWriter()
                                 .Record("VTimer", "zero", VPropertyWriter().Text("Interval", "0").Bool("Enabled", true))
                                 .Record("VTimer", "nan", VPropertyWriter().Text("Interval", "nan").Bool("Enabled", true))
                                 .Bytes());
    int good = 0;
    FnTimer fine("fine", stage.get(), 100, [&](FnTimer&) { ++good; });
    stage->RunFor(1000);
    ASSERT_EQ(stage->GetReportedExceptions().size(), 2u);
    EXPECT_NE(stage->GetReportedExceptions()[0].find("VTimer"), std::string::npos);
    EXPECT_GE(good, 9);
}

TEST(StageRun, ADestroyedTimerLeavesTheStage)
{
    auto stage = LoadedStage(VStreamWriter()
                                 .Record("VTimer", "gone", VPropertyWriter().Text("Interval", "10").Bool("Enabled", true))
                                 .Bytes());
    auto* gone = dynamic_cast<VTimer*>(stage->FindComponent("gone"));
    ASSERT_NE(gone, nullptr);
    int ticks = 0;
    FnTimer killer("killer", stage.get(), 100, [&](FnTimer&) {
        if (++ticks == 1)
            delete gone;
    });
    stage->RunFor(500);
    for (VTimer* t : stage->GetTimers())
        EXPECT_NE(t, gone);
    EXPECT_EQ(stage->FindComponent("gone"), nullptr);
    EXPECT_TRUE(stage->GetReportedExceptions().empty());
    EXPECT_GE(ticks, 4);
}

TEST(StageRun, StopEndsTheLoopAndLaterRunsReturnAtOnce)
{
    auto stage = LoadedStage();
    FnTimer t("t", stage.get(), 100, [&](FnTimer&) { stage->Stop(); });
    stage->RunFor(10000);
    EXPECT_TRUE(stage->IsQuitRequested());
    EXPECT_LT(stage->GetTime(), 200);
    double at = stage->GetTime();
    stage->RunFor(1000);
    EXPECT_EQ(stage->GetTime(), at);
}

TEST(StageRun, SteppedOneCycleAtATimeAsABrowserFrameDrivesIt)
{
    auto stage = LoadedStage();
    int ticks = 0;
    FnTimer t("t", stage.get(), 100, [&](FnTimer&) {
        if (++ticks == 3)
            stage->Stop();
    });
    long long before = stage->GetPresentCount();
    ASSERT_TRUE(stage->BeginRun());
    std::size_t cycles = 0;
    while (stage->RunCycle()) {
        ++cycles;
        // One cycle ticks what is due and pumps once.
        ASSERT_EQ(stage->GetPumpWaits().size(), cycles);
    }
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(stage->GetPresentCount(), before + 3);
    EXPECT_FALSE(stage->BeginRun()) << "a stopped stage does not start again";
}

TEST(StageRun, RepaintsComeOncePerDisplayFrameEvenWhenTheHostCallsALittleEarly)
{
    // The host moves the clock; the stage does not wait.
    struct HostDriven : VHeadlessStage {
        bool PumpMessages(double) override { return false; }
    };
    auto stage = std::make_unique<HostDriven>();
    stage->SetMainStream(StageStream());
    stage->Load();
    FnTimer t("t", stage.get(), 1, [](FnTimer&) {});
    ASSERT_TRUE(stage->BeginRun());
    stage->RunCycle();
    // A browser's frames at 60 Hz, each a little early.
    long long before = stage->GetPresentCount();
    for (int i = 0; i < 10; ++i) {
        stage->AdvanceClock(16.5);
        stage->RunCycle();
    }
    EXPECT_EQ(stage->GetPresentCount(), before + 10);
    // A millisecond timer called every millisecond still gets no more than a frame per refresh.
    before = stage->GetPresentCount();
    for (int i = 0; i < 500; ++i) {
        stage->AdvanceClock(1);
        stage->RunCycle();
    }
    EXPECT_GE(stage->GetPresentCount() - before, 29);
    EXPECT_LE(stage->GetPresentCount() - before, 31);
}

TEST(StageRun, RunForCarriesOnWithTheSameClock)
{
    auto stage = LoadedStage();
    EventLog log;
    log.Listen(*stage, "OnStarted");
    int ticks = 0;
    FnTimer t("t", stage.get(), 100, [&](FnTimer&) { ++ticks; });
    stage->RunFor(450);
    int first = ticks;
    stage->RunFor(500);
    EXPECT_EQ(first, 4);
    EXPECT_EQ(ticks, 9);
    EXPECT_EQ(stage->GetTime(), 950);
    EXPECT_EQ(log.names, std::vector<std::string>{"OnStarted"});
}

TEST(StageClock, TimeScaleAndPauseKeepTheClockContinuous)
{
    VHeadlessStage stage;
    stage.AdvanceClock(100);
    EXPECT_EQ(stage.GetTime(), 100);
    stage.SetTimeScale(2);
    EXPECT_DOUBLE_EQ(stage.GetTime(), 100);
    stage.AdvanceClock(100);
    EXPECT_DOUBLE_EQ(stage.GetTime(), 150);

    stage.PauseClock();
    EXPECT_TRUE(stage.IsClockPaused());
    stage.AdvanceClock(300);
    EXPECT_DOUBLE_EQ(stage.GetTime(), 300);  // the clock counts on while paused
    stage.ResumeClock();
    EXPECT_FALSE(stage.IsClockPaused());
    // The paused span is taken out, at any time scale.
    EXPECT_DOUBLE_EQ(stage.GetTime(), 150);
    stage.SetTimeScale(0.5);
    EXPECT_DOUBLE_EQ(stage.GetTime(), 150);
    stage.AdvanceClock(10);
    EXPECT_DOUBLE_EQ(stage.GetTime(), 170);

    EXPECT_THROW(stage.SetTimeScale(0), VParamException);
    EXPECT_THROW(stage.SetTimeScale(std::nan("")), VParamException);
    EXPECT_DOUBLE_EQ(stage.GetTime(), 170);
}

TEST(StageEvents, InputIsRaisedOnTheStage)
{
    auto stage = LoadedStage();
    EventLog log;
    std::vector<float> xs;
    log.Listen(*stage, "OnMouseMove", [&] { xs.push_back(stage->GetMouseX()); });
    log.Listen(*stage, "OnMouseDown");
    log.Listen(*stage, "OnMouseUp");
    log.Listen(*stage, "OnKeyDown", [&] { EXPECT_EQ(stage->GetKeyDownCode(), 83); });
    log.Listen(*stage, "OnKeyUp", [&] { EXPECT_EQ(stage->GetKeyUpValue(), 83); });
    log.Listen(*stage, "OnActivate", [&] { EXPECT_EQ(stage->GetActive(), 1); });
    using K = VHeadlessInput::Kind;
    stage->AddInput(VHeadlessInput::Mouse(300, K::MouseDown, 4, 5));
    stage->AddInput(VHeadlessInput::Mouse(100, K::MouseMove, 7, 8));
    stage->AddInput(VHeadlessInput::Mouse(300, K::MouseUp, 4, 5));
    stage->AddInput(VHeadlessInput::Key(400, K::KeyDown, 83));
    stage->AddInput(VHeadlessInput::Key(400, K::KeyUp, 83));
    stage->AddInput(VHeadlessInput::Key(500, K::Activate, 1));
    stage->AddInput(VHeadlessInput::Mouse(900, K::MouseMove, 9, 9));  // after the run
    stage->RunFor(600);
    EXPECT_EQ(log.names, (std::vector<std::string>{"OnMouseMove", "OnMouseDown", "OnMouseUp", "OnKeyDown",
                                                    "OnKeyUp", "OnActivate"}));
    EXPECT_EQ(xs, std::vector<float>{7});
    EXPECT_EQ(stage->GetMouseY(), 5);
}

TEST(StageEvents, SoundPlaysOnlyWhileEnabled)
{
    auto stage = LoadedStage();
    EXPECT_FALSE(stage->PlaySound("a.wav", 1));
    stage->SetSoundEnabled(true);
    EXPECT_TRUE(stage->PlaySound("b.wav", 1));
    ASSERT_EQ(stage->GetSoundRequests().size(), 1u);
    EXPECT_EQ(stage->GetSoundRequests()[0].fileName, "b.wav");
    EXPECT_EQ(stage->GetSoundRequests()[0].flags, 1u);
}

TEST(StageFailures, HandlersMayClearTheMessageAndMayFailThemselves)
{
    VHeadlessStage stage;
    EventLog clear;
    clear.Listen(stage, "OnException", [&] { stage.ClearPendingException(); });
    stage.HandleException("quiet");
    EXPECT_TRUE(stage.GetReportedExceptions().empty());

    VHeadlessStage other;
    EventLog fail;
    fail.Listen(other, "OnException", [] { throw VException("handler broke"); });
    other.HandleException("first");
    EXPECT_EQ(other.GetReportedExceptions(), (std::vector<std::string>{"first", "handler broke"}));
    EXPECT_EQ(other.GetPendingException(), nullptr);
}
