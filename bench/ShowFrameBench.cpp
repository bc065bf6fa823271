// zibolt_frame_bench SEED WIDTHxHEIGHT SECONDS DATA: the native peer of the web page's frame
// time. Plays the show on the headless stage (the recorder's virtual clock) and converts every
// presented frame to 32-bit pixels as the Linux window does; prints the processor time per
// presented frame of the whole cycle (timers, composing, conversion) as
// "native_ms_per_frame N frames F".

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
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

class ConvertingStage : public VHeadlessStage {
public:
    void Present(VSurface& surface, float, float, const VRectList*) override
    {
        const VDib* dib = surface.GetDib();
        if (!dib)
            return;
        pixels_.resize(std::size_t(dib->GetWidth()) * std::size_t(dib->GetHeight()));
        converter_.SetPalette(dib->GetPaletteEntries());
        converter_.Convert(*dib, pixels_.data(), dib->GetWidth() * 4);
        ++frames_;
    }
    long long GetFrames() const { return frames_; }

private:
    VIndexedConverter converter_;
    std::vector<uint32_t> pixels_;
    long long frames_ = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    int width = 0, height = 0;
    if (argc != 5 || std::sscanf(argv[2], "%dx%d", &width, &height) != 2) {
        std::fputs("usage: zibolt_frame_bench SEED WIDTHxHEIGHT SECONDS DATA\n", stderr);
        return 2;
    }
    const unsigned seed = unsigned(std::strtoul(argv[1], nullptr, 10));
    const double seconds = std::atof(argv[3]);
    // Settings in a file of their own: the "shown" flags the show writes stay out of the user's.
    const auto settings = std::filesystem::temp_directory_path() / "zibolt-frame-bench.ini";
    std::filesystem::remove(settings);
    SetControlStore(std::make_unique<VIniControlStore>(settings, "Zibolt"));
    WriteControlValue("Dir", argv[4]);
    FixRandomSeed(seed);
    InstallFreeTypeTextRenderer();
    RegisterShowClasses();
    try {
        ConvertingStage stage;
        stage.SetScreenSize(width, height);
        stage.SetSeed(seed);
        stage.SetMainStream(std::string(MainStreamData()));
        stage.Load();
        const auto begin = std::chrono::steady_clock::now();
        const std::clock_t cpuBegin = std::clock();
        stage.RunFor(seconds * 1000.0);
        const double cpuMs = double(std::clock() - cpuBegin) * 1000.0 / CLOCKS_PER_SEC;
        const double wallMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
        std::printf("native_ms_per_frame %.3f frames %lld wall_ms_per_frame %.3f\n",
                    cpuMs / double(stage.GetFrames()), stage.GetFrames(),
                    wallMs / double(stage.GetFrames()));
    } catch (const VException& e) {
        std::fprintf(stderr, "zibolt_frame_bench: %s\n", e.GetMessage().c_str());
        return 1;
    }
    std::filesystem::remove(settings);
    return 0;
}
