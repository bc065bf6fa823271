#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

#include "engine/pixies/VBalloon.h"
#include "engine/stage/VStageSetup.h"
#include "platform/sdl/VInstanceLock.h"
#include "platform/sdl/VOverrideControlStore.h"
#include "platform/sdl/VSdlSaverEngine.h"
#include "platform/sdl/VSdlStage.h"
#include "tests/platform/TempDir.h"

class InstanceLockTest : public TempDirTest {};

TEST_F(InstanceLockTest, OneHolderAtATimeAndTheHolderIsKnown)
{
    VInstanceLock first(dir_.string(), "run");
    VInstanceLock second(dir_.string(), "run");
    VInstanceLock other(dir_.string(), "preview");
    EXPECT_EQ(second.Holder(), 0);
    ASSERT_TRUE(first.Acquire());
    EXPECT_FALSE(second.Acquire());
    EXPECT_EQ(second.Holder(), ::getpid());
    EXPECT_TRUE(other.Acquire());  // another kind is another lock
    first.Release();
    EXPECT_EQ(second.Holder(), 0);
    EXPECT_TRUE(second.Acquire());
}

TEST_F(InstanceLockTest, AFileLeftBehindIsNoHolder)
{
    std::ofstream(Path("zibolt-run.lock")) << "12345\n";
    VInstanceLock lock(dir_.string(), "run");
    EXPECT_EQ(lock.Holder(), 0);
    EXPECT_TRUE(lock.Acquire());
}

class SaverEngineTest : public TempDirTest {
protected:
    std::unique_ptr<VSdlSaverEngine> Engine(VSdlStage& stage, std::vector<std::string> args,
                                            const std::string& display = ":0")
    {
        return std::make_unique<VSdlSaverEngine>(stage, ParseSaverCommand(args, nullptr),
                                                 dir_.string(), display);
    }
};

TEST_F(SaverEngineTest, PreviewComposesAtFourTimesThePreviewSize)
{
    VSdlStage stage;
    auto engine = Engine(stage, {"/p", "4711"});
    VStageSetup setup;
    setup.fullScreen = true;
    engine->Attach(stage);
    engine->AdjustSetup(setup);
    EXPECT_EQ(setup.windowRect, VRect(0, 0, 608, 448));
    EXPECT_FALSE(setup.fullScreen);
    EXPECT_FALSE(stage.IsQuitRequested());
    EXPECT_TRUE(engine->CanEnd());
    EXPECT_FALSE(engine->IsDebug());
    EXPECT_TRUE(IsBalloonPreviewText());
    VSdlStage other;
    auto run = Engine(other, {"/s"});
    EXPECT_FALSE(IsBalloonPreviewText());
}

TEST_F(SaverEngineTest, SecondRunStopsAndAPreviewYieldsToARun)
{
    VSdlStage firstStage;
    auto first = Engine(firstStage, {"/s"});
    VStageSetup setup;
    first->AdjustSetup(setup);
    EXPECT_FALSE(firstStage.IsQuitRequested());

    VSdlStage secondStage;
    auto second = Engine(secondStage, {"/s"});
    second->AdjustSetup(setup);
    EXPECT_TRUE(secondStage.IsQuitRequested());

    VSdlStage previewStage;
    auto preview = Engine(previewStage, {"/p", "99"});
    preview->AdjustSetup(setup);
    EXPECT_TRUE(previewStage.IsQuitRequested());
}

TEST_F(SaverEngineTest, EachDisplayHasASaverOfItsOwn)
{
    EXPECT_EQ(VInstanceLock::DisplayKey(":44.1", nullptr), ":44");
    EXPECT_EQ(VInstanceLock::DisplayKey("unix:44.0", nullptr), ":44");
    EXPECT_EQ(VInstanceLock::DisplayKey(nullptr, "wayland-0"), "wayland:wayland-0");
    VStageSetup setup;
    VSdlStage a, b, c, d;
    auto debug = Engine(a, {"/d"}, ":44");
    debug->AdjustSetup(setup);
    auto run = Engine(b, {"/s"}, ":45");
    run->AdjustSetup(setup);
    auto preview = Engine(c, {"/p", "99"}, "host/x:46");
    preview->AdjustSetup(setup);
    EXPECT_FALSE(a.IsQuitRequested());
    EXPECT_FALSE(b.IsQuitRequested());
    EXPECT_FALSE(c.IsQuitRequested());
    auto second = Engine(d, {"/s"}, ":44");  // the same display as the debug window
    second->AdjustSetup(setup);
    EXPECT_TRUE(d.IsQuitRequested());
}

TEST_F(SaverEngineTest, PreviewsDoNotStackAndConfigureIgnoresTheRule)
{
    VStageSetup setup;
    VSdlStage a, b, c;
    auto first = Engine(a, {"/p", "99"});
    first->AdjustSetup(setup);
    EXPECT_FALSE(a.IsQuitRequested());
    EXPECT_EQ(a.GetCaption(), a.GetProgramName() + "_PREVIEW");
    auto second = Engine(b, {"/p", "98"});
    second->AdjustSetup(setup);
    EXPECT_TRUE(b.IsQuitRequested());
    auto configure = Engine(c, {"/c"});
    configure->AdjustSetup(setup);
    EXPECT_FALSE(c.IsQuitRequested());
    EXPECT_TRUE(configure->IsConfigure());
}

TEST_F(SaverEngineTest, ThePlainWindowEndsOnlyWithEscape)
{
    VSdlStage stage;
    auto engine = Engine(stage, {});
    VStageSetup setup;
    setup.hasFrame = false;
    setup.windowRect = VRect(0, 0, 640, 480);
    engine->AdjustSetup(setup);
    EXPECT_EQ(setup.windowRect, VRect(0, 0, 800, 600));
    EXPECT_TRUE(setup.hasFrame);
    EXPECT_TRUE(setup.showCursor);
    EXPECT_TRUE(engine->IsDebug());  // mouse movement does not end it
    EXPECT_FALSE(engine->CanEnd());  // no key is being pressed
    EXPECT_FALSE(stage.IsQuitRequested());  // no single-instance rule for the window
}

TEST_F(SaverEngineTest, PasswordModeStopsAtOnce)
{
    VSdlStage stage;
    auto engine = Engine(stage, {"/a"});
    EXPECT_TRUE(stage.IsQuitRequested());
}

namespace {

class MapStore : public VControlStore {
public:
    std::map<std::string, std::string> values;
    std::string Read(const std::string& key, const std::string& fallback) override
    {
        auto found = values.find(key);
        return found == values.end() ? fallback : found->second;
    }
    void Write(const std::string& key, const std::string& value) override { values[key] = value; }
};

}  // namespace

TEST(OverrideControlStore, OverridesWinForReadsOnly)
{
    auto below = std::make_unique<MapStore>();
    MapStore* raw = below.get();
    raw->values["Sound"] = "1";
    raw->values["Skin"] = "Blue";
    VOverrideControlStore store(std::move(below));
    store.Override("sound", "0");
    EXPECT_EQ(store.Read("SOUND", "1"), "0");
    EXPECT_EQ(store.Read("Skin", ""), "Blue");
    EXPECT_EQ(store.Read("Engine", "1"), "1");
    store.Write("Sound", "1");
    EXPECT_EQ(raw->values["Sound"], "1");
    EXPECT_EQ(store.Read("Sound", "1"), "0");
}
