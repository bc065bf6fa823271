#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine/pixies/VDirector.h"
#include "engine/pixies/VPixieListWriter.h"
#include "engine/pixies/VSprite.h"
#include "tests/pixies/TestPixieHost.h"
#include "tests/tools/VcsImageSupport.h"
#include "tests/tools/VcsTestSupport.h"
#include "tools/vcs/VcsErrors.h"
#include "tools/vcs/VcsPixieForms.h"

namespace fs = std::filesystem;

namespace {

// A folder with two bitmaps, "a.bmp" (3 x 2) and "images/b.bmp" (5 x 4), and a file that is
// no bitmap.
class VcsPixieForms : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterPixieValueForms();
        // One folder per test: ctest runs the cases of this suite side by side.
        dir_ = fs::temp_directory_path() /
               ("vcs_pixie_forms_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(dir_ / "images");
        // Drawn with the master palette, which the build takes unchanged.
        a_ = MasterBmp(3, 2);
        b_ = MasterBmp(5, 4, 100);
        Write("a.bmp", a_);
        Write("images/b.bmp", b_);
        Write("notes.txt", "just text");
    }
    void TearDown() override { fs::remove_all(dir_); }

    void Write(const std::string& name, const std::string& bytes)
    {
        std::ofstream out(dir_ / name, std::ios::binary);
        out << bytes;
    }
    std::string Build(const std::string& className, const std::string& property, const std::string& value)
    {
        return BuildFromText(R"({"format": "vcs-tokens-1", "records": [{"class": ")" + className +
                                 R"(", "name": "Zibolt", "properties": [{"name": ")" + property +
                                 R"(", "value": )" + value + "}]}]}",
                             dir_.string());
    }
    // The one-line message of a build that must fail.
    std::string Refusal(const std::string& property, const std::string& value)
    {
        try {
            Build("VSprite", property, value);
        } catch (const VcsBuildError& e) {
            return e.what();
        }
        return "(built)";
    }

    fs::path dir_;
    std::string a_;
    std::string b_;
};

TEST_F(VcsPixieForms, FramesWriteTheEngineLayoutAndLoad)
{
    std::string bytes = Build("VSprite", "FrameList", R"({"frames": [
        {"name": "staand1", "image": "a.bmp", "transparent": "RGB24:00FF00", "hotSpotX": 54, "hotSpotY": 195},
        {"name": "staand2", "image": "images/b.bmp"}]})");
    VPropertyWriter props;
    props.Raw("FrameList", FrameListPayload({FrameEntries("staand1", a_, "RGB24:00FF00", 54, 195),
                                             FrameEntries("staand2", b_, "", 0, 0)}));
    EXPECT_EQ(bytes, VStreamWriter().Record("VSprite", "Zibolt", props).Bytes());
    EXPECT_NE(bytes.find("4#Name7#staand111#Transparent12#RGB24:00FF008#HotSpotX2#548#HotSpotY3#1957#Surface"),
              std::string::npos);
    EXPECT_EQ(TokensThenBuild(bytes), bytes) << "tokens lists the raw form, which builds back";

    TestPixieHost host;
    VMemoryStream in(bytes);
    host.AddComponentStream(&in);
    auto* sprite = dynamic_cast<VSprite*>(host.FindComponent("Zibolt"));
    ASSERT_NE(sprite, nullptr);
    ASSERT_EQ(sprite->GetFrames().size(), 2u);
    EXPECT_FLOAT_EQ(sprite->GetFrames()[0]->GetHotSpotY(), 195);
    EXPECT_EQ(sprite->GetFrames()[0]->GetTransparentColour(), 0x00FF00);
    EXPECT_FLOAT_EQ(sprite->GetFrames()[1]->GetSurface()->GetWidth(), 5);
}

TEST_F(VcsPixieForms, SequencesWriteTheEngineLayoutAndPlay)
{
    std::string frames = R"({"frames": [{"name": "a", "image": "a.bmp"}, {"name": "b", "image": "images/b.bmp"}]})";
    std::string sequences = R"({"sequences": [
        {"name": "walkrl", "steps": [{"frame": "a", "time": 100, "deltaX": -12},
                                     {"frame": "b", "time": "MS:50", "deltaY": 3, "deltaZ": 1}]},
        {"name": "idle", "steps": []}]})";
    std::string bytes = BuildFromText(R"({"format": "vcs-tokens-1", "records": [{"class": "VSprite", "name": "Zibolt",
        "properties": [{"name": "FrameList", "value": )" + frames + R"(}, {"name": "SequenceList", "value": )" +
                                          sequences + "}]}]}",
                                      dir_.string());
    std::string expected = SequenceListPayload({{"walkrl", {{"a", -12, 0, 0, "MS:100"}, {"b", 0, 3, 1, "MS:50"}}},
                                                {"idle", {}}});
    EXPECT_NE(bytes.find(CountedToken(expected)), std::string::npos);
    EXPECT_NE(bytes.find("8#FrameRef55#4#Name1#a6#DeltaX-12#6#DeltaY0#6#DeltaZ0#4#Time6#MS:100"), std::string::npos);
    EXPECT_EQ(TokensThenBuild(bytes), bytes);

    TestPixieHost host;
    VMemoryStream in(bytes);
    host.AddComponentStream(&in);
    auto* sprite = dynamic_cast<VSprite*>(host.FindComponent("Zibolt"));
    ASSERT_NE(sprite, nullptr);
    ASSERT_EQ(sprite->GetSequences().size(), 2u);
    sprite->Run("walkrl", 1, 0, 0, 0);
    host.RunUntil(400, 0.5);
    EXPECT_FLOAT_EQ(sprite->GetXPos(), -12);
    EXPECT_FLOAT_EQ(sprite->GetYPos(), 3);
    EXPECT_FLOAT_EQ(sprite->GetCurFrame()->GetSurface()->GetWidth(), 5);
}

TEST_F(VcsPixieForms, TupelsWriteTheEngineLayoutAndDirect)
{
    std::string bytes = Build("VDirector", "Tupels", R"({"tupels": [
        {"frame": 1, "pixie": "deur2", "set": {"Visible": false, "XPos": 0, "YPos": 0, "ZPos": -40}},
        {"frame": 3, "pixie": "deur2", "set": "Visible=True;XPos=10.5;YPos=0;ZPos=-40"},
        {"frame": 2, "pixie": "Zibolt", "set": {"CurFrameName": "getin0"}}]})");
    EXPECT_NE(bytes.find("50#1#15#deur237#Visible=False;XPos=0;YPos=0;ZPos=-40;"), std::string::npos);
    EXPECT_NE(bytes.find(CountedToken("deur2;Zibolt;")), std::string::npos);
    EXPECT_EQ(TokensThenBuild(bytes), bytes);

    TestPixieHost host;
    VMemoryStream in(bytes);
    host.AddComponentStream(&in);
    auto* director = dynamic_cast<VDirector*>(host.FindComponent("Zibolt"));
    ASSERT_NE(director, nullptr);
    ASSERT_EQ(director->GetTracks().size(), 2u);
    EXPECT_EQ(director->GetLastFrame(), 3);
    float x = -1, y = -1, z = -1;
    EXPECT_TRUE(director->GetStartPosition("deur2", x, y, z));
    EXPECT_FLOAT_EQ(z, -40);
    EXPECT_EQ(director->GetTracks()[0].GetKeyFrames()[1].assignments,
              (std::vector<std::string>{"Visible=True", "XPos=10.5", "YPos=0", "ZPos=-40"}));
}

TEST_F(VcsPixieForms, MistakesAreNamed)
{
    EXPECT_NE(Refusal("FrameList", R"({"frames": [{"name": "a", "image": "nothere.bmp"}]})").find("nothere.bmp"),
              std::string::npos);
    EXPECT_NE(Refusal("FrameList", R"({"frames": [{"name": "a", "image": "notes.txt"}]})")
                  .find("bitmap the show can read"),
              std::string::npos);
    std::string unknown = Refusal("FrameList", R"({"frames": [{"name": "a", "image": "a.bmp", "hotspotx": 1}]})");
    EXPECT_NE(unknown.find("frame 0"), std::string::npos) << unknown;
    EXPECT_NE(unknown.find("unknown key \"hotspotx\""), std::string::npos) << unknown;
    EXPECT_NE(Refusal("FrameList", R"({"frames": [{"image": "a.bmp"}]})").find("has no \"name\""), std::string::npos);
    EXPECT_NE(Refusal("FrameList", R"({"frames": [{"name": "a", "image": "a.bmp", "transparent": "green"}]})")
                  .find("\"color\""),
              std::string::npos);
    EXPECT_NE(Refusal("SequenceList", R"({"sequences": [{"name": "s", "steps": [{"frame": "a"}]}]})")
                  .find("step 0: a step has no \"time\""),
              std::string::npos);
    EXPECT_NE(Refusal("SequenceList", R"({"sequences": [{"name": "s", "steps": [{"frame": "a", "time": -5}]}]})")
                  .find("0 or more"),
              std::string::npos);
    EXPECT_NE(Refusal("SequenceList",
                      R"({"sequences": [{"name": "s", "steps": [{"frame": "a", "time": 1, "deltaX": 1.5}]}]})")
                  .find("whole number"),
              std::string::npos);
    EXPECT_NE(Refusal("Tupels", R"({"tupels": [{"frame": 1, "pixie": "a;b", "set": {}}]})").find("holds \";\""),
              std::string::npos);
    EXPECT_NE(Refusal("Tupels", R"({"tupels": [{"frame": 1, "pixie": "a", "set": {"XPos": [1]}}]})")
                  .find("string, number or boolean"),
              std::string::npos);
    EXPECT_NE(Refusal("Tupels", R"({"tupels": {"frame": 1}})").find("takes a JSON array"), std::string::npos);
}

}  // namespace
