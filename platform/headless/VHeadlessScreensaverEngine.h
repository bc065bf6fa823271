#pragma once

#include <string>

#include "saver/VScreensaverEngine.h"

// The screen-saver engine of the stage without a window: the mode, the password check's
// answer and the mouse tolerance are whatever the caller sets, and it counts what the
// behaviour asked of it. Preview composes at 608 x 448 like the real preview; the window
// caption follows the run and preview titles.
class VHeadlessScreensaverEngine : public VScreensaverEngine {
public:
    enum class Mode { Run, Preview, Configure, Debug };

    explicit VHeadlessScreensaverEngine(Mode mode = Mode::Run) : mode_(mode) {}

    bool CanEnd() override;
    VFloatPoint GetConfigurePosition() override { return {100.0f, 100.0f}; }
    bool IsConfigure() override { return mode_ == Mode::Configure; }
    float GetMouseTolerance() override { return tolerance_; }
    void Attach(VStage& stage) override;
    bool IsDebug() override { return mode_ == Mode::Debug; }
    void AdjustSetup(VStageSetup& setup) override;
    void PrepareShow() override { ++prepareCount_; }
    void RestoreInputMethod() override { ++restoreCount_; }

    // --- what tests set ---
    void SetMode(Mode mode) { mode_ = mode; }
    Mode GetMode() const { return mode_; }
    // The password check's answer from now on.
    void SetCanEnd(bool answer) { canEnd_ = answer; }
    void SetMouseTolerance(float pixels) { tolerance_ = pixels; }

    // --- what tests read ---
    int GetCanEndCount() const { return canEndCount_; }
    int GetAttachCount() const { return attachCount_; }
    int GetAdjustCount() const { return adjustCount_; }
    int GetPrepareCount() const { return prepareCount_; }
    int GetRestoreCount() const { return restoreCount_; }
    VStage* GetStage() const { return stage_; }

private:
    Mode mode_;
    bool canEnd_ = true;
    float tolerance_ = 5.0f;
    VStage* stage_ = nullptr;
    int canEndCount_ = 0;
    int attachCount_ = 0;
    int adjustCount_ = 0;
    int prepareCount_ = 0;
    int restoreCount_ = 0;
};
