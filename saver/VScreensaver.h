#pragma once

#include <memory>
#include <string>

#include "engine/stream/VBehaviour.h"
#include "saver/VScreensaverEngine.h"

class VStage;
class VStageSetup;

// "Screensaver": the behaviour that ends the saver on user input (through the engine's
// password check) and lets the engine adjust the stage to the mode it runs in. It appends
// itself to the stage's children so that the key bindings can find it by name.
class VScreensaver : public VBehaviour {
public:
    static constexpr float kNoPosition = -99999.0f;

    explicit VScreensaver(VStage& stage);
    ~VScreensaver() override;

    std::string GetClassName() const override { return "VScreensaver"; }
    bool HandleEvent(const std::string& eventName, VComponent* sender) override;
    // Listens to the stage's events for the mode, then attaches the engine.
    void SetValues(VComponent* subject, const std::string& name) override;

    virtual void AdjustStageSetup(VStageSetup& setup);
    virtual void StartedRunning(VStage& stage);
    virtual void RestoreInputMethod();
    virtual void MouseMoved(float x, float y);
    virtual void KeyPressed(VStage& stage, int keyCode, int keyValue);

    // Stops the stage when the engine allows it; a refusal re-arms the mouse check.
    void EndSaver(VStage& stage);

    VScreensaverEngine& GetEngine() const { return *engine_; }
    bool IsEnding() const { return ending_; }
    float GetLastMouseX() const { return lastMouseX_; }
    float GetLastMouseY() const { return lastMouseY_; }
    bool GetKeysEnd() const { return keysEnd_; }
    void SetKeysEnd(bool on) { keysEnd_ = on; }
    bool GetMouseMovementEnds() const { return mouseMovementEnds_; }
    void SetMouseMovementEnds(bool on) { mouseMovementEnds_ = on; }
    bool GetMouseButtonEnds() const { return mouseButtonEnds_; }
    void SetMouseButtonEnds(bool on) { mouseButtonEnds_ = on; }

private:
    std::unique_ptr<VScreensaverEngine> engine_;
    float lastMouseX_ = kNoPosition;
    float lastMouseY_ = kNoPosition;
    bool ending_ = false;
    bool keysEnd_ = true;
    bool mouseMovementEnds_ = true;
    bool mouseButtonEnds_ = true;
};
