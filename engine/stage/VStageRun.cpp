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
            repaintOwed_ = repaintOwed_ || fired;
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
    if (repaintOwed_) {
        // No more frames than the display shows: a timer that steps every millisecond still
        // gets a frame per refresh, with all its steps in it. A host that calls once per
        // display frame (a browser) calls a little early or late, so a quarter of a refresh
        // early still counts as on time. A repaint further ahead than a refresh and a quarter
        // means the clock went back.
        const double ahead = nextRepaint_ - GetPlatformTime();
        if (!(ahead > refreshPeriod_ / 4 && ahead <= refreshPeriod_ * 5 / 4))
            Repaint();
        else
            wait = std::min(wait, ahead);
    }
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
    repaintOwed_ = false;
    // The next frame is due a refresh after this one was, so that frames a little early keep
    // to the display's rate; a late frame or the repaints of a fade move it on (it stays within
    // a quarter of a refresh of one refresh from now).
    const double now = GetPlatformTime();
    nextRepaint_ = std::clamp(nextRepaint_ + refreshPeriod_, now + refreshPeriod_ * 3 / 4,
                              now + refreshPeriod_ * 5 / 4);
    if (!background_ || !frameBuffer_)
        return;
    auto& children = GetChildren();
    // Deepest first, pixies before everything else. Pixies of equal depth keep their list
    // order, so a run is repeatable. Each component's kind and depth are looked up once, not
    // in every comparison.
    struct Entry {
        VComponent* component;
        VPixie* pixie;
        float depth;
    };
    std::vector<Entry> order;
    order.reserve(children.size());
    for (VComponent* c : children) {
        auto* pixie = dynamic_cast<VPixie*>(c);
        order.push_back({c, pixie, pixie ? SortDepth(pixie) : 0.0f});
    }
    std::stable_sort(order.begin(), order.end(), [](const Entry& a, const Entry& b) {
        if (!a.pixie || !b.pixie)
            return a.pixie && !b.pixie;
        return a.depth > b.depth;
    });
    for (std::size_t i = 0; i < order.size(); ++i)
        children[i] = order[i].component;
    float w = background_->GetWidth();
    float h = background_->GetHeight();
    frameBuffer_->Draw(*background_, 0, 0, w, h, 0, 0, w, h, false, false);
    // Drawing may not change the list (a pixie made while painting): this walks a snapshot.
    // One pixie that cannot paint must not cost the others their frame: the first failure
    // is passed on after the frame is shown.
    std::exception_ptr failure;
    for (const Entry& entry : order) {
        if (!entry.pixie || !entry.pixie->IsVisible())
            continue;
        try {
            entry.pixie->Draw(*frameBuffer_, entry.pixie->GetXPos(), entry.pixie->GetYPos(), nullptr);
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    }
    // What was marked, and what the pixels say changed, is all the backend need show again.
    if (const VDib* frame = frameBuffer_->GetDib())
        changes_.Collect(*frame, invalid_);
    else
        InvalidRect(frameBuffer_->GetRect());
    std::vector<VRect> changed(invalid_.Size());
    for (std::size_t i = 0; i < changed.size(); ++i)
        changed[i] = invalid_[i];
    invalid_.Clear();
    VRectList list;
    for (VRect& r : changed)
        list.push_back(&r);
    if (!presentHeld_)
        Present(*frameBuffer_, 0, 0, &list);
    if (failure)
        std::rethrow_exception(failure);
}
