#pragma once

class VPixie;

// One step of a sequence: something done to a pixie when the step begins and when it ends.
class VPixieModifier {
public:
    explicit VPixieModifier(double time) : time_(time) {}
    virtual ~VPixieModifier() = default;

    virtual void BeginStep(VPixie* pixie) = 0;
    virtual void EndStep(VPixie* pixie) = 0;

    // How long the step lasts, in milliseconds.
    double GetTime() const { return time_; }
    void SetTime(double ms) { time_ = ms; }

private:
    double time_;
};
