// zibolt_frame_bench SEED WIDTHxHEIGHT WARMUP FRAMES DATA: the native peer of the web page's
// frame time, for the same frames. The page runs one cycle of the stage's loop per display
// frame of a 60 Hz display, fades a step per frame with the show's clock paused, and turns
// every shown picture into RGBA; this plays the same seed the same way on a virtual 60 Hz
// clock, turning each picture into 32-bit pixels as the Linux window does. It skips WARMUP
// display frames (the page's start), times the next FRAMES one by one and prints one line:
//   frames N mean MS median MS p95 MS shown N shown_mean MS cpu_mean MS
// (wall time per display frame; shown: the frames that showed a new picture; cpu: processor
// time over all timed frames).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

#include "assets/MainStream.h"
#include "engine/stream/VException.h"
#include "platform/freetype/VFreeTypeTextRenderer.h"
#include "platform/headless/VHeadlessStage.h"
#include "platform/sdl/VIndexedConverter.h"
#include "show/RegisterShowClasses.h"
#include "show/VControlSettings.h"
#include "show/VIniControlStore.h"
#include "show/VRandom.h"

namespace {

constexpr double kDisplayFrameMs = 1000.0 / 60.0;

using Clock = std::chrono::steady_clock;

// The headless stage driven as a browser drives the page: the bench moves the clock a display
// frame at a time, and a fade takes one display frame per step.
class DisplayFrameStage : public VHeadlessStage {
public:
    void Present(VSurface& surface, float, float, const VRectList*) override
    {
        const VDib* dib = surface.GetDib();
        if (!dib)
            return;
        pixels_.resize(std::size_t(dib->GetWidth()) * std::size_t(dib->GetHeight()));
        converter_.SetPalette(dib->GetPaletteEntries());
        converter_.Convert(*dib, pixels_.data(), dib->GetWidth() * 4);
        shown_ = true;
    }
    // Time passes between display frames only.
    bool PumpMessages(double) override { return false; }
    void FadeTransition(bool fadeOut, bool fadeIn) override
    {
        PlayPaletteFade(fadeOut, fadeIn, [this] {
            EndFrame();
            AdvanceClock(kDisplayFrameMs);
            return false;
        });
    }

    void EndFrame()
    {
        const Clock::time_point now = Clock::now();
        times_.push_back(std::chrono::duration<double, std::milli>(now - frameStart_).count());
        shownFrames_.push_back(shown_);
        shown_ = false;
        frameStart_ = now;
    }
    void ForgetFrames()
    {
        times_.clear();
        shownFrames_.clear();
        frameStart_ = Clock::now();
    }
    // A fade may run past the last frame wanted.
    void KeepFirstFrames(std::size_t count)
    {
        times_.resize(std::min(count, times_.size()));
        shownFrames_.resize(times_.size());
    }
    const std::vector<double>& GetTimes() const { return times_; }
    const std::vector<bool>& GetShown() const { return shownFrames_; }

private:
    VIndexedConverter converter_;
    std::vector<uint32_t> pixels_;
    bool shown_ = false;
    Clock::time_point frameStart_ = Clock::now();
    std::vector<double> times_;
    std::vector<bool> shownFrames_;
};

void PrintFigures(const DisplayFrameStage& stage, double cpuMs)
{
    const std::vector<double>& times = stage.GetTimes();
    if (times.empty())
        throw VException("The show ended before the timed frames.");
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    double shownSum = 0;
    std::size_t shown = 0;
    for (std::size_t i = 0; i < times.size(); ++i)
        if (stage.GetShown()[i]) {
            shownSum += times[i];
            ++shown;
        }
    const double frames = double(times.size());
    std::printf("frames %zu mean %.3f median %.3f p95 %.3f shown %zu shown_mean %.3f cpu_mean %.3f\n",
                times.size(), std::accumulate(times.begin(), times.end(), 0.0) / frames,
                sorted[sorted.size() / 2], sorted[std::size_t(frames * 0.95)], shown,
                shown ? shownSum / double(shown) : 0.0, cpuMs / frames);
}

}  // namespace

int main(int argc, char** argv)
{
    int width = 0, height = 0;
    if (argc != 6 || std::sscanf(argv[2], "%dx%d", &width, &height) != 2) {
        std::fputs("usage: zibolt_frame_bench SEED WIDTHxHEIGHT WARMUP FRAMES DATA\n", stderr);
        return 2;
    }
    const unsigned seed = unsigned(std::strtoul(argv[1], nullptr, 10));
    const long warmup = std::strtol(argv[3], nullptr, 10);
    const long frames = std::strtol(argv[4], nullptr, 10);
    // Settings in a file of their own: the "shown" flags the show writes stay out of the user's.
    const auto settings = std::filesystem::temp_directory_path() / "zibolt-frame-bench.ini";
    std::filesystem::remove(settings);
    SetControlStore(std::make_unique<VIniControlStore>(settings, "Zibolt"));
    WriteControlValue("Dir", argv[5]);
    FixRandomSeed(seed);
    InstallFreeTypeTextRenderer();
    RegisterShowClasses();
    int status = 0;
    try {
        DisplayFrameStage stage;
        stage.SetScreenSize(width, height);
        stage.SetSeed(seed);
        stage.SetMainStream(std::string(MainStreamData()));
        stage.Load();
        // The page's first display frame starts the show and runs its first cycle. Display
        // frames are counted as the page counts them, fade steps included.
        bool alive = stage.BeginRun();
        std::clock_t cpuBegin = std::clock();
        bool timing = warmup <= 0;
        for (bool first = true; alive && long(stage.GetTimes().size()) < (timing ? frames : warmup);
             first = false) {
            if (!first)
                stage.AdvanceClock(kDisplayFrameMs);
            alive = stage.RunCycle();
            stage.EndFrame();
            if (!timing && long(stage.GetTimes().size()) >= warmup) {
                timing = true;
                stage.ForgetFrames();
                cpuBegin = std::clock();
            }
        }
        stage.KeepFirstFrames(std::size_t(frames));
        PrintFigures(stage, double(std::clock() - cpuBegin) * 1000.0 / CLOCKS_PER_SEC);
        for (const std::string& report : stage.GetReportedExceptions())
            std::fprintf(stderr, "zibolt_frame_bench: the show reported: %s\n", report.c_str());
    } catch (const VException& e) {
        std::fprintf(stderr, "zibolt_frame_bench: %s\n", e.GetMessage().c_str());
        status = 1;
    }
    std::filesystem::remove(settings);
    return status;
}
