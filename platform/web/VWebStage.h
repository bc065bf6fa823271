#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/graphics/VDibFormat.h"
#include "engine/stage/VStage.h"
#include "platform/web/VRgbaFrame.h"
#include "platform/web/VWebSound.h"

// The stage in a web page: composed at a size the page chooses and shown in its canvas, the
// clock from performance.now(), and no loop of its own: the page calls Frame once per display
// frame (requestAnimationFrame), which runs one cycle of the stage's run loop. Fades run a
// step per frame instead of blocking.
class VWebStage : public VStage {
public:
    // Becomes the current stage.
    VWebStage();
    ~VWebStage() override;

    // --- set-up, before AddComponentStream ---
    // The main stream: a file of the page's file system.
    void SetMainStreamFile(std::string path) { mainStreamFile_ = std::move(path); }
    void SetStageSize(int width, int height);
    // Plays the show as the recorder does, on a virtual clock where waiting is where time
    // passes and without fades, and holds it at `showMs` of show time: the page then shows
    // the very frame that `zibolt --record` draws at that time.
    void HoldAt(double showMs) { holdAt_ = showMs; }

    // --- what the page drives ---
    // One display frame: a step of a running fade, else a cycle of the run loop (on the
    // virtual clock, as many as fit in the frame until the hold). False once the show ended.
    bool Frame();
    bool IsHeld() const { return held_; }
    // The show's clock stands still while the page is hidden (the browser then stops calling
    // Frame), so that it does not race to catch up when the page is shown again.
    void SetPageVisible(bool visible);

    // --- the platform operations ---
    double GetPlatformTime() override;
    void Start() override;
    std::unique_ptr<VSurface> CreateSurface(int width, int height) override;
    VScreensaverEngine* CreateScreensaverEngine() override;
    std::unique_ptr<std::istream> LoadResourceStream() override;
    bool PumpMessages(double waitMs) override;
    void CalibrateRefresh() override;
    double WaitForRetrace() override;
    void Present(VSurface& surface, float x, float y, const VRectList* rects) override;
    VRect GetWindowBounds() override { return bounds_; }
    std::string GetProgramName() override { return "Zibolt"; }
    // The data folder, "data" beside the program, is the page's /data.
    std::string GetProgramDirectory() override { return "/"; }
    bool RequestQuit() override;
    void CreateStageWindow() override;
    void ShowCursor(bool show) override;
    void ReportException(const std::string& message) override;
    // The current picture fades to black and the recomposed one up from black, one step per
    // display frame, with the show's clock paused meanwhile.
    void FadeTransition(bool fadeOut, bool fadeIn) override;

protected:
    bool PlayPlatformSound(const std::string& fileName, uint32_t flags) override;

private:
    struct Fade {
        // Out: the old picture darkens; Turn: the new one is composed; In: it lightens.
        enum class Phase { Out, Turn, In } phase = Phase::Out;
        bool fadeIn = false;
        int step = 0;
        double phaseStart = 0;
        VPaletteEntry saved[kPaletteSize];
        VPaletteEntry shown[kPaletteSize];
        // The picture fading out, as it was when the transition began.
        std::vector<uint8_t> oldBits;
    };
    void FadeStep();
    void EndFade();
    void ShowPixels(const uint8_t* bits, const VDib& dib, const VPaletteEntry* palette);

    std::string mainStreamFile_;
    int width_ = 1280;
    int height_ = 720;
    VRect bounds_;
    bool started_ = false;
    bool ended_ = false;
    bool quit_ = false;
    bool pausedWhileHidden_ = false;

    std::optional<double> holdAt_;
    double virtualTime_ = 0;
    bool holdReached_ = false;
    bool held_ = false;
    bool presentPending_ = false;

    std::unique_ptr<Fade> fade_;
    VRgbaFrame rgba_;
    VWebSound sound_;
};
