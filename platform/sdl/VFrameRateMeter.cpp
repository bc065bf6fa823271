#include "platform/sdl/VFrameRateMeter.h"

bool VFrameRateMeter::Frame(double now)
{
    const bool draw = last_ != 0;
    if (draw) {
        double dt = now - last_;
        if (dt == 0)
            dt = 5;
        rate_ = rate_ * 0.95 + (1000.0 / dt) * 0.05;
    }
    last_ = now;
    return draw;
}
