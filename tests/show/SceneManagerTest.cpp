#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "ShowTestKit.h"
#include "engine/stream/VTimer.h"
#include "show/VFloater.h"
#include "show/VSceneManager.h"
#include "show/VWeightedChoice.h"

using namespace showtest;

namespace {

class SceneManagerTest : public ::testing::Test, public ShowFixtureBase {
public:
    explicit SceneManagerTest(VStreamWriter extra = {}, int width = 800, int height = 600)
        : ShowFixtureBase(std::move(extra), width, height)
    {
        ship = MakeShip();
        manager = new VSceneManager(ship, Sprite("Zibolt"), stage.get());
    }

    // A scene over the given file records, weighted by its base frequency.
    CountingScene* AddScene(const std::string& name, float frequency,
                            const std::string& preferred = "", const VStreamWriter& file = {})
    {
        auto* components = new VComponentManager(name, manager);
        std::string bytes = VStreamWriter(file).Header({}).Bytes();
        VMemoryStream in(bytes);
        components->AddComponentStream(&in);
        auto* scene = new CountingScene(name, components, manager);
        scene->SetBaseFrequency(frequency);
        scene->SetSceneWeight(frequency);
        scene->SetPreferredNextScene(preferred);
        manager->AddScene(scene);
        return scene;
    }

    VSpaceShip* ship;
    VSceneManager* manager;
};

TEST(WeightedChoiceTest, FractionsAreDroppedAfterEveryAddition)
{
    std::vector<float> weights{2.5f, 2.5f, 2.5f};
    EXPECT_EQ(TruncatedTotal(weights), 6);
    EXPECT_EQ(WalkWeights(weights, 0), 0u);
    EXPECT_EQ(WalkWeights(weights, 2), 0u);
    EXPECT_EQ(WalkWeights(weights, 3), 1u);
    EXPECT_EQ(WalkWeights(weights, 5), 2u);
    EXPECT_EQ(WalkWeights(weights, 6), 2u);
    EXPECT_EQ(WalkWeights({5.0f, 200.0f}, 6), 1u);
}

TEST_F(SceneManagerTest, ManagerIsAnEnabledTimerNamedDezoRivaduz)
{
    EXPECT_EQ(manager->GetName(), "DezoRivaduz");
    EXPECT_TRUE(manager->IsEnabled());
    EXPECT_DOUBLE_EQ(manager->GetInterval(), 25.0);
}

TEST_F(SceneManagerTest, OneSceneIsChosenEveryTimeWithoutDrawing)
{
    CountingScene* only = AddScene("only.VCS", 30);
    FixRandomSeed(5);
    int expected = RandomBits();
    FixRandomSeed(5);
    for (int i = 0; i < 3; ++i) {
        manager->StartNextScene();
        EXPECT_EQ(manager->GetCurrentScene(), only);
        only->Finish();
        EXPECT_EQ(manager->GetCurrentScene(), nullptr);
    }
    EXPECT_EQ(RandomBits(), expected);
    EXPECT_EQ(only->begins, 3);
    EXPECT_FLOAT_EQ(only->GetSceneWeight(), 30);
    EXPECT_EQ((*settings)["only.VCS"], "1");
}

TEST_F(SceneManagerTest, ChosenSceneDropsAndOthersClimbBack)
{
    CountingScene* a = AddScene("a.VCS", 30);
    CountingScene* b = AddScene("b.VCS", 30);
    manager->StartNextScene();
    auto* chosen = static_cast<CountingScene*>(manager->GetCurrentScene());
    CountingScene* other = chosen == a ? b : a;
    EXPECT_FLOAT_EQ(chosen->GetSceneWeight(), 5);
    EXPECT_FLOAT_EQ(other->GetSceneWeight(), 30);
    chosen->Finish();
    // The first is chosen again now and then; the start that finally picks the other pulls
    // the first from 5 a fifth of the way back to 30.
    bool otherChosen = false;
    for (int i = 0; i < 50 && !otherChosen; ++i) {
        manager->StartNextScene();
        otherChosen = manager->GetCurrentScene() == other;
        manager->GetCurrentScene()->Finish();
    }
    ASSERT_TRUE(otherChosen);
    EXPECT_FLOAT_EQ(other->GetSceneWeight(), 5);
    EXPECT_FLOAT_EQ(chosen->GetSceneWeight(), 0.8f * 5 + 0.2f * 30);
}

TEST_F(SceneManagerTest, PreferredFollowerAlmostAlwaysComesNext)
{
    CountingScene* intro = AddScene("intro.VCS", 30, "SEQUEL.vcs");
    CountingScene* sequel = AddScene("sequel.VCS", 30);
    CountingScene* self = AddScene("again.VCS", 30, "again.VCS");
    CountingScene* lost = AddScene("lost.VCS", 30, "nowhere.VCS");
    AddScene("filler.VCS", 30);
    int intros = 0;
    int followed = 0;
    VScene* previous = nullptr;
    for (int i = 0; i < 400; ++i) {
        manager->StartNextScene();
        VScene* now = manager->GetCurrentScene();
        if (previous == intro) {
            ++intros;
            followed += now == sequel;
        }
        if (now == self) {
            EXPECT_FLOAT_EQ(self->GetSceneWeight(), 200);
        }
        if (now == lost) {
            EXPECT_FLOAT_EQ(lost->GetSceneWeight(), 5);
        }
        if (now == intro) {
            EXPECT_FLOAT_EQ(sequel->GetSceneWeight(), 200);
        }
        now->Finish();
        previous = now;
    }
    // Weight 200 against the others' 5 to 30, and up to 166 for the self-preferring scene
    // while it decays: well over half of the time, where a plain 30 would give about a fifth.
    ASSERT_GT(intros, 10);
    EXPECT_GT(followed, intros / 2);
}

TEST_F(SceneManagerTest, AChosenNextSceneComesNextOnceAndIsWeightedAsShown)
{
    std::vector<CountingScene*> scenes;
    for (const char* name : {"a.VCS", "b.VCS", "c.VCS", "d.VCS"})
        scenes.push_back(AddScene(name, 30));
    for (CountingScene* wanted : scenes) {
        manager->SetNextScene(wanted);
        manager->StartNextScene();
        EXPECT_EQ(manager->GetCurrentScene(), wanted);
        EXPECT_EQ(manager->GetNextScene(), nullptr);
        EXPECT_FLOAT_EQ(wanted->GetSceneWeight(), 5);
        wanted->Finish();
    }
}

TEST_F(SceneManagerTest, EmptyShowKeepsTheShipCentred)
{
    manager->StartShow();
    stage->RunFor(500);
    EXPECT_EQ(manager->GetCurrentScene(), nullptr);
    EXPECT_TRUE(manager->AreFloatersActive());
    EXPECT_FLOAT_EQ(ship->GetXPos(), 400);
    EXPECT_FLOAT_EQ(ship->GetYPos(), (200 + 600) * 0.5f);
    EXPECT_FLOAT_EQ(ship->GetZPos(), 1);
    EXPECT_TRUE(ship->IsVisible());
    EXPECT_EQ(ship->GetFlameAmount(), 0);
    EXPECT_EQ(ship->GetGearExtension(), 0);
}

TEST_F(SceneManagerTest, ScenesStartAndFinishOnTheClock)
{
    CountingScene* a = AddScene("a.VCS", 30);
    CountingScene* b = AddScene("b.VCS", 30);
    manager->StartShow();
    stage->RunFor(2000);
    // Each scene runs four of its 25 ms ticks, then the next tick of the manager starts
    // another: about 16 starts in two seconds.
    int starts = a->begins + b->begins;
    EXPECT_GE(starts, 12);
    EXPECT_LE(starts, 20);
    EXPECT_GT(a->begins, 0);
    EXPECT_GT(b->begins, 0);
}

TEST_F(SceneManagerTest, SkyReplacingSceneTakesTheSkyAndGivesItBack)
{
    VStreamWriter file;
    file.Record("VSprite", "Cloud", SpriteRecord({"c"}, 8, 8, {"drift"}, {"SkyItem=True"}).Coo("XPos", 400).Coo("YPos", 300).Bool("Visible", false));
    file.Record("VSprite", "Rock", SpriteRecord({"r"}, 8, 8, {"roll"}));
    CountingScene* planet = AddScene("planet.VCS", 30, "", file);
    planet->keepsSky = false;
    planet->ticksToRun = 1000;
    auto* cloud = dynamic_cast<VSprite*>(planet->GetComponents()->FindComponent("Cloud"));
    auto* rock = dynamic_cast<VSprite*>(planet->GetComponents()->FindComponent("Rock"));
    ASSERT_TRUE(cloud && rock);
    EXPECT_FLOAT_EQ(cloud->GetXPos(), 400);  // 800 x 600: the design size

    manager->StartShow();
    ship->SetScale(0.5f);
    ship->SetXPos(10);
    stage->RunFor(100);
    ASSERT_EQ(manager->GetCurrentScene(), planet);
    EXPECT_FALSE(manager->AreFloatersActive());
    EXPECT_TRUE(cloud->IsVisible());
    EXPECT_TRUE(OnStage(cloud));
    EXPECT_TRUE(planet->IsEnabled());
    rock->Run("roll", -1, VSprite::kUnchanged, VSprite::kUnchanged, VSprite::kUnchanged);

    planet->Finish();
    EXPECT_FALSE(planet->IsEnabled());
    EXPECT_FALSE(cloud->IsVisible());
    EXPECT_FALSE(rock->IsVisible());
    EXPECT_EQ(rock->GetRunningSequence(), nullptr);
    EXPECT_FALSE(OnStage(cloud));
    EXPECT_TRUE(manager->AreFloatersActive());
    EXPECT_EQ(manager->GetCurrentScene(), nullptr);
    EXPECT_FLOAT_EQ(ship->GetXPos(), 400);
    EXPECT_FLOAT_EQ(ship->GetScale(), 1);
}

TEST_F(SceneManagerTest, MailHoldsTheNextSceneUntilItIsDelivered)
{
    VStreamWriter file;
    file.Record("VSprite", "VMAIL", SpriteRecord({"letter"}, 10, 10, {"DEFAULT"}));
    CountingScene* post = AddScene("post.VCS", 30, "", file);
    post->ticksToRun = 1;
    manager->StartShow();
    stage->RunFor(200);
    ASSERT_EQ(post->begins, 1);
    EXPECT_TRUE(ship->IsBusy());
    EXPECT_EQ(ship->GetMail(), post->GetComponents()->FindComponent("VMAIL"));
    stage->RunFor(12000);
    EXPECT_EQ(post->begins, 1);  // 12.4 s of mail are not over yet
    // The display ends after 124 ticks of 100 ms; the next manager tick starts the scene
    // again, and its mail makes the ship busy once more when it finishes.
    for (int step = 0; step < 100 && post->begins == 1; ++step)
        stage->RunFor(5);
    EXPECT_EQ(post->begins, 2);
    EXPECT_FALSE(ship->IsBusy());
    EXPECT_GE(stage->GetTime(), 50 + 12400);
    EXPECT_LE(stage->GetTime(), 12900);
    stage->RunFor(100);
    EXPECT_TRUE(ship->IsBusy());
    EXPECT_LE(ship->GetMailTick(), 1);
}

TEST_F(SceneManagerTest, SceneOverWithinBeginLeavesTheSkyAlone)
{
    CountingScene* quick = AddScene("quick.VCS", 30);
    quick->keepsSky = false;
    quick->ticksToRun = 0;
    manager->StartShow();
    int fades = stage->fades;
    manager->StartNextScene();
    EXPECT_EQ(quick->begins, 1);
    EXPECT_EQ(manager->GetCurrentScene(), nullptr);
    EXPECT_TRUE(manager->AreFloatersActive());
    EXPECT_FALSE(quick->IsEnabled());
    EXPECT_EQ(stage->fades, fades) << "a scene that showed nothing fades nothing";
}

TEST_F(SceneManagerTest, ADestroyedSceneLeavesTheChoice)
{
    CountingScene* a = AddScene("a.VCS", 30);
    CountingScene* b = AddScene("b.VCS", 30);
    manager->StartNextScene();
    auto* running = manager->GetCurrentScene();
    delete running;
    EXPECT_EQ(manager->GetCurrentScene(), nullptr);
    ASSERT_EQ(manager->GetScenes().size(), 1u);
    EXPECT_EQ(manager->GetScenes()[0], running == a ? b : a);
}

class SceneFilesTest : public SceneManagerTest {
public:
    SceneFilesTest() : SceneManagerTest({}, 400, 300) {}

    void Write(const std::string& name, const std::vector<std::string>& header,
               VStreamWriter records = {})
    {
        records.Header(header).WriteFile(dir.Name(name));
    }

    CountingKind kind;
    TempDir dir;
};

TEST_F(SceneFilesTest, LoadsScenesAndFloatLibrariesAndSkipsBadFiles)
{
    VStreamWriter sky;
    sky.Record("VSprite", "Cloud", SpriteRecord({"c"}, 8, 8, {}, {"SkyItem=True"}).Coo("XPos", 400).Coo("YPos", 300));
    Write("a.VCS", {"Type=VMeetingScene", "Frequency=10"}, sky);
    Write("b.vcs", {"Type=vmeetingscene", "PreferredNextScene=a.VCS"});
    Write("notype.VCS", {"Frequency=10"});
    Write("odd.VCS", {"Type=VCartoonScene"});
    Write("stars.VCS", {"Type=VFloatLib"},
          VStreamWriter().Record("VSprite", "Star", SpriteRecord({"s"}, 4, 4, {}, {"Frequency=2"})));
    // Refused whole: its first sprite makes no floaters either.
    Write("greedy.VCS", {"Type=VFloatScene"},
          VStreamWriter()
              .Record("VSprite", "Fine", SpriteRecord({"s"}, 4, 4, {}, {"Frequency=2"}))
              .Record("VSprite", "Greedy", SpriteRecord({"s"}, 4, 4, {}, {"Frequency=5000"})));
    Write("notes.txt", {"Type=VMeetingScene"});
    std::ofstream(dir.Name("junk.VCS")) << "not a scene at all";
    (*settings)["a.VCS"] = "1";
    std::size_t before = stage->GetChildren().size();

    manager->LoadSceneFiles(dir.path.string());

    const auto& scenes = manager->GetScenes();
    ASSERT_EQ(scenes.size(), 2u);
    EXPECT_EQ(scenes[0]->GetName(), "a.VCS");
    EXPECT_EQ(scenes[1]->GetName(), "b.vcs");
    EXPECT_FLOAT_EQ(scenes[0]->GetBaseFrequency(), 10);  // shown before
    EXPECT_FLOAT_EQ(scenes[1]->GetBaseFrequency(), 60);  // never shown: twice the default
    EXPECT_FLOAT_EQ(scenes[1]->GetSceneWeight(), 60);
    EXPECT_EQ(scenes[1]->GetPreferredNextScene(), "a.VCS");
    // Sky items are laid out for 800 x 600; this stage is half that.
    auto* cloud = dynamic_cast<VPixie*>(scenes[0]->GetComponents()->FindComponent("Cloud"));
    ASSERT_NE(cloud, nullptr);
    EXPECT_FLOAT_EQ(cloud->GetXPos(), 200);
    EXPECT_FLOAT_EQ(cloud->GetYPos(), 150);

    EXPECT_EQ(manager->GetFloatLibraries().size(), 1u);
    EXPECT_EQ(manager->GetFloaterPool().size(), 2u);
    // Only the floaters' copies stay on the stage; the files' components are off it.
    EXPECT_EQ(stage->GetChildren().size(), before + 2);

    const auto& reported = stage->GetReportedExceptions();
    ASSERT_EQ(reported.size(), 4u);
    EXPECT_NE(std::find(reported.begin(), reported.end(),
                        "Floater Greedy asks for 5000 copies; at most 1000 are made."),
              reported.end());
    EXPECT_NE(std::find(reported.begin(), reported.end(),
                        "Zeg tegen Jex dat hij geen type in notype.VCS heeft ingevuld"),
              reported.end());
    EXPECT_NE(std::find(reported.begin(), reported.end(),
                        "Zeg tegen Jex dat hij geen type in odd.VCS heeft ingevuld"),
              reported.end());
    EXPECT_TRUE(std::any_of(reported.begin(), reported.end(), [](const std::string& m) {
        return m.find("junk.VCS") != std::string::npos;
    }));
}

TEST_F(SceneFilesTest, MissingDirectoryGivesAShowWithoutScenes)
{
    manager->LoadSceneFiles(dir.Name("nowhere"));
    EXPECT_TRUE(manager->GetScenes().empty());
    EXPECT_TRUE(stage->GetReportedExceptions().empty());
    manager->StartShow();
    stage->RunFor(200);
    EXPECT_EQ(manager->GetCurrentScene(), nullptr);
}

}  // namespace
