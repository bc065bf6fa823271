// Each scene file alone in the show, played from its start to its end on the virtual clock:
// it ends within the time its content takes, and shows on the way what its kind is for.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "engine/pixies/VBalloon.h"
#include "engine/pixies/VDirector.h"
#include "engine/pixies/VSprite.h"
#include "engine/pixies/VTextBlock.h"
#include "engine/stream/VText.h"
#include "show/VScene.h"
#include "show/VSceneKinds.h"
#include "show/VSceneManager.h"
#include "show/VSpaceShip.h"
#include "tests/scenes/SceneFilesKit.h"

using namespace scenefiles;

namespace {

constexpr double kPollMs = 50;
constexpr double kTickMs = 25;
constexpr float kStageWidth = 800;

std::vector<std::string> PlayableScenes()
{
    std::vector<std::string> names;
    for (const std::string& name : SceneFileNames())
        if (!IsFloatLibraryType(GetTagValue(ReadSceneFile(name)->GetHeader(), "Type", "")))
            names.push_back(name);
    return names;
}

std::string Header(const VComponentManager& file, const char* key, const char* fallback)
{
    return GetTagValue(file.GetHeader(), key, fallback);
}

// The longest visit's two talks: the "Intro" and "Exit" texts are used in pairs.
double LongestTalksMs(const VComponentManager& file)
{
    auto intros = ListEntries(Header(file, "Intro", "Intro"));
    auto exits = ListEntries(Header(file, "Exit", "Exit"));
    double longest = 0;
    for (std::size_t i = 0; i < intros.size(); ++i) {
        double ms = TalkMs(dynamic_cast<VTextBlock*>(file.FindComponent(intros[i])));
        if (i < exits.size())
            ms += TalkMs(dynamic_cast<VTextBlock*>(file.FindComponent(exits[i])));
        longest = std::max(longest, ms);
    }
    return longest;
}

VDirector* FileDirector(const VComponentManager& file, const char* name)
{
    return dynamic_cast<VDirector*>(file.FindComponent(name));
}

// How long the scene may take, from what it holds: flights, animations and talks, each
// counted once, with room for the ticks between the states.
double ContentBoundMs(const VComponentManager& file, VStage& stage)
{
    std::string type = Header(file, "Type", "");
    double ms = 0;
    if (SameText(type, "VPlanetScene")) {
        auto* hero = dynamic_cast<VSprite*>(stage.FindComponent("Zibolt"));
        ms = 2 * 6000 + PassMs(dynamic_cast<VDirector*>(stage.FindComponent("GetOut"))) +
             PassMs(dynamic_cast<VDirector*>(stage.FindComponent("GetIn"))) + LongestTalksMs(file) +
             PassMs(FileDirector(file, "Playing")) + SequenceMs(*hero, "getmic") + SequenceMs(*hero, "awaymic");
    } else if (SameText(type, "VMeetingScene")) {
        float speed = static_cast<float>(std::atof(Header(file, "Speed", "10").c_str()));
        float meetX = kStageWidth / 2 + static_cast<float>(std::atof(Header(file, "XPos", "0").c_str()));
        float x, y, z;
        VDirector* playing = FileDirector(file, "Playing");
        if (playing && playing->GetStartPosition("Inside", x, y, z))
            meetX = kStageWidth / 2 - 110 - x;
        ms = (meetX + 200) / speed * kTickMs + LongestTalksMs(file) + PassMs(playing) +
             (kStageWidth - meetX) / speed * kTickMs;
    } else if (SameText(type, "VMovingScene")) {
        // One step of "Speed" along the path, in path space, every millisecond or so.
        auto points = PathPoints(Header(file, "Path", ""));
        double length = 0;
        for (std::size_t i = 1; i < points.size(); ++i) {
            const PathPoint &a = points[i - 1], &b = points[i];
            length += std::hypot(b.x * b.z - a.x * a.z, b.y * b.z - a.y * a.z, b.z - a.z);
        }
        ms = length / std::atof(Header(file, "Speed", "").c_str());
    } else if (SameText(type, "VInShipScene")) {
        ms = PassMs(FileDirector(file, "Scene"));
    }
    return ms * 1.2 + 2000;
}

// What the poll saw while the scene ran.
struct Seen {
    double startedAt = -1, endedAt = -1;
    bool heroOutside = false, balloon = false, insideHidden = false;
    // While the ship's own cabin is hidden, the scene's "Inside" must cover it exactly.
    bool cabinShown = false, cabinMisplaced = false;
    float smallest = 1, largest = 1;
};

class ScenePlay : public ::testing::TestWithParam<std::string> {};

}  // namespace

TEST_P(ScenePlay, PlaysFromStartToEndWithinItsContentsTime)
{
    const std::string name = GetParam();
    ShowRun show({name}, 7);
    VHeadlessStage& stage = show.Stage();
    stage.RunFor(kPollMs);
    ASSERT_TRUE(stage.GetReportedExceptions().empty()) << stage.GetReportedExceptions().front();
    VSceneManager& manager = show.Manager();
    ASSERT_EQ(manager.GetScenes().size(), 1u);
    VScene* scene = manager.GetScenes().front();
    const VComponentManager& file = *scene->GetComponents();
    const double bound = ContentBoundMs(file, stage);
    VSpaceShip& ship = *manager.GetShip();
    auto* hero = dynamic_cast<VSprite*>(stage.FindComponent("Zibolt"));

    Seen seen;
    for (double t = kPollMs; t < bound + 20000 && seen.endedAt < 0; t += kPollMs) {
        if (manager.GetCurrentScene() == scene && seen.startedAt < 0)
            seen.startedAt = t;
        // Alone in the show, the scene starts again as soon as it ends: a second start ends it too.
        if (seen.startedAt >= 0 && (manager.GetCurrentScene() != scene || show.Starts(name) > 1))
            seen.endedAt = t;
        if (seen.startedAt >= 0 && seen.endedAt < 0) {
            seen.heroOutside |= !ship.IsHeroAboard() && hero->IsVisible();
            seen.insideHidden |= ship.IsInsideHidden();
            auto* cabin = dynamic_cast<VPixie*>(file.FindComponent("Inside"));
            if (cabin && cabin->IsVisible() && ship.IsInsideHidden()) {
                seen.cabinShown = true;
                seen.cabinMisplaced |= cabin->GetXPos() != ship.GetXPos() - 110 ||
                                       cabin->GetYPos() != ship.GetYPos() - 159 ||
                                       !(cabin->GetZPos() > ship.GetZPos());
            }
            seen.smallest = std::min(seen.smallest, ship.GetScale());
            seen.largest = std::max(seen.largest, ship.GetScale());
            for (VComponent* component : stage.GetChildren())
                if (auto* balloon = dynamic_cast<VBalloon*>(component))
                    seen.balloon |= balloon->IsVisible();
        }
        // With one scene file the next scene is this one again: stop looking as it ends.
        if (seen.endedAt < 0)
            stage.RunFor(kPollMs);
    }
    ASSERT_TRUE(stage.GetReportedExceptions().empty()) << stage.GetReportedExceptions().front();
    ASSERT_GE(seen.startedAt, 0) << name << " never started";
    ASSERT_GE(seen.endedAt, 0) << name << " did not end";
    const double took = seen.endedAt - seen.startedAt;
    EXPECT_LE(took, bound) << name << " took " << took << " ms";
    RecordProperty("took_ms", std::to_string(int(took)));

    std::string type = GetTagValue(file.GetHeader(), "Type", "");
    if (SameText(type, "VPlanetScene")) {
        EXPECT_TRUE(seen.heroOutside) << "the hero never climbed out";
        EXPECT_TRUE(seen.balloon);
    } else if (SameText(type, "VMeetingScene")) {
        EXPECT_TRUE(seen.balloon);
        EXPECT_EQ(seen.cabinShown, file.FindComponent("Inside") != nullptr);
        EXPECT_EQ(ship.IsBusy(), file.FindComponent("VMAIL") != nullptr) << "the mail, if any, is handed over";
    } else if (SameText(type, "VMovingScene")) {
        EXPECT_LT(seen.smallest, 0.5f) << "the ship never flew far away";
        EXPECT_GT(seen.largest, 0.9f) << "the ship never came near";
    } else if (SameText(type, "VInShipScene")) {
        EXPECT_TRUE(seen.insideHidden);
        EXPECT_TRUE(seen.cabinShown);
    }
    EXPECT_FALSE(seen.cabinMisplaced) << "the scene's cabin does not lie on the ship's";
    // Back aboard and drawn by the ship only: no second hero or sidekick left on the stage (seen
    // between scenes; a scene that started again at once already shows its own first state).
    if (show.Starts(name) == 1) {
        EXPECT_TRUE(ship.IsHeroAboard());
        EXPECT_FALSE(ship.IsInsideHidden());
        EXPECT_FALSE(hero->IsVisible());
        EXPECT_FALSE(dynamic_cast<VPixie*>(stage.FindComponent("Sidekick"))->IsVisible());
    }
}

INSTANTIATE_TEST_SUITE_P(DataFolder, ScenePlay, ::testing::ValuesIn(PlayableScenes()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param.substr(0, info.param.find('.'));
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });
