#pragma once

#include <string>
#include <vector>

#include "engine/stream/VComponentManager.h"

class VTimer;

// The least of the stage that components need: its clock, its timer list and name lookups.
// The stage proper derives from it.
class VStageCore : public VComponentManager {
public:
    explicit VStageCore(VComponent* owner = nullptr) : VComponentManager("Stage", owner) {}
    ~VStageCore() override;

    // Milliseconds on the stage clock.
    virtual double GetTime() = 0;
    // A failure the engine goes on after (a pixie that cannot be painted, a track that is
    // skipped): the stage raises and reports it. A bare core has nobody to tell.
    virtual void HandleException(const std::string& message) {}

    void AddTimer(VTimer* timer) { timers_.push_back(timer); }
    // A timer that goes away takes itself out, so no dangling timer is ever ticked.
    void RemoveTimer(VTimer* timer);
    const std::vector<VTimer*>& GetTimers() const { return timers_; }

private:
    std::vector<VTimer*> timers_;
};

// The stage that is being built or run; null when there is none.
VStageCore* CurrentStage();
void SetCurrentStage(VStageCore* stage);
