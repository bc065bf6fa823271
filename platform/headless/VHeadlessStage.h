#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "engine/stage/VStage.h"
#include "platform/headless/VFrameRecorder.h"
#include "platform/headless/VHeadlessInput.h"
#include "platform/headless/VIndexedImage.h"

// A stage without a window, on a virtual clock: time moves only while the run loop waits
// (PumpMessages advances it by the wait), so a minute of show takes a fraction of a second
// and every run with the same stream, seed and input script is the same. It keeps the last
// presented frame, can record frames as PNG files or an animated GIF, replays scripted input
// and notes sound requests and reported exceptions.
class VHeadlessStage : public VStage {
public:
    struct SoundRequest {
        std::string fileName;
        uint32_t flags = 0;
        double time = 0;
    };

    // Becomes the current stage.
    VHeadlessStage();
    ~VHeadlessStage() override;

    // --- set-up, before Load ---
    // The main stream: bytes, or a file read now (VException when it cannot be read).
    void SetMainStream(std::string bytes);
    void SetMainStreamFile(const std::string& path);
    // Size of the screen that full-screen mode takes (640 x 480 unless set).
    void SetScreenSize(int width, int height);
    void SetProgramName(std::string name) { programName_ = std::move(name); }
    void SetProgramDirectory(std::string dir) { programDirectory_ = std::move(dir); }
    // Seeds the C library's generator now and at Start, so runs repeat.
    void SetSeed(unsigned seed);
    unsigned GetSeed() const { return seed_; }
    using EngineFactory = std::function<VScreensaverEngine*(VHeadlessStage&)>;
    // What CreateScreensaverEngine makes; without a factory, a run-mode VHeadlessScreensaverEngine.
    void SetScreensaverEngineFactory(EngineFactory factory) { engineFactory_ = std::move(factory); }
    // Reported exceptions also go to standard error and the report log (the recorder's).
    void SetPrintExceptions(bool on) { printExceptions_ = on; }
    void AddInput(const VHeadlessInput& input);
    void AddInputs(const std::vector<VHeadlessInput>& inputs);
    // Starts recording presented frames; the recording ends with FinishRecording or the stage.
    void Record(const VRecordOptions& options);
    void FinishRecording();

    // --- running ---
    // What the program entry does: reads the main stream into the stage.
    void Load();
    // Runs the loop until `showMs` more of show time have passed (or quit). The first call
    // starts the stage; later calls carry on where the previous one stopped.
    void RunFor(double showMs);
    // Advances the virtual clock by `ms` of platform time without running anything.
    void AdvanceClock(double ms) { platformTime_ += ms; }

    // --- results ---
    bool HasFrame() const { return presentCount_ > 0; }
    const VIndexedImage& GetLastFrame() const { return lastFrame_; }
    long long GetPresentCount() const { return presentCount_; }
    const std::vector<double>& GetPresentTimes() const { return presentTimes_; }
    // The wait of every PumpMessages call, in order.
    const std::vector<double>& GetPumpWaits() const { return pumpWaits_; }
    const std::vector<std::string>& GetReportedExceptions() const { return reported_; }
    const std::vector<SoundRequest>& GetSoundRequests() const { return sounds_; }
    bool HasWindow() const { return windowCreated_; }
    bool IsCursorShown() const { return cursorShown_; }
    const VFrameRecorder* GetRecorder() const { return recorder_.get(); }

    // --- the platform operations ---
    double GetPlatformTime() override { return platformTime_; }
    void Start() override;
    std::unique_ptr<VSurface> CreateSurface(int width, int height) override;
    VScreensaverEngine* CreateScreensaverEngine() override;
    std::unique_ptr<std::istream> LoadResourceStream() override;
    bool PumpMessages(double waitMs) override;
    void CalibrateRefresh() override;
    double WaitForRetrace() override;
    void Present(VSurface& surface, float x, float y, const VRectList* rects) override;
    VRect GetWindowBounds() override { return windowBounds_; }
    std::string GetProgramName() override { return programName_; }
    std::string GetProgramDirectory() override { return programDirectory_; }
    bool RequestQuit() override;
    void CreateStageWindow() override;
    void ShowCursor(bool show) override { cursorShown_ = show; }
    void ReportException(const std::string& message) override;

protected:
    bool PlayPlatformSound(const std::string& fileName, uint32_t flags) override;

private:
    void Deliver(const VHeadlessInput& input);

    double platformTime_ = 0;
    double stopAt_ = std::numeric_limits<double>::infinity();
    bool stopReached_ = false;
    bool started_ = false;
    bool quit_ = false;
    bool hasMainStream_ = false;
    std::string mainStream_;
    int screenWidth_ = 640;
    int screenHeight_ = 480;
    std::string programName_ = "Zibolt";
    std::string programDirectory_;
    unsigned seed_ = 1;
    EngineFactory engineFactory_;
    bool printExceptions_ = false;
    std::vector<VHeadlessInput> inputs_;
    std::size_t nextInput_ = 0;
    std::unique_ptr<VFrameRecorder> recorder_;

    VIndexedImage lastFrame_;
    long long presentCount_ = 0;
    std::vector<double> presentTimes_;
    std::vector<double> pumpWaits_;
    std::vector<std::string> reported_;
    std::vector<SoundRequest> sounds_;
    bool windowCreated_ = false;
    bool cursorShown_ = true;
    VRect windowBounds_;
};
