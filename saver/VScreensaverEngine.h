#pragma once

class VStage;
class VStageSetup;

// A position in stage pixels as two floats.
struct VFloatPoint {
    float x = 0.0f;
    float y = 0.0f;
    bool operator==(const VFloatPoint& other) const = default;
};

// What the screen-saver behaviour asks of its host: the mode it runs in and what the host
// allows. One implementation per platform; the stage makes it (CreateScreensaverEngine) and
// the behaviour owns it, hence the virtual destructor.
class VScreensaverEngine {
public:
    virtual ~VScreensaverEngine() = default;

    // The password check before the saver may end.
    virtual bool CanEnd() = 0;
    virtual VFloatPoint GetConfigurePosition() = 0;
    virtual bool IsConfigure() = 0;
    // Mouse travel, in pixels, that a single move may make without ending the saver.
    virtual float GetMouseTolerance() = 0;
    // Applies the mode to the stage window; called once, before the window exists.
    virtual void Attach(VStage& stage) = 0;
    virtual bool IsDebug() = 0;
    // Preview size, single-instance rule, window caption.
    virtual void AdjustSetup(VStageSetup& setup) = 0;
    // Input method off and, in the preview, the short intro.
    virtual void PrepareShow() = 0;
    virtual void RestoreInputMethod() = 0;
};
