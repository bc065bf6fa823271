#include "engine/stream/VTimer.h"

#include "engine/stream/VException.h"
#include "engine/stream/VStageCore.h"
#include "engine/stream/VStreamReaders.h"

VTimer::VTimer(std::string name, VComponent* owner, double interval, bool enabled)
    : VComponent(std::move(name), owner), stage_(CurrentStage()), enabled_(enabled)
{
    // A timer without a stage would never tick and has no clock; say so instead.
    Assert(stage_ != nullptr, "VTimer " + GetName() + " needs a stage to run on.");
    SetInterval(interval);
    stage_->AddTimer(this);
}

VTimer::~VTimer()
{
    if (stage_)
        stage_->RemoveTimer(this);
}

double VTimer::Now() const
{
    return stage_ ? stage_->GetTime() : lastTick_;
}

bool VTimer::LoadPropFromStream(const std::string& name, std::istream& stream, int& consumed)
{
    if (SameText(name, "Interval")) {
        SetInterval(AsReal(LoadStringFromStream(stream, consumed)));
        return true;
    }
    if (SameText(name, "Enabled")) {
        SetEnabled(IsTrue(LoadStringFromStream(stream, consumed)));
        return true;
    }
    return false;
}

void VTimer::SetInterval(double ms)
{
    double now = Now();
    lastTick_ = now;
    previousTick_ = now;
    interval_ = ms;
    restarted_ = true;
    nextDue_ = now + interval_;
}

void VTimer::SetEnabled(bool on)
{
    enabled_ = on;
    if (on) {
        double now = Now();
        previousTick_ = now;
        lastTick_ = now;
        nextDue_ = now + interval_;
    }
}

void VTimer::OnTick()
{
    FireEvent("OnTimer", 0);
}

void VTimer::Tick()
{
    previousTick_ = lastTick_;
    lastTick_ = Now();
    restarted_ = false;
    OnTick();
    if (!restarted_)
        nextDue_ += interval_;
}

VTimer* NextTimer(const std::vector<VTimer*>& timers)
{
    VTimer* best = nullptr;
    for (VTimer* timer : timers) {
        if (timer->IsEnabled() && (!best || timer->GetNextDue() < best->GetNextDue()))
            best = timer;
    }
    return best;
}
