#pragma once

// The smoothed frames-per-second read-out. The first frame after switching it on only
// stamps the time, so a stale gap never enters the average.
class VFrameRateMeter {
public:
    // Starts over: the next frame only stamps its time.
    void Reset() { last_ = 0; }
    // A frame shown at `now` (stage ms); true when the read-out is to be drawn.
    bool Frame(double now);
    double GetRate() const { return rate_; }

private:
    double last_ = 0;
    double rate_ = 10.0;
};
