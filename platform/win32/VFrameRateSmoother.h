#pragma once

// The frame-rate read-out: a rate smoothed over presents, 95 % old and 5 % new.
class VFrameRateSmoother {
public:
    // Notes a present at stage time `now`; true when the rate moved (not on the first present
    // after a reset, which only remembers the time).
    bool Present(double now);
    void Reset() { lastPresent_ = 0.0; }
    double GetRate() const { return rate_; }

private:
    double lastPresent_ = 0.0;
    double rate_ = 10.0;
};
