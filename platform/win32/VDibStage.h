#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "engine/stage/VStage.h"
#include "platform/win32/VFrameRateSmoother.h"
#include "saver/VStageSize.h"

// The private message that window creation posts to itself; its dispatch starts Run.
constexpr UINT kRunMessage = WM_USER + 42;
constexpr const char* kStageWindowClass = "ValdrimorWindowClass";

// The Windows stage: the main stream from the program's resource, the stage window (framed,
// frameless, full screen or a child of another window), the message queue while the run loop
// waits, presentation with StretchDIBits (and the 4:1 preview path), palette fades and the
// exception box.
class VDibStage : public VStage {
public:
    // Becomes the current stage.
    explicit VDibStage(HINSTANCE module);
    ~VDibStage() override;

    double GetPlatformTime() override;
    std::unique_ptr<VSurface> CreateSurface(int width, int height) override;
    VScreensaverEngine* CreateScreensaverEngine() override;
    std::unique_ptr<std::istream> LoadResourceStream() override;
    bool PumpMessages(double waitMs) override;
    void CalibrateRefresh() override;
    double WaitForRetrace() override;
    void Present(VSurface& surface, float x, float y, const VRectList* rects) override;
    void SetCaption(const std::string& text) override;
    VRect GetWindowBounds() override;
    std::string GetProgramName() override;
    std::string GetProgramDirectory() override;
    bool RequestQuit() override;
    void CreateStageWindow() override;
    void ShowCursor(bool show) override;
    void ReportException(const std::string& message) override;
    virtual void WaitForRetraceEnd();
    // Shows the current background: the old picture fades to black first when `fadeOut`, the
    // new one comes up from black when `fadeIn`.
    void FadeTransition(bool fadeOut, bool fadeIn) override;

    // --- for the screen-saver host ---
    // Present into `window` at (width, height); -99999 means the frame buffer's own extent.
    void SetTargetWindow(HWND window, float width, float height);
    void SetShowFrameRate(bool show);
    void SetParentWindow(HWND window);
    // Topmost, and the platform told that a screen saver runs.
    void EnterSaverMode();
    // Full screen over `area` of the virtual screen (a monitor, or the box around all of
    // them) instead of the primary monitor.
    void SetScreenArea(const VIntRect& area) { screenArea_ = area; }
    // The size a full-screen show composes at, from the size of its screen area; the picture
    // is scaled to fill the area.
    void SetResolution(const VResolutionSetting& resolution) { resolution_ = resolution; }
    // A window that composes what the full-screen show would, shown fitted in it.
    void SetComposeAsScreen(bool on) { composeAsScreen_ = on; }
    // Reports go to standard error and the report log; unless quiet (an unattended saver,
    // where no one may answer), the "Valdrimor Exception" box also shows them.
    void SetQuietReports(bool quiet) { quietReports_ = quiet; }

    HWND GetWindow() const { return window_; }
    HWND GetTargetWindow() const { return target_; }
    HWND GetParentWindow() const { return parent_; }
    bool IsSaverRunningSet() const { return saverRunningSet_; }
    HINSTANCE GetModule() const { return module_; }

    // The window procedure of the stage window class; works on the current stage.
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    bool PlayPlatformSound(const std::string& fileName, uint32_t flags) override;

private:
    void PresentPreview(VDib& dib);
    // Draws the read-out into the bitmap; the part of it drawn over, empty when none.
    VRect DrawFrameRate(VDib& dib);
    // The size the show is shown at in the target window.
    VResolution TargetArea();
    std::string ModuleFileName() const;

    HINSTANCE module_;
    HWND window_ = nullptr;
    HWND target_ = nullptr;
    float targetWidth_ = -99999.0f;
    float targetHeight_ = -99999.0f;
    bool runningOnNT_ = true;
    bool showFrameRate_ = false;
    bool topmost_ = false;
    VFrameRateSmoother frameRate_;
    bool saverRunningSet_ = false;
    HWND parent_ = nullptr;
    VIntRect screenArea_;
    VResolutionSetting resolution_;
    bool composeAsScreen_ = false;
    bool quietReports_ = false;
};
