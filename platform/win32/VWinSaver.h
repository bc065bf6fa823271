#pragma once

#include <windows.h>

#include <memory>

#include "platform/win32/VSaverOptions.h"
#include "saver/VScreensaverEngine.h"

class VDibStage;
class VWinMonitorShows;

// The Windows host of the screen saver: the mode from the command line, the password change
// ("/a") and check, parenting into the preview window, the single-instance rule by window
// titles, the input method switched off, and the preview's two-picture intro.
class VWinSaver : public VScreensaverEngine {
public:
    // Reads the command line; with "/a" runs the password change and stops the stage.
    explicit VWinSaver(VDibStage& stage);
    // The same with a given command line (the program's path first).
    VWinSaver(VDibStage& stage, const std::string& commandLine);
    ~VWinSaver() override;

    bool CanEnd() override;
    VFloatPoint GetConfigurePosition() override { return {100.0f, 100.0f}; }
    bool IsConfigure() override { return options_.IsConfigure(); }
    float GetMouseTolerance() override { return 5.0f; }
    void Attach(VStage& stage) override;
    bool IsDebug() override { return options_.IsDebug(); }
    void AdjustSetup(VStageSetup& setup) override;
    void PrepareShow() override;
    void RestoreInputMethod() override;

    bool IsPreview() const { return options_.IsPreview(); }
    const VSaverOptions& GetOptions() const { return options_; }
    HWND GetHostWindow() const { return host_; }

private:
    void LoadVerifier();
    void ChangePassword();
    void PlayPreviewIntro();
    // Where the run mode shows: the primary monitor, the virtual screen, or every monitor,
    // the others in further processes.
    void PlaceOnMonitors();

    using Verifier = BOOL(WINAPI*)(HWND);

    VDibStage& stage_;
    HMODULE verifierLibrary_ = nullptr;
    Verifier verifier_ = nullptr;
    bool oldPlatform_ = false;
    HWND host_ = nullptr;
    VSaverOptions options_;
    std::unique_ptr<VWinMonitorShows> otherMonitors_;
};
