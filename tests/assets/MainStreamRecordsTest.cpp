// What the show looks up in the embedded main stream: its records, the hero's and the engine's
// frames and sequences, the stars' tags, and the copies of the stream and the data files in
// the build's data folder.
#include <fstream>
#include <map>
#include <sstream>
#include <utility>
#include <vector>

#include "assets/MainStream.h"
#include "tests/assets/MainStreamKit.h"

using namespace mainstream;

namespace {

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

enum class Kind { Picture, Sprite, Director };

bool IsKind(VComponent* component, Kind kind)
{
    switch (kind) {
    case Kind::Picture:
        return dynamic_cast<VPicture*>(component) != nullptr;
    case Kind::Sprite:
        return dynamic_cast<VSprite*>(component) != nullptr;
    case Kind::Director:
        return dynamic_cast<VDirector*>(component) != nullptr;
    }
    return false;
}

}  // namespace

TEST_F(MainStreamTest, HoldsTheTwentyOneRecordsTheShowLooksUp)
{
    const std::map<std::string, Kind> expected{
        {"Zibolt", Kind::Sprite},       {"Ship-Outline", Kind::Picture}, {"Ship-Skin", Kind::Picture},
        {"Ship-Inside", Kind::Picture}, {"Ship-Land", Kind::Picture},    {"Ship-Engine", Kind::Sprite},
        {"Star1", Kind::Sprite},        {"Star2", Kind::Sprite},         {"Star3", Kind::Sprite},
        {"Star4", Kind::Sprite},        {"Star5", Kind::Sprite},         {"Star6", Kind::Sprite},
        {"Star7", Kind::Sprite},        {"deur1", Kind::Picture},        {"deur2", Kind::Picture},
        {"Sidekick", Kind::Sprite},     {"getout", Kind::Director},      {"getin", Kind::Director},
        {"Screen1", Kind::Picture},     {"Screen2", Kind::Picture}};
    // The record "Stage" sets the stage's own properties, so the stage and the other twenty
    // are its children (in paint order by now: the first repaint sorts the list by depth).
    std::map<std::string, VComponent*> children;
    for (VComponent* child : stage_->GetChildren())
        EXPECT_TRUE(children.emplace(child->GetName(), child).second) << "twice: " << child->GetName();
    EXPECT_EQ(children.size(), expected.size() + 1);
    EXPECT_EQ(children["Stage"], stage_.get());
    for (const auto& [name, kind] : expected) {
        ASSERT_TRUE(children.count(name)) << name;
        EXPECT_TRUE(IsKind(children[name], kind)) << name;
    }
    EXPECT_EQ(stage_->GetCaption(), "Zibolt");
    EXPECT_EQ(stage_->GetBackground()->GetWidth(), 800);
    EXPECT_EQ(stage_->GetBackground()->GetHeight(), 600);
    // The saver picks full screen per mode; the debug window keeps the stream's flag.
    EXPECT_FALSE(stage_->GetSetup().fullScreen);
    // The planet scene asks for its directors as "GetOut" and "GetIn".
    EXPECT_EQ(stage_->FindComponent("GetOut"), &Director("getout"));
    EXPECT_EQ(stage_->FindComponent("GetIn"), &Director("getin"));
}

TEST_F(MainStreamTest, EverythingStartsHidden)
{
    // The set-up, the ship and the directors show what they need; anything visible from the
    // start would be painted at the stage's top-left corner.
    for (VComponent* child : stage_->GetChildren()) {
        if (auto* pixie = dynamic_cast<VPixie*>(child)) {
            EXPECT_FALSE(pixie->IsVisible()) << child->GetName();
        }
    }
}

TEST_F(MainStreamTest, HeroAndEngineHaveTheFramesAndSequencesTheShowAsksFor)
{
    VSprite& hero = Sprite("Zibolt");
    for (const char* frame : {"s_l90", "s_l135"})
        EXPECT_NO_THROW(hero.FindFrameByName(frame)) << frame;
    for (const char* sequence : {"TALK", "STAND", "getmic", "awaymic", "TALKSIT", "LISTENSIT", "walkrl"})
        EXPECT_NE(hero.FindSequence(sequence), nullptr) << sequence;
    VSprite& engine = Sprite("Ship-Engine");
    for (const char* sequence : {"ON_1", "OFF_1", "ON_2", "OFF_2", "ON_3", "OFF_3"})
        EXPECT_NE(engine.FindSequence(sequence), nullptr) << sequence;
    // Frames the ship draws directly must be see-through around the figure.
    EXPECT_NE(hero.FindFrameByName("s_l90")->GetSurface()->GetTransparentColor(), -1);
}

TEST_F(MainStreamTest, EverySequencePlaysThroughOnItsOwnSprite)
{
    // A step naming a frame the sprite lacks throws only when it is played: play every
    // sequence of every sprite once and let the stage report what failed.
    double longest = 0;
    for (VComponent* child : stage_->GetChildren()) {
        auto* sprite = dynamic_cast<VSprite*>(child);
        if (!sprite)
            continue;
        for (const auto& sequence : sprite->GetSequences()) {
            ASSERT_FALSE(sequence->GetSteps().empty()) << sprite->GetName() << " " << sequence->GetName();
            double total = 0;
            for (const auto& step : sequence->GetSteps())
                total += step->GetTime();
            longest = std::max(longest, total);
        }
    }
    stage_->RunFor(0);
    // Each sprite runs one sequence at a time: one pass of each in turn.
    for (VComponent* child : stage_->GetChildren()) {
        auto* sprite = dynamic_cast<VSprite*>(child);
        if (!sprite)
            continue;
        for (const auto& sequence : sprite->GetSequences()) {
            sprite->Run(sequence->GetName(), 1, VSprite::kUnchanged, VSprite::kUnchanged, VSprite::kUnchanged);
            stage_->RunFor(longest + 100);
            EXPECT_EQ(sprite->GetRunningSequence(), nullptr) << sprite->GetName() << " " << sequence->GetName();
        }
    }
    EXPECT_TRUE(stage_->GetReportedExceptions().empty()) << stage_->GetReportedExceptions().front();
}

TEST_F(MainStreamTest, StarsAreTaggedFloatersWithATwinkleLoop)
{
    int slower = 0;
    for (int i = 1; i <= 7; ++i) {
        VSprite& star = Sprite("Star" + std::to_string(i));
        const VTagList& tags = star.GetTags();
        EXPECT_TRUE(IsTrue(GetTagValue(tags, "Sterretje", ""))) << star.GetName();
        EXPECT_EQ(GetTagValue(tags, "Speed", ""), "20-50") << star.GetName();
        const std::string frequency = GetTagValue(tags, "Frequency", "");
        EXPECT_TRUE(frequency == "50" || frequency == "30") << star.GetName() << " " << frequency;
        slower += frequency == "30";
        const std::string twinkle = GetTagValue(tags, "Pre", "");
        ASSERT_NE(star.FindSequence(twinkle), nullptr) << star.GetName() << " Pre=" << twinkle;
        const VSurface* image = star.GetCurFrame()->GetSurface();
        EXPECT_GE(image->GetWidth(), 6);
        EXPECT_LE(image->GetWidth(), 24);
    }
    EXPECT_EQ(slower, 1);
    // Only the stars are floaters: the hero or the sidekick drifting across the sky would be wrong.
    int tagged = 0;
    for (VComponent* child : stage_->GetChildren())
        tagged += IsTrue(GetTagValue(child->GetTags(), "Sterretje", ""));
    EXPECT_EQ(tagged, 7);
}

TEST_F(MainStreamTest, PreviewCardsFitThePreviewWindow)
{
    for (const char* name : {"Screen1", "Screen2"}) {
        EXPECT_EQ(Picture(name).GetWidth(), 152) << name;
        EXPECT_EQ(Picture(name).GetHeight(), 112) << name;
    }
}

TEST(MainStreamData, TheBuildsDataFolderHoldsTheStreamSoundsAndSkins)
{
    const std::string data = ZIBOLT_DATA_DIR;
    const std::string source = ZIBOLT_SOURCE_DIR;
    // The linked-in bytes are the stream the build wrote, untouched by the embedding.
    const std::string_view embedded = MainStreamData();
    EXPECT_EQ(embedded.substr(0, 3), "VCS");
    EXPECT_EQ(FileBytes(std::string(ZIBOLT_STREAM_DIR) + "/Main.vcs"), embedded);
    // Every .vcs in the data folder is read as a scene file, so the main stream stays out.
    EXPECT_TRUE(FileBytes(data + "/Main.vcs").empty());
    auto expectCopied = [&](const std::string& copy, const std::string& original) {
        const std::string bytes = FileBytes(data + copy);
        EXPECT_FALSE(bytes.empty()) << copy;
        EXPECT_EQ(bytes, FileBytes(source + original)) << copy;
    };
    for (const std::string sound : {"motor1", "motor2", "motor3", "zibo1", "zibo10"})
        expectCopied("/Sounds/" + sound + ".wav", "/assets/sounds/" + sound + ".wav");
    for (const std::string skin : {"Red", "Chrome", "Dots"})
        expectCopied("/Skins/" + skin + ".bmp", "/assets/art/bmp/Skins/" + skin + ".bmp");
}
