#include "platform/win32/VFrameRateSmoother.h"

bool VFrameRateSmoother::Present(double now)
{
    bool moved = false;
    if (lastPresent_ != 0.0) {
        double dt = now - lastPresent_;
        // Two presents in the same millisecond would divide by zero.
        if (dt == 0.0)
            dt = 5.0;
        rate_ = rate_ * 0.95 + (1000.0 / dt) * 0.05;
        moved = true;
    }
    lastPresent_ = now;
    return moved;
}
