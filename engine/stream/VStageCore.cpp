#include "engine/stream/VStageCore.h"

#include <algorithm>

#include "engine/stream/VTimer.h"

namespace {

VStageCore*& CurrentStageSlot()
{
    static VStageCore* stage = nullptr;
    return stage;
}

}  // namespace

VStageCore* CurrentStage()
{
    return CurrentStageSlot();
}

void SetCurrentStage(VStageCore* stage)
{
    CurrentStageSlot() = stage;
}

VStageCore::~VStageCore()
{
    // Timers that outlive the stage must not reach back into it.
    for (VTimer* timer : timers_)
        timer->DetachFromStage();
    timers_.clear();
    if (CurrentStage() == this)
        SetCurrentStage(nullptr);
}

void VStageCore::RemoveTimer(VTimer* timer)
{
    auto it = std::find(timers_.begin(), timers_.end(), timer);
    if (it != timers_.end())
        timers_.erase(it);
}
