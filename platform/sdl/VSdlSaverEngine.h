#pragma once

#include <memory>
#include <string>
#include <sys/types.h>

#include "platform/sdl/VInstanceLock.h"
#include "platform/sdl/VSaverCommand.h"
#include "saver/VScreensaverEngine.h"

class VSdlStage;

// The screen-saver host on Linux: the mode comes from the command line, the single-instance
// rule from lock files per user and display, and the preview and the screen saver's own windows are drawn
// into without being taken over. There is no password here: the desktop's locker asks for it.
class VSdlSaverEngine : public VScreensaverEngine {
public:
    // `lockDirectory` holds the instance locks (VInstanceLock::DefaultDirectory()); `display`
    // is the display the instance runs on (VInstanceLock::DisplayKey), one saver per display.
    VSdlSaverEngine(VSdlStage& stage, VSaverCommand command, std::string lockDirectory,
                    std::string display);
    // The screen's root window, drawn into without a screen saver that owns it, gets its own
    // background back.
    ~VSdlSaverEngine() override;

    bool CanEnd() override;
    VFloatPoint GetConfigurePosition() override { return {100.0f, 100.0f}; }
    bool IsConfigure() override { return command_.mode == VSaverMode::Configure; }
    float GetMouseTolerance() override { return 5.0f; }
    void Attach(VStage& stage) override;
    // Also true for the plain window and for drawing into a foreign window: mouse movement
    // ends neither.
    bool IsDebug() override;
    void AdjustSetup(VStageSetup& setup) override;
    void PrepareShow() override;
    void RestoreInputMethod() override {}

    bool IsPreview() const { return command_.mode == VSaverMode::Preview; }
    VSaverMode GetMode() const { return command_.mode; }

    static constexpr int kWindowWidth = 800;
    static constexpr int kWindowHeight = 600;

private:
    void ApplySingleInstanceRule();
    // Says on stderr why this instance does not start (`holder` runs already), and stops.
    void Decline(const char* what, pid_t holder);
    void PlayPreviewIntro();

    VSdlStage& stage_;
    VSaverCommand command_;
    std::string display_;
    VInstanceLock runLock_;
    VInstanceLock previewLock_;
    bool attachedRoot_ = false;
};
