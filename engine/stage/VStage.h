#pragma once

#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <string>

#include "engine/graphics/VRect.h"
#include "engine/graphics/VSurface.h"
#include "engine/pixies/VPixieHost.h"
#include "engine/stage/VFrameChanges.h"
#include "engine/stage/VInvalidList.h"
#include "engine/stage/VStageSetup.h"

class VScreensaverEngine;

// The root of the component tree and the engine's runtime: clock, timers, run loop, repaint
// by depth, dirty rectangles and input events. Everything that touches a window, a message
// queue, the platform clock, sound or resources is left to a concrete stage.
class VStage : public VPixieHost {
public:
    VStage();
    ~VStage() override;

    std::string GetClassName() const override { return "VStage"; }
    bool LoadPropFromStream(const std::string& name, std::istream& stream, int& consumed) override;
    // Reads the main stream: bindings, "OnBeforeEverything", components, "OnSetup", surfaces,
    // window, "OnCreated". Failures are handled here and never leave it.
    void AddComponentStream(std::istream* stream) override;

    // --- clock ---
    virtual double GetPlatformTime() = 0;
    double GetTime() override;
    virtual void Start();
    virtual void Exit();

    // --- surfaces ---
    virtual std::unique_ptr<VSurface> MakeSurfaceCopy(const VSurface& surface);
    std::unique_ptr<VSurface> CreateSurface(int width, int height) override = 0;
    // The caller owns the engine and destroys it through its virtual destructor.
    virtual VScreensaverEngine* CreateScreensaverEngine() = 0;
    virtual void Resize(int width, int height);

    // --- platform ---
    // The main component stream, or null when there is none.
    virtual std::unique_ptr<std::istream> LoadResourceStream() = 0;
    // Handles waiting input for at most about `waitMs`; true when the program is to quit.
    virtual bool PumpMessages(double waitMs) = 0;
    virtual void CalibrateRefresh() = 0;
    // Predicted stage time of the next retrace.
    virtual double WaitForRetrace() = 0;
    // Shows the frame; `rects`, when given, limits it to the listed parts.
    virtual void Present(VSurface& surface, float x, float y, const VRectList* rects) = 0;
    virtual void Show();
    virtual void SetCaption(const std::string& text) { caption_ = text; }
    virtual VRect GetWindowBounds() = 0;
    virtual void SetBackgroundColor(int32_t colour);
    virtual std::string GetProgramName() = 0;
    virtual std::string GetProgramDirectory() = 0;

    // --- running ---
    // The timer-driven main loop; returns only when quitting.
    virtual void Run();
    // The same loop for a host that owns the loop (a browser calls once per display frame):
    // BeginRun starts the clock and is false when quitting already; each RunCycle ticks what
    // is due, repaints and pumps messages once, and is false when the loop is to end.
    bool BeginRun();
    bool RunCycle();
    // Composes the background and every visible pixie, deepest first, and presents the frame
    // with the rectangles that changed since the last repaint (an empty list when none did);
    // the invalid list is empty afterwards.
    virtual void Repaint();
    // Shows a new picture after a change of scenery, optionally fading the old one out and the
    // new one in. Here only a full redraw; a windowed stage fades its palette.
    virtual void FadeTransition(bool fadeOut, bool fadeIn)
    {
        if (frameBuffer_)
            InvalidRect(frameBuffer_->GetRect());
    }
    // True while a fade recomposes the frame: Repaint composes then without presenting.
    bool IsPresentHeld() const { return presentHeld_; }
    // True when the platform took the request to end.
    virtual bool RequestQuit() = 0;
    virtual void CreateStageWindow() = 0;
    virtual void ShowCursor(bool show) = 0;

    // --- input, raised as events on the stage ---
    virtual void Activate(int32_t active);
    virtual void MouseMove(float x, float y);
    virtual void MouseUp(float x, float y);
    // Any mouse button: the platform raises it for every button, not just the left one.
    virtual void MouseDown(float x, float y);
    // The wheel turned (either way, either axis); the pointer stays where it was.
    void MouseWheel();
    void KeyDown(uint8_t code, int32_t value);
    void KeyUp(uint8_t code, int32_t value);

    // --- failures ---
    // Raises "OnException" with the message pending, then reports it unless a handler
    // cleared it.
    void HandleException(const std::string& message) override;
    // Inside a catch block: reports the exception in flight as HandleException does (engine
    // and library failures alike); anything else goes on up.
    void HandleCurrentException();
    virtual void ReportException(const std::string& message) {}
    // The message being handled while "OnException" runs; null otherwise.
    const std::string* GetPendingException() const { return pending_.get(); }
    void ClearPendingException() { pending_.reset(); }

    // --- dirty rectangles ---
    void InvalidRect(const VRect& rect) override;
    const VInvalidList& GetInvalidList() const { return invalid_; }

    // --- everything else ---
    void Stop();
    bool PlaySound(const std::string& fileName, uint32_t flags);
    bool IsSoundEnabled() const { return soundEnabled_; }
    void SetSoundEnabled(bool on) { soundEnabled_ = on; }
    void SetFrameRate(double framesPerSecond);
    double GetFrameSlice() const { return frameSlice_; }
    double GetTimeScale() const { return timeScale_; }
    // Stage time runs at 1 / scale of platform time; GetTime stays continuous.
    void SetTimeScale(double scale);
    void PauseClock();
    void ResumeClock();
    bool IsClockPaused() const { return pausedAt_ != -1.0; }

    VStageSetup& GetSetup() { return setup_; }
    const std::string& GetCaption() const { return caption_; }
    bool IsQuitRequested() const { return quitRequested_; }
    VSurface* GetBackground() const { return background_.get(); }
    VSurface* GetFrameBuffer() const { return frameBuffer_.get(); }
    // Swaps in other surfaces (a preview intro shows pictures of its own) and hands back
    // the previous ones through the same arguments.
    void ExchangeSurfaces(std::unique_ptr<VSurface>& background,
                          std::unique_ptr<VSurface>& frameBuffer);
    double GetRefreshPeriod() const { return refreshPeriod_; }

    int32_t GetActive() const { return active_; }
    float GetMouseX() const { return mouseX_; }
    float GetMouseY() const { return mouseY_; }
    uint8_t GetKeyDownCode() const { return keyDownCode_; }
    int32_t GetKeyDownValue() const { return keyDownValue_; }
    uint8_t GetKeyUpCode() const { return keyUpCode_; }
    int32_t GetKeyUpValue() const { return keyUpValue_; }

protected:
    // The palette fade of a windowed stage's FadeTransition: optionally the current frame down
    // to black, then the recomposed frame up from black, each step presented and followed by
    // `pace`, which waits as the stage spaces its steps and answers true when the program is
    // to quit (the fade then stops at once, its colours left as they are). The clock is paused
    // for the fade and presentation held while the frame is recomposed; both are put back on
    // every way out, and a failure also gives the frame its own colours back before it goes on.
    void PlayPaletteFade(bool fadeOut, bool fadeIn, const std::function<bool()>& pace);
    // The platform's wave player; PlaySound calls it only while sound is enabled.
    virtual bool PlayPlatformSound(const std::string& fileName, uint32_t flags) = 0;
    void SetRefreshPeriod(double ms) { refreshPeriod_ = ms; }
    void SetQuitRequested() { quitRequested_ = true; }

private:
    // The mouse events record where the pointer is, then raise their event on the stage.
    void PointerEvent(float x, float y, const char* event);
    // One run-loop cycle up to its wait: ticks what is due for at most a frame slice and
    // repaints when anything ticked; returns how long to wait for the next due time.
    double TickDueTimers();
    void TickTimer(VTimer* timer, double due);
    bool IsRegistered(const VTimer* timer) const;
    template <class Step>
    void Guarded(Step step);

    bool firstShow_ = true;
    VInvalidList invalid_;
    VFrameChanges changes_;
    double startTime_ = 0.0;
    double timeScale_ = 1.0;
    double pausedAt_ = -1.0;
    bool presentHeld_ = false;
    std::unique_ptr<VSurface> frameBuffer_;
    std::unique_ptr<VSurface> background_;
    double refreshPeriod_ = 0.0;
    // Platform time from which the next repaint may come, and whether ticks wait for one.
    double nextRepaint_ = 0.0;
    bool repaintOwed_ = false;
    double frameSlice_ = 0.0;
    std::string caption_;
    bool quitRequested_ = false;
    bool soundEnabled_ = false;
    VStageSetup setup_;
    int32_t active_ = 0;
    float mouseX_ = -99999.0f;
    float mouseY_ = -99999.0f;
    uint8_t keyUpCode_ = 0;
    uint8_t keyDownCode_ = 0;
    int32_t keyUpValue_ = 0;
    int32_t keyDownValue_ = 0;
    std::unique_ptr<std::string> pending_;
};
