// scene_order MAIN.vcs DATA_DIR SEED COUNT: prints, one a line, the names of the first COUNT
// scenes that the show starts with the given seed. The show runs with the saver's own set-up
// on a stage of its own that keeps a virtual clock and paints nothing, so the names depend on
// the show's logic and random draws alone. Built for Linux and for Windows, where the two must
// print the same names for the same seed.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/graphics/VDibSurface.h"
#include "engine/stage/VStage.h"
#include "engine/stage/VStageSetup.h"
#include "engine/stream/VException.h"
#include "engine/stream/VMemoryStream.h"
#include "saver/VSaverBindings.h"
#include "saver/VScreensaverEngine.h"
#include "show/RegisterShowClasses.h"
#include "show/VControlSettings.h"
#include "show/VRandom.h"
#include "show/VScene.h"
#include "show/VSceneManager.h"

namespace {

// The show stops looking after this much show time, whatever it has seen.
constexpr double kLimitMs = 4.0 * 60 * 60 * 1000;

class DataDirStore : public VControlStore {
public:
    explicit DataDirStore(std::string dir) : dir_(std::move(dir)) {}
    std::string Read(const std::string& key, const std::string& fallback) override
    {
        if (SameText(key, "Dir"))
            return dir_;
        for (const auto& [name, value] : written_)
            if (SameText(name, key))
                return value;
        return fallback;
    }
    void Write(const std::string& key, const std::string& value) override
    {
        written_.emplace_back(key, value);
    }

private:
    std::string dir_;
    std::vector<std::pair<std::string, std::string>> written_;
};

// Run mode, and nothing ever ends it.
class RunEngine : public VScreensaverEngine {
public:
    bool CanEnd() override { return false; }
    VFloatPoint GetConfigurePosition() override { return {}; }
    bool IsConfigure() override { return false; }
    float GetMouseTolerance() override { return 5.0f; }
    void Attach(VStage&) override {}
    bool IsDebug() override { return false; }
    void AdjustSetup(VStageSetup&) override {}
    void PrepareShow() override {}
    void RestoreInputMethod() override {}
};

// Time passes only while the run loop waits; the loop ends once `count` scenes were started.
class OrderStage : public VStage {
public:
    OrderStage(std::string mainStream, std::size_t count)
        : mainStream_(std::move(mainStream)), count_(count)
    {
        SetCurrentStage(this);
    }

    const std::vector<std::string>& Names() const { return names_; }
    const std::vector<std::string>& Failures() const { return failures_; }

    double GetPlatformTime() override { return now_; }
    std::unique_ptr<VSurface> CreateSurface(int width, int height) override
    {
        return std::make_unique<VDibSurface>(static_cast<float>(width), static_cast<float>(height));
    }
    VScreensaverEngine* CreateScreensaverEngine() override { return new RunEngine(); }
    std::unique_ptr<std::istream> LoadResourceStream() override
    {
        return std::make_unique<VMemoryStream>(mainStream_);
    }
    bool PumpMessages(double waitMs) override
    {
        NoteScene();
        now_ += waitMs > 1.0 ? waitMs : 1.0;
        return names_.size() >= count_ || now_ > kLimitMs;
    }
    void CalibrateRefresh() override { SetRefreshPeriod(1000.0 / 60.0); }
    double WaitForRetrace() override { return GetTime() + GetRefreshPeriod(); }
    void Present(VSurface&, float, float, const VRectList*) override {}
    // Painting changes nothing the show decides; leaving it out keeps the run quick.
    void Repaint() override {}
    VRect GetWindowBounds() override { return VRect(0, 0, 800, 600); }
    std::string GetProgramName() override { return "Zibolt"; }
    std::string GetProgramDirectory() override { return "."; }
    bool RequestQuit() override { return true; }
    void CreateStageWindow() override
    {
        GetSetup().windowRect = VRect(0, 0, 800, 600);
        Resize(800, 600);
    }
    void ShowCursor(bool) override {}
    void ReportException(const std::string& message) override { failures_.push_back(message); }

protected:
    bool PlayPlatformSound(const std::string&, uint32_t) override { return true; }

private:
    void NoteScene()
    {
        auto* manager = dynamic_cast<VSceneManager*>(FindComponent("DezoRivaduz"));
        VScene* scene = manager ? manager->GetCurrentScene() : nullptr;
        if (scene && scene != last_)
            names_.push_back(scene->GetName());
        last_ = scene;
    }

    std::string mainStream_;
    std::size_t count_;
    double now_ = 0;
    VScene* last_ = nullptr;
    std::vector<std::string> names_;
    std::vector<std::string> failures_;
};

std::string ReadFile(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in)
        throw VException(std::string("cannot read ") + path);
    return bytes.str();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fputs("usage: scene_order MAIN.vcs DATA_DIR SEED COUNT\n", stderr);
        return 2;
    }
    try {
        SetControlStore(std::make_unique<DataDirStore>(argv[2]));
        FixRandomSeed(static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)));
        RegisterShowClasses();
        VSaverBindings bindings;
        OrderStage stage(ReadFile(argv[1]), static_cast<std::size_t>(std::atoi(argv[4])));
        std::unique_ptr<std::istream> stream = stage.LoadResourceStream();
        stage.AddComponentStream(stream.get());
        stage.Run();
        for (const std::string& failure : stage.Failures())
            std::fprintf(stderr, "scene_order: %s\n", failure.c_str());
        for (const std::string& name : stage.Names())
            std::printf("%s\n", name.c_str());
        return stage.Failures().empty() ? 0 : 1;
    } catch (const VException& e) {
        std::fprintf(stderr, "scene_order: %s\n", e.GetMessage().c_str());
        return 1;
    }
}
