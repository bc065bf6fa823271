// Every scene file of the data folder, read as the show reads it: the names each kind looks up,
// directors whose items and frames exist, conversations the balloon can show.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "engine/pixies/VDirector.h"
#include "engine/pixies/VPicture.h"
#include "engine/pixies/VSprite.h"
#include "engine/pixies/VTextBlock.h"
#include "engine/stream/VText.h"
#include "show/VSceneKinds.h"
#include "tests/scenes/SceneFilesKit.h"

using namespace scenefiles;

namespace {

// A balloon wider than this (in bytes of text) wraps into a bubble that covers the speakers.
constexpr std::size_t kLongestBalloon = 48;

struct SceneFile {
    std::string name;
    std::unique_ptr<VComponentManager> components;
    std::string Type() const { return GetTagValue(components->GetHeader(), "Type", ""); }
    std::string Header(const char* key, const char* fallback = "") const
    {
        return GetTagValue(components->GetHeader(), key, fallback);
    }
    template <class T>
    T* Find(const std::string& component) const
    {
        return dynamic_cast<T*>(components->FindComponent(component));
    }
};

class SceneFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        main_ = new MainStage;
        files_ = new std::vector<SceneFile>;
        for (const std::string& name : SceneFileNames())
            files_->push_back({name, ReadSceneFile(name)});
    }
    static void TearDownTestSuite()
    {
        delete files_;
        delete main_;
    }

    static std::vector<const SceneFile*> OfType(const std::string& type)
    {
        std::vector<const SceneFile*> found;
        for (const SceneFile& file : *files_)
            if (SameText(file.Type(), type) || (type == "float" && IsFloatLibraryType(file.Type())))
                found.push_back(&file);
        return found;
    }

    // Looks a directed pixie up where the show finds it: the scene's own file, else the stage.
    static VPixie* Directed(const SceneFile& file, const std::string& name)
    {
        if (auto* own = file.Find<VPixie>(name))
            return own;
        return dynamic_cast<VPixie*>(main_->Stage().FindComponent(name));
    }

    // The "Intro" and "Exit" lists: pairs of existing texts, at least two of them.
    static void ExpectTextPairs(const SceneFile& file)
    {
        auto intros = ListEntries(file.Header("Intro", "Intro"));
        auto exits = ListEntries(file.Header("Exit", "Exit"));
        EXPECT_GE(intros.size(), 2u) << file.name << ": successive visits say the same";
        EXPECT_EQ(intros.size(), exits.size()) << file.name << ": a visit without its closing text";
        for (const auto& list : {intros, exits})
            for (const std::string& name : list)
                EXPECT_NE(file.Find<VTextBlock>(name), nullptr) << file.name << ": no text " << name;
    }

    static inline MainStage* main_ = nullptr;
    static inline std::vector<SceneFile>* files_ = nullptr;
};

}  // namespace

TEST_F(SceneFiles, EveryFileHasAKindTheShowMakes)
{
    ASSERT_FALSE(files_->empty()) << "no scene files in " << DataDir();
    std::set<std::string> kinds;
    for (const SceneFile& file : *files_) {
        bool scene = false;
        for (const char* type : {"VPlanetScene", "VMeetingScene", "VMovingScene", "VInShipScene"})
            scene |= SameText(file.Type(), type);
        EXPECT_TRUE(scene || IsFloatLibraryType(file.Type())) << file.name << ": type " << file.Type();
        kinds.insert(IsFloatLibraryType(file.Type()) ? "float" : file.Type());
    }
    EXPECT_EQ(kinds, (std::set<std::string>{"VPlanetScene", "VMeetingScene", "VMovingScene", "VInShipScene", "float"}));
}

TEST_F(SceneFiles, PreferredNextScenesNameSceneFilesThatExist)
{
    std::set<std::string> scenes;
    for (const SceneFile& file : *files_)
        if (!IsFloatLibraryType(file.Type()))
            scenes.insert(file.name);
    int links = 0;
    for (const SceneFile& file : *files_) {
        std::string next = file.Header("PreferredNextScene");
        if (next.empty())
            continue;
        ++links;
        bool found = false;
        for (const std::string& scene : scenes)
            found |= SameText(scene, next);
        EXPECT_TRUE(found) << file.name << " prefers " << next << ", which is no scene file";
        EXPECT_FALSE(SameText(next, file.name)) << file.name << " would follow itself";
    }
    EXPECT_GE(links, 1);
}

TEST_F(SceneFiles, PlanetScenesHaveSkyPlanetDirectorsAndTalks)
{
    auto planets = OfType("VPlanetScene");
    ASSERT_FALSE(planets.empty());
    for (const SceneFile* file : planets) {
        SCOPED_TRACE(file->name);
        EXPECT_TRUE(file->Find<VPicture>("Sky") && file->Find<VPicture>("Planet"));
        for (const char* name : {"Before", "After", "Talking", "NotTalking", "Playing"}) {
            auto* director = file->Find<VDirector>(name);
            ASSERT_NE(director, nullptr) << name;
            float x = 1, y = 1, z = 1;
            EXPECT_TRUE(director->GetStartPosition("Pijl", x, y, z)) << name << " has no Pijl item";
            EXPECT_GE(director->GetLastFrame(), 1) << name;
        }
        ExpectTextPairs(*file);
    }
    if (planets.size() > 1) {
        int hiding = 0;
        for (const SceneFile* file : planets)
            hiding += IsTrue(file->Header("HideZibo", "False"));
        EXPECT_EQ(hiding, 1) << "one planet scene performs without the hero";
    }
}

TEST_F(SceneFiles, MeetingScenesHaveTheVisitorsDirectorsAndHandOverMail)
{
    auto meetings = OfType("VMeetingScene");
    ASSERT_FALSE(meetings.empty());
    int withMail = 0;
    for (const SceneFile* file : meetings) {
        SCOPED_TRACE(file->name);
        for (const char* name : {"MoveIn", "Talking", "NotTalking", "Playing"}) {
            auto* director = file->Find<VDirector>(name);
            ASSERT_NE(director, nullptr) << name;
            EXPECT_GE(director->GetLastFrame(), 1) << name;
        }
        if (auto* mail = file->Find<VSprite>("VMAIL")) {
            ++withMail;
            // The ship shows the mail for 12.4 s while "DEFAULT" plays; a shorter one cuts it off.
            EXPECT_GE(SequenceMs(*mail, "DEFAULT"), 12400);
            ASSERT_FALSE(mail->GetFrames().empty());
            EXPECT_LE(mail->GetCurFrame()->GetSurface()->GetWidth(), 140) << "wider than the window";
        }
        if (file->Find<VComponent>("Inside")) {
            EXPECT_NE(file->Find<VPixie>("Zibo"), nullptr) << "an inside meeting marks the hero's place";
            float x, y, z;
            EXPECT_TRUE(file->Find<VDirector>("Playing")->GetStartPosition("Inside", x, y, z));
        }
        ExpectTextPairs(*file);
        // The visitor speaks too: some balloons carry its placement.
        int visitorLines = 0;
        for (const std::string& name : ListEntries(file->Header("Intro", "Intro")))
            for (const std::string& balloon : Balloons(*file->Find<VTextBlock>(name)))
                visitorLines += !balloon.empty() && balloon[0] == '(';
        EXPECT_GT(visitorLines, 0);
    }
    EXPECT_GE(withMail, 1) << "no visitor brings mail";
}

TEST_F(SceneFiles, MovingScenesFlyAPathThroughDepthOverTheirOwnSky)
{
    auto moving = OfType("VMovingScene");
    ASSERT_FALSE(moving.empty());
    for (const SceneFile* file : moving) {
        SCOPED_TRACE(file->name);
        auto points = PathPoints(file->Header("Path"));
        ASSERT_GE(points.size(), 2u);
        double nearest = points[0].z, farthest = points[0].z;
        for (const PathPoint& p : points) {
            EXPECT_GT(p.z, 20) << "a point at or behind the viewer";
            nearest = std::min(nearest, p.z);
            farthest = std::max(farthest, p.z);
        }
        EXPECT_GE(farthest / nearest, 2.0) << "too little depth to see the perspective";
        EXPECT_GT(std::atof(file->Header("Speed").c_str()), 0);
        int skyItems = 0;
        for (VComponent* component : file->components->GetChildren())
            skyItems += IsTrue(GetTagValue(component->GetTags(), "SkyItem", "False"));
        EXPECT_GE(skyItems, 3);
    }
}

TEST_F(SceneFiles, InShipScenesPlayOneDirectorOverTheCabin)
{
    auto inShip = OfType("VInShipScene");
    ASSERT_FALSE(inShip.empty());
    auto* cabin = dynamic_cast<VPicture*>(main_->Stage().FindComponent("Ship-Inside"));
    ASSERT_NE(cabin, nullptr);
    for (const SceneFile* file : inShip) {
        SCOPED_TRACE(file->name);
        auto* scene = file->Find<VDirector>("Scene");
        ASSERT_NE(scene, nullptr);
        EXPECT_GE(scene->GetLastFrame(), 10);
        float x = 1, y = 1, z = 1;
        ASSERT_TRUE(scene->GetStartPosition("Inside", x, y, z));
        auto* inside = dynamic_cast<VPicture*>(Directed(*file, "Inside"));
        ASSERT_NE(inside, nullptr);
        // Laid exactly over the ship's own cabin layer, which is hidden meanwhile.
        EXPECT_EQ(inside->GetWidth(), cabin->GetWidth());
        EXPECT_EQ(inside->GetHeight(), cabin->GetHeight());
    }
}

TEST_F(SceneFiles, FloatLibrariesHoldSkyObjectsWithTheirFlightTags)
{
    auto libraries = OfType("float");
    ASSERT_FALSE(libraries.empty());
    int objects = 0;
    for (const SceneFile* file : libraries) {
        for (VComponent* component : file->components->GetChildren()) {
            auto* sprite = dynamic_cast<VSprite*>(component);
            if (!sprite)
                continue;
            SCOPED_TRACE(file->name + "/" + sprite->GetName());
            ++objects;
            const VTagList& tags = sprite->GetTags();
            EXPECT_GE(std::atoi(GetTagValue(tags, "Frequency", "1").c_str()), 1);
            std::string speed = GetTagValue(tags, "Speed", "");
            EXPECT_GT(std::atof(Before(speed, "-").c_str()), 0) << "Speed " << speed;
            for (const char* key : {"StartX", "EndX"})
                EXPECT_FALSE(GetTagValue(tags, key, "").empty()) << key;
            for (const char* key : {"Pre", "During", "Post"}) {
                std::string name = GetTagValue(tags, key, "");
                EXPECT_FALSE(name.empty()) << key;
                EXPECT_NE(sprite->FindSequence(name), nullptr) << key << " " << name;
            }
            // Scattered floaters keep the depth they were read with: behind the ship.
            EXPECT_GE(sprite->GetZPos(), 100);
        }
    }
    EXPECT_GE(objects, 4);
}

TEST_F(SceneFiles, DirectorsMovePixiesThatExistAndShowTheirFrames)
{
    for (const SceneFile& file : *files_) {
        for (VComponent* component : file.components->GetChildren()) {
            auto* director = dynamic_cast<VDirector*>(component);
            if (!director)
                continue;
            SCOPED_TRACE(file.name + "/" + director->GetName());
            for (const VDirectorTrack& track : director->GetTracks()) {
                const std::string& name = track.GetPixieName();
                VPixie* pixie = Directed(file, name);
                if (SameText(name, "Pijl"))
                    continue;  // a mark for placing the director, not a pixie
                ASSERT_NE(pixie, nullptr) << "no pixie " << name;
                auto* sprite = dynamic_cast<VSprite*>(pixie);
                std::string keys;
                for (const VKeyFrame& key : track.GetKeyFrames()) {
                    // The show pairs the keys of two key frames by position: they must agree.
                    std::string these;
                    for (const std::string& assignment : key.assignments) {
                        these += Before(assignment, "=") + ";";
                        if (SameText(Before(assignment, "="), "CurFrameName")) {
                            std::string frame = assignment.substr(assignment.find('=') + 1);
                            ASSERT_NE(sprite, nullptr) << name << " is no sprite";
                            EXPECT_NE(sprite->FindFrameByName(frame), nullptr)
                                << name << " has no frame " << frame << " (key frame " << key.frame << ")";
                        }
                    }
                    if (keys.empty())
                        keys = these;
                    EXPECT_EQ(these, keys) << name << " at key frame " << key.frame;
                }
            }
        }
    }
}

TEST_F(SceneFiles, BalloonsAreShortAndPlacementsRead)
{
    for (const SceneFile& file : *files_) {
        for (VComponent* component : file.components->GetChildren()) {
            auto* text = dynamic_cast<VTextBlock*>(component);
            if (!text)
                continue;
            SCOPED_TRACE(file.name + "/" + text->GetName());
            for (const std::string& balloon : Balloons(*text)) {
                std::string words = balloon;
                if (!words.empty() && words[0] == '(') {
                    ASSERT_NE(words.find(')'), std::string::npos) << balloon;
                    std::string place = SplitHead(words, ")").substr(1);
                    EXPECT_NE(place.find(','), std::string::npos) << "placement " << place;
                }
                EXPECT_FALSE(words.find_first_not_of(" \n") == std::string::npos) << "an empty balloon";
                EXPECT_LE(words.size(), kLongestBalloon) << words;
            }
        }
    }
}

TEST_F(SceneFiles, StarsScatteredAtTheStartLieBehindTheShipAndTheVisitors)
{
    int stars = 0;
    for (VComponent* component : main_->Stage().GetChildren()) {
        auto* sprite = dynamic_cast<VSprite*>(component);
        if (!sprite || !IsTrue(GetTagValue(sprite->GetTags(), "Sterretje", "False")))
            continue;
        ++stars;
        // The ship flies at depth 1, visitors some 60 behind it; launched floaters at 100 to 1000.
        EXPECT_GE(sprite->GetZPos(), 100) << sprite->GetName();
    }
    EXPECT_EQ(stars, 7);
}

TEST_F(SceneFiles, OwnSoundsAreWavesOfTheSoundsFolder)
{
    int sounding = 0;
    for (const SceneFile& file : *files_) {
        std::string sound = file.Header("PlayingSound");
        if (sound.empty())
            continue;
        ++sounding;
        EXPECT_TRUE(std::filesystem::is_regular_file(DataDir() / "Sounds" / (sound + ".wav")))
            << file.name << " plays " << sound << ", which the Sounds folder lacks";
    }
    EXPECT_GE(sounding, 16);
}
