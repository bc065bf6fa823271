#pragma once

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/graphics/VBmpWriter.h"
#include "engine/graphics/VDib.h"
#include "engine/graphics/VDibSurface.h"
#include "engine/pixies/VPixieListWriter.h"
#include "engine/pixies/VSprite.h"
#include "engine/stream/VMemoryStream.h"
#include "engine/stream/VStreamWriter.h"
#include "platform/headless/VHeadlessStage.h"
#include "show/VControlSettings.h"
#include "show/VRandom.h"
#include "show/VScene.h"
#include "show/VSceneKinds.h"
#include "show/VSpaceShip.h"

namespace showtest {

// Palette: 0 black, 1 pure green (the ship's see-through colour), 2 pure blue (the outline's
// key colour value FF0000), every other index i a grey of level i.
constexpr int kBlack = 0;
constexpr int kGreen = 1;
constexpr int kKey = 2;

inline std::unique_ptr<VDib> Dib(int width, int height, int fill)
{
    auto dib = std::make_unique<VDib>(width, height);
    VPaletteEntry* colours = dib->GetPaletteEntries();
    for (int i = 0; i < kPaletteSize; ++i)
        colours[i] = VPaletteEntry{uint8_t(i), uint8_t(i), uint8_t(i), 0};
    colours[kBlack] = VPaletteEntry{0, 0, 0, 0};
    colours[kGreen] = VPaletteEntry{0, 255, 0, 0};
    colours[kKey] = VPaletteEntry{255, 0, 0, 0};
    dib->Fill(fill);
    return dib;
}

inline std::string Bmp(int width, int height, int fill) { return BmpBytes(*Dib(width, height, fill)); }

inline std::unique_ptr<VSurface> Surface(int width, int height, int fill)
{
    auto surface = std::make_unique<VDibSurface>(1, 1);
    VMemoryStream bytes(Bmp(width, height, fill));
    int used = 0;
    surface->LoadFromStream(bytes, used);
    return surface;
}

inline int Pixel(const VSurface& surface, int x, int y)
{
    return *const_cast<VDib*>(surface.GetDib())->GetPixelAddress(x, y);
}

// A sprite record: frames named by `frames` (each width x height of one index), sequences of
// one long step each on the first frame, and tag lines.
inline VPropertyWriter SpriteRecord(const std::vector<std::string>& frames, int width, int height,
                                    const std::vector<std::string>& sequences,
                                    const std::vector<std::string>& tags = {}, int fill = 7)
{
    std::vector<VPropertyWriter> frameEntries;
    for (const std::string& name : frames)
        frameEntries.push_back(FrameEntries(name, Bmp(width, height, fill), "", 0, 0));
    std::vector<VSequenceEntry> sequenceList;
    for (const std::string& name : sequences)
        sequenceList.push_back({name, {{frames.front(), 0, 0, 0, "MS:60000"}}});
    VPropertyWriter props;
    if (!tags.empty())
        props.Tags("Tag", tags);
    props.Raw("FrameList", FrameListPayload(frameEntries));
    if (!sequenceList.empty())
        props.Raw("SequenceList", SequenceListPayload(sequenceList));
    return props;
}

// Settings kept in memory for the length of a test.
class MemoryStore : public VControlStore {
public:
    std::string Read(const std::string& key, const std::string& fallback) override
    {
        auto it = values->find(key);
        return it == values->end() ? fallback : it->second;
    }
    void Write(const std::string& key, const std::string& value) override { (*values)[key] = value; }
    std::shared_ptr<std::map<std::string, std::string>> values =
        std::make_shared<std::map<std::string, std::string>>();
};

// A headless stage that counts the transitions the show asks of it (a windowed stage fades).
class FadeCountingStage : public VHeadlessStage {
public:
    void FadeTransition(bool fadeOut, bool fadeIn) override
    {
        ++fades;
        VHeadlessStage::FadeTransition(fadeOut, fadeIn);
    }
    int fades = 0;
};

// A headless stage (800 x 600 unless told) with the ship's sprites ("Ship-Engine", "Zibolt") and any
// further records, settings in memory and a fixed random seed.
class ShowFixtureBase {
public:
    explicit ShowFixtureBase(VStreamWriter extra = {}, int width = 800, int height = 600)
    {
        auto store = std::make_unique<MemoryStore>();
        settings = store->values;
        previousStore = SetControlStore(std::move(store));
        FixRandomSeed(11);
        stage = std::make_unique<FadeCountingStage>();
        stage->SetScreenSize(width, height);
        VStreamWriter stream = extra;
        stream.Record("VStage", "Stage", VPropertyWriter().Bool("Fullscreen", true));
        stream.Record("VSprite", "Ship-Engine",
                      SpriteRecord({"flame"}, 20, 30, {"ON_1", "OFF_1", "ON_2", "OFF_2"}));
        stream.Record("VSprite", "Zibolt", SpriteRecord({"s_l90", "s_l135"}, 30, 40, {}));
        stage->SetMainStream(stream.Header({}).Bytes());
        stage->Load();
    }
    ~ShowFixtureBase()
    {
        stage.reset();
        SetControlStore(std::move(previousStore));
        UnfixRandomSeed();
    }

    VSprite* Sprite(const std::string& name) { return dynamic_cast<VSprite*>(stage->FindComponent(name)); }

    // Listed among the stage's components.
    bool OnStage(VComponent* component)
    {
        const auto& list = stage->GetChildren();
        return std::find(list.begin(), list.end(), component) != list.end();
    }

    // A ship of 240 x 200 (body) with a see-through window at (20, 20, 200, 80), gear
    // 100 x 40, inside 200 x 100, skin 240 x 80.
    VSpaceShip* MakeShip()
    {
        auto outline = Surface(240, 200, 5);
        outline->GetDib()->FillRect(VRect(20, 20, 200, 80), kGreen);
        auto skin = Surface(240, 80, 6);
        auto inside = Surface(200, 100, 8);
        auto gear = Surface(100, 40, 9);
        auto* ship = new VSpaceShip(*outline, *skin, *inside, *gear, Sprite("Ship-Engine"),
                                    Sprite("Zibolt"), *stage);
        stage->GetChildren().push_back(ship);
        return ship;
    }

    std::unique_ptr<FadeCountingStage> stage;
    std::shared_ptr<std::map<std::string, std::string>> settings;

private:
    std::unique_ptr<VControlStore> previousStore;
};

// A scene that counts its starts and finishes after a given number of its own ticks.
class CountingScene : public VScene {
public:
    CountingScene(std::string name, VComponentManager* components, VComponent* parent)
        : VScene(std::move(name), components, parent)
    {
    }
    void Begin() override
    {
        ++begins;
        ticks = 0;
        if (ticksToRun == 0)
            Finish();
    }
    void OnTick() override
    {
        if (++ticks >= ticksToRun)
            Finish();
    }
    bool KeepsSky() const override { return keepsSky; }

    int begins = 0;
    int ticks = 0;
    int ticksToRun = 4;
    bool keepsSky = true;
};

inline VScene* MakeCountingScene(const std::string& name, VComponentManager* components,
                                 VComponent* parent)
{
    return new CountingScene(name, components, parent);
}

// Lets files of "Type" VMeetingScene make counting scenes while it lives.
class CountingKind {
public:
    CountingKind() : previous_(RegisterSceneKind("VMeetingScene", MakeCountingScene)) {}
    ~CountingKind() { RegisterSceneKind("VMeetingScene", previous_); }

private:
    VSceneCreator previous_;
};

// A scratch folder removed with the object.
class TempDir {
public:
    TempDir()
    {
        std::random_device seed;
        path = std::filesystem::temp_directory_path() /
               ("zibolt-show-" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directories(path);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    std::string Name(const std::string& file) const { return (path / file).string(); }
    std::filesystem::path path;
};

}  // namespace showtest
