#pragma once

// The headless stage as the fuzz targets run it: a window of a few dozen pixels, a bounded
// number of loop cycles, and one frame in `paintEvery` composed. The loop repaints the whole
// window whenever a timer fired; at the usual 320 x 240 that copying, not the input, took
// nearly all of each run, and an input with a timer of a millisecond or less made the loop
// repaint hundreds of times. (Sorting the components by depth for every frame is the other
// large part.)
#include <algorithm>

#include "platform/headless/VHeadlessStage.h"

class FuzzStage : public VHeadlessStage {
public:
    FuzzStage(int width, int height, int maxCycles, int paintEvery = 1)
        : width_(width), height_(height), maxCycles_(maxCycles), paintEvery_(paintEvery)
    {
        SetScreenSize(width, height);
    }
    void CreateStageWindow() override
    {
        VRect& window = GetSetup().windowRect;
        window.width = std::min<float>(window.width, float(width_));
        window.height = std::min<float>(window.height, float(height_));
        VHeadlessStage::CreateStageWindow();
    }
    // Frames are composed as on screen but not kept: copying each out is the headless stage's
    // own business.
    void Present(VSurface&, float, float, const VRectList*) override {}
    bool PumpMessages(double waitMs) override
    {
        return ++cycles_ > maxCycles_ || VHeadlessStage::PumpMessages(waitMs);
    }
    void Repaint() override
    {
        if (++repaints_ % paintEvery_ == 0)
            VHeadlessStage::Repaint();
    }
    // Composes the frame whatever the count: the state an input leaves is always drawn.
    void PaintNow() { VHeadlessStage::Repaint(); }

private:
    int width_, height_, maxCycles_, paintEvery_;
    int cycles_ = 0;
    int repaints_ = 0;
};
