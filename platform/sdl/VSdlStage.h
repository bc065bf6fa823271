#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/stage/VStage.h"
#include "platform/sdl/VFrameRateMeter.h"
#include "platform/sdl/VIndexedConverter.h"
#include "platform/sdl/VSaverCommand.h"
#include "platform/sdl/VSdlSound.h"

struct SDL_Window;
class VForeignWindowWatch;
class VSdlPresenter;

// The stage in an SDL window on Linux: its own window (framed, frameless or full screen on
// the desktop's own mode), or a window that another program made (the screen saver's window,
// a preview host) which it draws into without mapping, grabbing or listening to it. Frames
// go through a 256-entry colour table into 32-bit pixels (VSdlPresenter shows them, scaled
// with nearest filtering).
class VSdlStage : public VStage {
public:
    using EngineFactory = std::function<VScreensaverEngine*(VSdlStage&)>;
    static constexpr int kPreviewWidth = 152;
    static constexpr int kPreviewHeight = 112;

    // Becomes the current stage.
    VSdlStage();
    ~VSdlStage() override;

    // --- set-up, before AddComponentStream ---
    void SetMainStream(std::string bytes);
    void SetScreensaverEngineFactory(EngineFactory factory) { engineFactory_ = std::move(factory); }
    // The size a full-screen show or one in a foreign window composes at, from the size of
    // its screen or window; the picture is scaled to fill it.
    void SetResolution(const VResolutionSetting& resolution) { resolution_ = resolution; }
    // Full screen on display `index` (SDL's numbering, the primary first) instead of the one
    // at the window's corner.
    void SetDisplay(int index) { display_ = index; }
    // Full screen over `area` of the desktop (the box around several displays) in one
    // borderless window.
    void SetSpan(const VIntRect& area) { span_ = area; }
    // A window that composes what the full-screen show of its display would, shown fitted in
    // it (the debug window).
    void SetComposeAsScreen(bool on) { composeAsScreen_ = on; }
    // Reports go to standard error and the report log; unless quiet (an unattended saver, where
    // no one may answer), a box also shows them and asks whether to go on.
    void SetQuietReports(bool quiet) { quietReports_ = quiet; }
    // SIGTERM, SIGINT and SIGHUP end the show at the next wait (at once while a report box
    // waits for an answer); SIGUSR1 raises the window.
    static void InstallSignalHandlers();

    // --- what the screen-saver host asks of the windowed stage ---
    // Present into the X window `window` at width x height (0 = the stage's own window).
    void SetTargetWindow(uint64_t window, int width, int height);
    // The window the stage's picture belongs in; the stage draws into it when it is also
    // the target. 0 = none.
    void SetParentWindow(uint64_t window) { parentWindow_ = window; }
    // Kept above other windows.
    void EnterSaverMode();
    void SetShowFrameRate(bool on);
    // Palette fade to a new picture: optionally the current frame to black, then the
    // recomposed frame up from black.
    void FadeTransition(bool fadeOut, bool fadeIn) override;
    // The size the host treats as the stage window's (the preview compares it with the
    // target to pick the 4:1 reduction).
    void SetWindowSize(int width, int height);
    // Brings the own window to the front.
    void RaiseWindow();
    // True while the key-down event of Escape is being handled.
    bool IsEscapeKeyDown() const { return escapeDown_; }
    bool HasWindowFailed() const { return windowFailed_; }
    // Starts SDL's video once (a failure is said once, and stays). Whatever asks SDL about the
    // displays before the window exists asks with this up: a connection opened and closed
    // just to ask would, with no other client, have the X server reset under the stage.
    bool InitVideo();
    bool IsForeign() const { return window_ != nullptr && foreign_; }

    // --- the platform operations ---
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

protected:
    bool PlayPlatformSound(const std::string& fileName, uint32_t flags) override;

private:
    void CreateOwnWindow();
    bool CreateForeignWindow(uint64_t id);
    void Dispatch(const void* event);
    // The file descriptor of the X display's connection; -1 where there is none.
    int DisplayConnection();
    // True when the display may have input for SDL to pump.
    bool InputWaiting();
    bool TargetGone();
    // Converts (or reduces) the frame to width x height 32-bit pixels and shows what
    // changed of them (`rects`, in the frame's pixels; null: all).
    void Show(int width, int height, bool reduced, VDib& dib, const VRectList* rects, bool readout);
    std::string ReadoutText(const VDib& dib) const;

    std::string mainStream_;
    bool hasMainStream_ = false;
    EngineFactory engineFactory_;
    VResolutionSetting resolution_;
    int display_ = -1;
    VIntRect span_;
    bool composeAsScreen_ = false;
    bool quietReports_ = false;
    int connection_ = -2;  // not looked up yet
    void* xDisplay_ = nullptr;
    double lastPump_ = 0;
    bool wholeFrames_ = false;

    SDL_Window* window_ = nullptr;
    std::unique_ptr<VSdlPresenter> presenter_;
    bool foreign_ = false;
    bool videoStarted_ = false;
    bool videoFailed_ = false;
    bool windowFailed_ = false;
    std::unique_ptr<VForeignWindowWatch> watch_;

    uint64_t targetWindow_ = 0;
    float targetWidth_ = -99999.0f;
    float targetHeight_ = -99999.0f;
    uint64_t parentWindow_ = 0;
    int windowWidth_ = 0;
    int windowHeight_ = 0;
    bool topmost_ = false;
    bool showFrameRate_ = false;
    bool quitPosted_ = false;
    bool escapeDown_ = false;
    bool cursorShown_ = true;
    VFrameRateMeter meter_;
    VIndexedConverter converter_;
    std::vector<uint32_t> reduced_;
    VSdlSound sound_;
};
