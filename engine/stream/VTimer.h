#pragma once

#include <string>
#include <vector>

#include "engine/stream/VComponent.h"

class VStageCore;

// Ticks at a fixed interval on the stage clock while enabled; the stage's run loop drives it.
class VTimer : public VComponent {
public:
    VTimer(std::string name, VComponent* owner, double interval, bool enabled);
    ~VTimer() override;

    bool LoadPropFromStream(const std::string& name, std::istream& stream, int& consumed) override;
    std::string GetClassName() const override { return "VTimer"; }

    virtual void SetEnabled(bool on);
    // The timer's action; raises "OnTimer" unless a subclass does other work.
    virtual void OnTick();

    void SetInterval(double ms);
    void Tick();

    bool IsEnabled() const { return enabled_; }
    double GetInterval() const { return interval_; }
    double GetLastTick() const { return lastTick_; }
    double GetPreviousTick() const { return previousTick_; }
    double GetNextDue() const { return nextDue_; }

    // Called by a stage that goes away before its timers.
    void DetachFromStage() { stage_ = nullptr; }

protected:
    double Now() const;

private:
    VStageCore* stage_;
    double lastTick_ = 0.0;
    double interval_ = 0.0;
    double previousTick_ = 0.0;
    double nextDue_ = 0.0;
    bool enabled_;
    bool restarted_ = false;
};

// The enabled timer due first; the earlier registered wins a tie; null when none is enabled.
VTimer* NextTimer(const std::vector<VTimer*>& timers);
