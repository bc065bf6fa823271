// Eight hours of the show on the virtual clock, every scene file of the data folder, one seed:
// the heap in use, sampled every virtual minute, may not keep growing. The show's working set
// is reached within the first minutes; what a leak per scene visit, balloon or floater adds
// over the hundreds of visits of eight hours is what the margin of a tenth catches.

#include <gtest/gtest.h>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>

#include "assets/MainStream.h"
#include "platform/freetype/VFreeTypeTextRenderer.h"
#include "platform/headless/VHeadlessStage.h"
#include "saver/VSaverBindings.h"
#include "show/RegisterShowClasses.h"
#include "show/VControlSettings.h"
#include "show/VRandom.h"
#include "show/VSceneManager.h"
#include "tests/saver/SaverTestKit.h"
#include "tests/scenes/SceneFilesKit.h"

#if defined(__SANITIZE_ADDRESS__)
// From the AddressSanitizer runtime (its header does not come with every compiler).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

using namespace scenefiles;

namespace {

constexpr int kSettleMinutes = 10;
constexpr int kSoakMinutes = 8 * 60;

// Bytes the program holds on the heap now (not what the allocator keeps in reserve, nor, under
// AddressSanitizer, the freed blocks it holds back to catch late uses).
std::size_t HeapInUse()
{
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

// The headless stage without its test records: every frame, wait and sound would otherwise be
// kept for eight hours and be the very growth this test looks for. The loop's clock moves by
// what it waits, as on the headless stage; frames are composed but not copied out.
class SoakStage : public VHeadlessStage {
public:
    void Play(double showMs)
    {
        stopAt_ = GetTime() + showMs;
        Run();
    }
    bool PumpMessages(double waitMs) override
    {
        double now = GetTime();
        if (now >= stopAt_)
            return true;
        AdvanceClock(std::min(std::max(waitMs, 1.0), stopAt_ - now) * GetTimeScale());
        return false;
    }
    void Present(VSurface&, float, float, const VRectList*) override {}
    // Composing a frame costs more than everything else the show does; one frame in
    // kPaintEvery still draws every scene, balloon and ship state the show goes through.
    void Repaint() override
    {
        if (++repaints_ % kPaintEvery == 0)
            VHeadlessStage::Repaint();
    }
    static constexpr long kPaintEvery = 128;

protected:
    bool PlayPlatformSound(const std::string&, uint32_t) override { return true; }

private:
    double stopAt_ = 0;
    long repaints_ = 0;
};

}  // namespace

TEST(ShowSoak, EightHoursOfShowKeepTheHeapWithinATenthOfItsSizeAfterTenMinutes)
{
    std::map<std::string, std::string> settings{{"Dir", DataDir().string()}};
    SetControlStore(std::make_unique<savertest::MemoryStore>(settings));
    FixRandomSeed(3);
    InstallFreeTypeTextRenderer();
    RegisterShowClasses();
    VSaverBindings bindings;
    auto stage = std::make_unique<SoakStage>();
    stage->SetScreenSize(320, 240);
    stage->SetSeed(3);
    stage->SetMainStream(std::string(MainStreamData()));
    stage->Load();

    std::size_t settled = 0, peak = 0;
    std::size_t sceneCount = 0;
    std::map<VScene*, int> visits;
    VScene* last = nullptr;
    for (int minute = 1; minute <= kSoakMinutes; ++minute) {
        // Polled once a virtual second to count the scenes as they come.
        for (int second = 0; second < 60; ++second) {
            stage->Play(1000);
            auto* manager = dynamic_cast<VSceneManager*>(stage->FindComponent("DezoRivaduz"));
            ASSERT_NE(manager, nullptr);
            sceneCount = manager->GetScenes().size();
            VScene* current = manager->GetCurrentScene();
            if (current && current != last)
                ++visits[current];
            last = current;
        }
        ASSERT_TRUE(stage->GetReportedExceptions().empty()) << stage->GetReportedExceptions().front();
        std::size_t now = HeapInUse();
        if (minute == kSettleMinutes)
            settled = now;
        if (minute >= kSettleMinutes)
            peak = std::max(peak, now);
    }
    int visitCount = 0;
    for (const auto& [scene, count] : visits)
        visitCount += count;
    std::printf("heap in use after %d virtual minutes: %zu bytes; peak from then to %d hours: %zu bytes "
                "(%+.2f %%); %d scene visits\n",
                kSettleMinutes, settled, kSoakMinutes / 60, peak, 100.0 * (double(peak) / double(settled) - 1),
                visitCount);
    RecordProperty("heap_after_10_minutes", std::to_string(settled));
    RecordProperty("heap_peak_to_8_hours", std::to_string(peak));
    EXPECT_LE(double(peak), 1.10 * double(settled));

    // Every scene of the folder came on, many times over.
    EXPECT_GE(sceneCount, 4u);
    EXPECT_EQ(visits.size(), sceneCount);
    stage.reset();
    SetControlStore(nullptr);
    UnfixRandomSeed();
}
