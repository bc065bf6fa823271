// Recording a headless run: GIF and PNG output, sampling, and repeatable runs.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "engine/pixies/VDirector.h"
#include "engine/pixies/VPixieListWriter.h"
#include "engine/pixies/VSprite.h"
#include "tests/platform/Decoders.h"
#include "tests/platform/TempDir.h"
#include "tests/stage/StageTestKit.h"

using namespace stagetest;

namespace {

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A 64 x 48 stage: a sprite "Hero" whose sequence "walk" swaps two 8 x 8 frames (indices 5
// and 6) every 100 ms, and a director "Mover" that takes it from x 0 to x 45 over frames 1
// to 10 at 100 ms a frame.
std::string WalkingHeroStream()
{
    std::vector<VPropertyWriter> frames{FrameEntries("a", SolidBmp(8, 8, 5), "", 0, 0),
                                        FrameEntries("b", SolidBmp(8, 8, 6), "", 0, 0)};
    std::vector<VSequenceEntry> sequences{{"walk", {{"a", 0, 0, 0, "MS:100"}, {"b", 0, 0, 0, "MS:100"}}}};
    std::vector<VTupleEntry> tuples{{"1", "Hero", "XPos=0;YPos=10;ZPos=1;"},
                                   {"10", "Hero", "XPos=45;YPos=10;ZPos=1;"}};
    return VStreamWriter()
        .Record("VStage", "Stage", VPropertyWriter().Raw("Background", SolidBmp(64, 48, 2)))
        .Record("VSprite", "Hero", VPropertyWriter()
                                       .Coo("XPos", 0)
                                       .Coo("YPos", 10)
                                       .Coo("ZPos", 1)
                                       .Bool("Visible", true)
                                       .Text("CurFrameName", "a")
                                       .Raw("FrameList", FrameListPayload(frames))
                                       .Raw("SequenceList", SequenceListPayload(sequences)))
        .Record("VDirector", "Mover", VPropertyWriter().Text("FrameLength", "100").Raw("Tupels", TupelsPayload(tuples)))
        .Bytes();
}

std::unique_ptr<VHeadlessStage> WalkingHero()
{
    auto stage = std::make_unique<VHeadlessStage>();
    stage->GetSetup().windowRect = VRect(0, 0, 64, 48);
    stage->SetMainStream(WalkingHeroStream());
    stage->Load();
    auto* hero = dynamic_cast<VSprite*>(stage->FindComponent("Hero"));
    auto* mover = dynamic_cast<VDirector*>(stage->FindComponent("Mover"));
    EXPECT_NE(hero, nullptr);
    EXPECT_NE(mover, nullptr);
    if (hero && mover) {
        hero->Run("walk", -1, VSprite::kUnchanged, VSprite::kUnchanged, VSprite::kUnchanged);
        mover->SetLoop(false);
        mover->SetPlaying(true, 1);
    }
    return stage;
}

}  // namespace

using Recording = TempDirTest;

TEST_F(Recording, SpriteAndDirectorRecordToAGifAtAFixedStep)
{
    auto stage = WalkingHero();
    stage->Record({VRecordOptions::Format::Gif, Path("walk.gif"), 1, 100});
    stage->RunFor(1000);
    stage->FinishRecording();
    EXPECT_TRUE(stage->GetReportedExceptions().empty());
    ASSERT_EQ(stage->GetRecorder()->GetRecordedCount(), 11);

    decode::Gif gif = decode::ReadGif(Path("walk.gif"));
    ASSERT_TRUE(gif.ok);
    EXPECT_EQ(gif.width, 64);
    EXPECT_EQ(gif.height, 48);
    ASSERT_EQ(gif.frames.size(), 11u);
    ASSERT_EQ(gif.global.size(), 256u);
    // The frame's own palette: entry i of the background is (i, 255 - i, i / 2).
    EXPECT_EQ(gif.global[7].Red, 7);
    EXPECT_EQ(gif.global[7].Green, 248);
    EXPECT_EQ(gif.global[7].Blue, 3);
    int total = 0;
    for (const auto& frame : gif.frames) {
        EXPECT_EQ(frame.delay, 10);
        EXPECT_FALSE(frame.localMap);
        total += frame.delay;
    }
    EXPECT_EQ(total, 110);

    // The last sample shows the hero at the director's end, x 45, in one of its frames.
    const auto& last = gif.frames.back().pixels;
    uint8_t hero = last[std::size_t(11) * 64 + 46];
    EXPECT_TRUE(hero == 5 || hero == 6) << int(hero);
    EXPECT_EQ(last[std::size_t(11) * 64 + 1], 2);
    // The first sample shows it where the stream put it.
    const auto& first = gif.frames.front().pixels;
    EXPECT_EQ(first[std::size_t(11) * 64 + 1], 5);
    // The walk shows both frames along the way.
    bool saw5 = false, saw6 = false;
    for (const auto& frame : gif.frames) {
        for (uint8_t p : frame.pixels) {
            saw5 = saw5 || p == 5;
            saw6 = saw6 || p == 6;
        }
    }
    EXPECT_TRUE(saw5 && saw6);
}

TEST_F(Recording, RunsRepeatByteForByte)
{
    for (const char* name : {"one.gif", "two.gif"}) {
        auto stage = WalkingHero();
        stage->Record({VRecordOptions::Format::Gif, Path(name), 1, 0});
        stage->RunFor(1500);
    }
    std::string one = FileBytes(Path("one.gif"));
    EXPECT_GT(one.size(), 100u);
    EXPECT_EQ(one, FileBytes(Path("two.gif")));
}

TEST_F(Recording, GifAndPngFilesAreReadableUnderTheUsersUmask)
{
    const mode_t saved = umask(022);
    for (auto format : {VRecordOptions::Format::Gif, VRecordOptions::Format::Png}) {
        const bool gif = format == VRecordOptions::Format::Gif;
        auto stage = WalkingHero();
        stage->Record({format, Path(gif ? "mode.gif" : "mode-###.png"), 1, 100});
        stage->RunFor(100);
        stage->FinishRecording();
        struct stat info {};
        const std::string written = gif ? Path("mode.gif") : Path("mode-000.png");
        ASSERT_EQ(stat(written.c_str(), &info), 0) << written;
        EXPECT_EQ(info.st_mode & 0777, 0644u) << written;
    }
    umask(saved);
}

TEST_F(Recording, EveryNthFrameAsPngFiles)
{
    auto stage = WalkingHero();
    stage->Record({VRecordOptions::Format::Png, Path("shot-###.png"), 3, 0});
    stage->RunFor(1000);
    long long presents = stage->GetPresentCount();
    const auto& files = stage->GetRecorder()->GetWrittenFiles();
    EXPECT_EQ(static_cast<long long>(files.size()), (presents + 2) / 3);
    ASSERT_FALSE(files.empty());
    EXPECT_EQ(files[0], Path("shot-000.png"));
    decode::Png png = decode::ReadPng(files.back());
    ASSERT_TRUE(png.ok);
    EXPECT_EQ(png.colorType, PNG_COLOR_TYPE_PALETTE);
    EXPECT_EQ(png.width, 64u);
    EXPECT_EQ(png.height, 48u);
    ASSERT_EQ(png.palette.size(), 256u);
    EXPECT_EQ(png.palette[200].green, 55);
}

TEST_F(Recording, GifDelaysFollowShowTimeAndPalettesTravelWithTheirFrames)
{
    VGifWriter gif(Path("p.gif"));
    VIndexedImage a;
    a.width = 3;
    a.height = 2;
    a.pixels = {0, 1, 2, 3, 4, 5};
    VIndexedImage b = a;
    b.palette[1] = {10, 20, 30, 0};
    gif.AddFrame(a, 0);
    gif.AddFrame(b, 33);
    gif.AddFrame(a, 71);
    gif.Close(100);
    decode::Gif out = decode::ReadGif(Path("p.gif"));
    ASSERT_TRUE(out.ok);
    ASSERT_EQ(out.frames.size(), 3u);
    EXPECT_EQ(out.frames[0].delay, 3);
    EXPECT_EQ(out.frames[1].delay, 4);
    EXPECT_EQ(out.frames[2].delay, 3);
    EXPECT_FALSE(out.frames[0].localMap);
    ASSERT_TRUE(out.frames[1].localMap);
    EXPECT_EQ(out.frames[1].colors[1].Red, 30);
    EXPECT_EQ(out.frames[1].colors[1].Blue, 10);
    EXPECT_EQ(out.frames[2].pixels, a.pixels);
}

TEST_F(Recording, AnUnwritableRecordingIsReportedOnceAndTheShowGoesOn)
{
    auto stage = WalkingHero();
    stage->Record({VRecordOptions::Format::Png, Path("no/such/dir/x.png"), 1, 0});
    stage->RunFor(500);
    EXPECT_EQ(stage->GetReportedExceptions().size(), 1u);
    EXPECT_EQ(stage->GetRecorder(), nullptr);
    EXPECT_GT(stage->GetPresentCount(), 3);
}
