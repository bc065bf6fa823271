// A scene file as a user drops it into the data folder: the show (main stream and the saver's
// set-up, as the program builds it) reads the folder, then plays for a bounded time, so the
// scene of whatever kind the file names starts and steps through its first states.
#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "engine/stream/VException.h"
#include "engine/stream/VMemoryStream.h"
#include "fuzz/BoxTextRenderer.h"
#include "fuzz/FuzzScratch.h"
#include "fuzz/FuzzStage.h"
#include "fuzz/SmallImageStream.h"
#include "saver/VAboutLauncher.h"
#include "saver/VSaverBindings.h"
#include "show/VControlSettings.h"
#include "show/VRandom.h"
#include "show/VSceneManager.h"

namespace {

// Settings in memory, fresh for every input: the show marks the scenes it showed.
class MemoryStore : public VControlStore {
public:
    explicit MemoryStore(std::string dir) { values_["Dir"] = std::move(dir); }
    std::string Read(const std::string& key, const std::string& fallback) override
    {
        auto it = values_.find(key);
        return it == values_.end() ? fallback : it->second;
    }
    void Write(const std::string& key, const std::string& value) override { values_[key] = value; }

private:
    std::map<std::string, std::string> values_;
};

// The show's main stream with small images, read in place rather than copied for every input.
class ShowStage : public FuzzStage {
public:
    explicit ShowStage(const std::string& mainStream)
        : FuzzStage(kWidth, kHeight, kCycles, kPaintEvery), main_(mainStream)
    {
    }
    std::unique_ptr<std::istream> LoadResourceStream() override
    {
        return std::make_unique<VMemoryStream>(main_.data(), main_.size());
    }
    // The loop waits at least a scene tick, as on a busy machine: timers due meanwhile are
    // ticked together, so a second of show takes some 40 cycles rather than a hundred.
    // Once the file's scene has been shown and is over, the rest would be the show without it.
    bool PumpMessages(double waitMs) override
    {
        if (manager_) {
            if (manager_->GetCurrentScene())
                sceneShown_ = true;
            else if (sceneShown_)
                return true;
        }
        return FuzzStage::PumpMessages(std::max(waitMs, 25.0));
    }
    // Sets the show up and reads the data folder; false when the show refused the file, which
    // then leaves nothing of the input to play.
    bool SetUpShow()
    {
        RunFor(0);
        manager_ = dynamic_cast<VSceneManager*>(FindComponent("DezoRivaduz"));
        return manager_ && !(manager_->GetScenes().empty() && manager_->GetFloatLibraries().empty());
    }

    // Eight seconds of show: a planet scene's fixed six-second landing and the hero's getting
    // out, then the file's own talk; the other kinds are into their files' content sooner.
    static constexpr double kShowMs = 8000;
    // Sorting the show's many components for every frame took most of each run.
    static constexpr int kWidth = 160, kHeight = 120, kCycles = 400, kPaintEvery = 16;
    // Two copies of each star rather than some three hundred stars in all: copying them at
    // set-up, then sorting and moving them every cycle, took a third of each run.
    static constexpr int kStarCopies = 2;

private:
    const std::string& main_;
    VSceneManager* manager_ = nullptr;
    bool sceneShown_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratch folder("fuzz-scene");
    static const std::string dir = folder.Dir().string();
    static const std::string mainStream =
        SmallImageStream(MainStreamSource(), dir, 4, ShowStage::kStarCopies);
    static BoxTextRenderer renderer;
    SetTextRenderer(&renderer);
    SetProgramLauncher([](const std::string&) {});
    FixRandomSeed(1);
    folder.Put("Fuzz.vcs", data, size);
    SetControlStore(std::make_unique<MemoryStore>(dir));
    try {
        VSaverBindings bindings;
        ShowStage stage(mainStream);
        stage.SetProgramDirectory(dir);
        stage.Load();
        if (stage.SetUpShow())
            stage.RunFor(ShowStage::kShowMs);
        stage.PaintNow();
    } catch (const VException&) {
        // Failures while loading and running are reported through the stage.
    }
    return 0;
}
