// The run loop and the repaint pass.
#include <algorithm>
#include <cmath>
#include <exception>

#include "engine/pixies/VPixie.h"
#include "engine/stage/VStage.h"
#include "engine/stream/VException.h"
#include "engine/stream/VTimer.h"

namespace {

// No enabled timer: the next due time is as good as never.
constexpr double kNever = 1e38;
constexpr double kMaxWait = 50.0;

// Depth for sorting; a depth that is not a number sorts as the nearest, so the order stays a
// strict weak order whatever a stream put into "ZPos".
float SortDepth(const VPixie* pixie)
{
    float z = pixie->GetZPos();
    return std::isnan(z) ? -INFINITY : z;
}

}  // namespace

void VStage::Run()
{
    if (!BeginRun())
        return;
    while (RunCycle()) {
    }
}

bool VStage::BeginRun()
{
    CalibrateRefresh();
    SetFrameRate(3);
    Start();
    return !quitRequested_;
}

bool VStage::RunCycle()
{
    double wait = 0;
    try {
        wait = TickDueTimers();
    } catch (...) {
        HandleCurrentException();
    }
    // Messages are pumped after a failed cycle too: a failure that repeats every cycle
    // must not keep input and the request to quit from getting through.
    bool quit = false;
    try {
        quit = PumpMessages(wait);
    } catch (...) {
        HandleCurrentException();
    }
    return !quit && !quitRequested_;
}

double VStage::TickDueTimers()
{
    double t0 = GetTime();
    double deadline = t0 + frameSlice_;
    bool fired = false;
    double due = kNever;
    for (;;) {
        VTimer* timer = NextTimer(GetTimers());
        due = timer ? timer->GetNextDue() : kNever;
        if (timer && std::isnan(due)) {
            // Such a timer would be picked first forever and block every other one.
            timer->SetEnabled(false);
            throw VException("VTimer " + timer->GetName() +
                             " has no valid due time and was stopped.");
        }
        if (!(due < GetTime())) {
            if (fired)
                Repaint();
            break;
        }
        fired = true;
        TickTimer(timer, due);
        if (!(GetTime() < deadline)) {
            Repaint();
            break;
        }
    }
    double wait = due - GetTime();
    if (!(wait > 0))
        wait = 0;
    if (wait >= kMaxWait)
        wait = kMaxWait;
    return wait;
}

void VStage::TickTimer(VTimer* timer, double due)
{
    try {
        timer->Tick();
    } catch (...) {
        // The tick did not get to advance the schedule; without this the same timer would
        // fail again at once, cycle after cycle. It tries again one interval from now.
        if (IsRegistered(timer) && timer->IsEnabled() && !(timer->GetNextDue() > due))
            timer->SetInterval(timer->GetInterval());
        if (IsRegistered(timer) && timer->IsEnabled() && !(timer->GetNextDue() > due))
            timer->SetEnabled(false);
        throw;
    }
    // A timer whose tick leaves it due no later than before (an interval of 0 or less) would
    // be ticked without end and starve every other timer.
    if (IsRegistered(timer) && timer->IsEnabled() && !(timer->GetNextDue() > due)) {
        timer->SetEnabled(false);
        throw VException("VTimer " + timer->GetName() + " has an interval of " +
                         std::to_string(timer->GetInterval()) +
                         " ms, which never moves it on; it was stopped.");
    }
}

bool VStage::IsRegistered(const VTimer* timer) const
{
    const auto& timers = GetTimers();
    return std::find(timers.begin(), timers.end(), timer) != timers.end();
}

void VStage::Repaint()
{
    if (!background_ || !frameBuffer_)
        return;
    auto& children = GetChildren();
    // Deepest first, pixies before everything else. Pixies of equal depth keep their list
    // order, so a run is repeatable.
    std::stable_sort(children.begin(), children.end(), [](VComponent* a, VComponent* b) {
        auto* pa = dynamic_cast<VPixie*>(a);
        auto* pb = dynamic_cast<VPixie*>(b);
        if (!pa || !pb)
            return pa && !pb;
        return SortDepth(pa) > SortDepth(pb);
    });
    float w = background_->GetWidth();
    float h = background_->GetHeight();
    frameBuffer_->Draw(*background_, 0, 0, w, h, 0, 0, w, h, false, false);
    // Drawing may not change the list (a pixie made while painting); walk a snapshot.
    std::vector<VComponent*> order = children;
    // One pixie that cannot paint must not cost the others their frame: the first failure
    // is passed on after the frame is shown.
    std::exception_ptr failure;
    for (VComponent* component : order) {
        auto* pixie = dynamic_cast<VPixie*>(component);
        if (!pixie || !pixie->IsVisible())
            continue;
        try {
            pixie->Draw(*frameBuffer_, pixie->GetXPos(), pixie->GetYPos(), nullptr);
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    }
    if (!presentHeld_)
        Present(*frameBuffer_, 0, 0, nullptr);
    if (failure)
        std::rethrow_exception(failure);
}
