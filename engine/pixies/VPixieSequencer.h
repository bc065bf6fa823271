#pragma once

#include <cstddef>
#include <istream>
#include <memory>
#include <string>
#include <vector>

#include "engine/pixies/VPixieModifier.h"
#include "engine/stream/VTimer.h"

class VPixie;

// A named sequence of steps played on a pixie: a timer that runs one step per interval.
class VPixieSequencer : public VTimer {
public:
    // Disabled, 50 ms, registered with the current stage like every timer.
    VPixieSequencer(std::string name, VComponent* owner);

    // Reads the steps (their count, then each step), not a property block.
    bool LoadFromStream(std::istream& stream, int& consumed) override;
    // One step ends and the next begins; raises no "OnTimer".
    void OnTick() override;

    // Plays `count` passes on `pixie`: n > 0 plays n, 0 plays one, a negative count repeats
    // until the timer is disabled.
    virtual void Play(VPixie* pixie, int32_t count);

    int32_t GetPassesLeft() const { return passesLeft_; }
    VPixie* GetPixie() const { return pixie_; }
    std::size_t GetCurrentStep() const { return current_; }
    const std::vector<std::unique_ptr<VPixieModifier>>& GetSteps() const { return steps_; }
    void AddStep(std::unique_ptr<VPixieModifier> step) { steps_.push_back(std::move(step)); }
    // Forgets the pixie when it goes away while this sequence is still bound to it.
    void ReleasePixie(const VPixie* pixie);

private:
    int32_t passesLeft_ = 0;
    std::size_t current_ = 0;
    std::vector<std::unique_ptr<VPixieModifier>> steps_;
    VPixie* pixie_ = nullptr;
    // Counts Play calls, so a pass end can tell that a handler started this sequence anew.
    unsigned plays_ = 0;
};
