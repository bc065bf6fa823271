#pragma once

#include "saver/VScreensaverEngine.h"

// The screen-saver host of the web page. A page is watched, not guarded: mouse and keys never
// end the show (the debug mode's rules: keypad plus and minus change its speed), there is no
// password, and the stage composes at the size the page asked for.
class VWebSaverEngine : public VScreensaverEngine {
public:
    VWebSaverEngine(int width, int height) : width_(width), height_(height) {}

    // A page has nothing to end to.
    bool CanEnd() override { return false; }
    VFloatPoint GetConfigurePosition() override { return {0.0f, 0.0f}; }
    bool IsConfigure() override { return false; }
    float GetMouseTolerance() override { return 5.0f; }
    void Attach(VStage& stage) override {}
    bool IsDebug() override { return true; }
    void AdjustSetup(VStageSetup& setup) override;
    void PrepareShow() override {}
    void RestoreInputMethod() override {}

private:
    int width_;
    int height_;
};
