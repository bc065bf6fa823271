#include <gtest/gtest.h>

#include <gif_lib.h>
#include <png.h>

#include <sstream>

#include "engine/pixies/VDirector.h"
#include "engine/pixies/VSprite.h"
#include "engine/stream/VStreamWriter.h"
#include "tests/tools/VcsImageSupport.h"
#include "tests/tools/VcsTestSupport.h"
#include "tools/vcs/VcsCommand.h"
#include "tools/vcs/VcsErrors.h"
#include "tools/vcs/VcsPixieForms.h"
#include "tools/vcs/VcsPlay.h"
#include "tools/vcs/VcsStageView.h"

namespace fs = std::filesystem;

namespace {

// A truecolour PNG, which the build must refuse.
void WriteRgbPng(const fs::path& path)
{
    FILE* f = std::fopen(path.string().c_str(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, f);
    png_set_IHDR(png, info, 2, 1, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_byte row[6] = {255, 0, 0, 0, 255, 0};
    png_write_row(png, row);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
}

// A stage background, a picture, a two-frame sprite with a walking sequence, a director that
// moves the picture, a timer and a text block, all from the folder's own images.
const char* kScene = R"({"format": "vcs-tokens-1", "header": ["Type=Test"], "records": [
  {"class": "VStage", "name": "Stage", "properties": [
    {"name": "Caption", "value": "Test"}, {"name": "Background", "value": {"image": "bg.bmp"}}]},
  {"class": "VPicture", "name": "door", "properties": [
    {"name": "XPos", "value": {"coo": 4}}, {"name": "YPos", "value": {"coo": 6}}, {"name": "ZPos", "value": {"coo": 3}},
    {"name": "Surface", "value": {"image": "door.png"}},
    {"name": "TransColor", "value": {"color": "RGB24:00FF00"}}, {"name": "Transparent", "value": {"bool": true}}]},
  {"class": "VSprite", "name": "Zibolt", "properties": [
    {"name": "XPos", "value": {"coo": 20}}, {"name": "YPos", "value": {"coo": 10}}, {"name": "ZPos", "value": {"coo": 1}},
    {"name": "Tag", "value": {"tags": ["Hero=True"]}},
    {"name": "FrameList", "value": {"frames": [
      {"name": "a", "image": "a.png", "transparent": "RGB24:0000FF"}, {"name": "b", "image": "b.bmp"}]}},
    {"name": "SequenceList", "value": {"sequences": [{"name": "walk", "steps": [
      {"frame": "a", "time": 100, "deltaX": 2}, {"frame": "b", "time": 50, "deltaY": -1}]}]}},
    {"name": "CurFrameName", "value": "a"}]},
  {"class": "VDirector", "name": "mover", "properties": [
    {"name": "FrameLength", "value": "40"},
    {"name": "Tupels", "value": {"tupels": [
      {"frame": 1, "pixie": "door", "set": {"XPos": 0, "YPos": 0, "Visible": true}},
      {"frame": 10, "pixie": "door", "set": {"XPos": 30, "YPos": 20, "Visible": true}}]}}]},
  {"class": "VTimer", "name": "Tick", "properties": [
    {"name": "Interval", "value": "250"}, {"name": "Enabled", "value": {"bool": false}}]},
  {"class": "VText", "name": "talk", "properties": [{"name": "Contents", "value": {"tags": ["Hello", "***"]}}]}
]})";

class VcsStage : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterPixieValueForms();
        dir_ = CaseFolder("vcs_stage");
        WriteTestFile(dir_ / "bg.bmp", MasterBmp(64, 48, 0));
        WritePngFile((dir_ / "door.png").string(), MasterImage(8, 6, 120));
        WritePngFile((dir_ / "a.png").string(), MasterImage(5, 7, 60));
        WriteTestFile(dir_ / "b.bmp", MasterBmp(6, 4, 90));
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Build(const std::string& json) { return BuildFromText(json, dir_.string()); }
    std::string StreamFile()
    {
        WriteTestFile(dir_ / "scene.vcs", Build(kScene));
        return (dir_ / "scene.vcs").string();
    }
    std::string Refusal(const std::string& image)
    {
        try {
            Build(R"({"format": "vcs-tokens-1", "records": [{"class": "VPicture", "name": "p", "properties": [
                {"name": "Surface", "value": {"image": ")" + image + R"("}}]}]})");
        } catch (const VcsBuildError& e) {
            return e.what();
        }
        return "(built)";
    }
    int Run(const VcsCommand& command, const std::vector<std::string>& args)
    {
        out_.str("");
        err_.str("");
        return command.run(args, out_, err_);
    }

    fs::path dir_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(VcsStage, ImagesAreRenumberedToTheMasterPaletteOrRefused)
{
    // Same colours as the master's, at other indices: the pixels keep their colours.
    VIndexedImage shuffled = MasterImage(3, 2, 10);
    for (int i = 0; i < kPaletteSize; ++i)
        shuffled.palette[i] = TestMasterPalette()[(i + 7) % kPaletteSize];
    WritePngFile((dir_ / "shuffled.png").string(), shuffled);
    std::string bytes = Build(R"({"format": "vcs-tokens-1", "records": [{"class": "VPicture", "name": "p",
        "properties": [{"name": "Surface", "value": {"image": "shuffled.png"}}]}]})");
    std::string expected = MasterBmp(3, 2, 17);
    EXPECT_NE(bytes.find(expected), std::string::npos) << "indices moved by 7, palette the master's";
    EXPECT_EQ(TokensThenBuild(bytes), bytes);

    // Another palette: a colour near a master colour takes it (blue 1, green 2, red 3 is black);
    // one far from all of them is refused, named with a pixel that uses it.
    VIndexedImage odd = MasterImage(2, 2, 10);
    odd.palette[11] = {1, 2, 3, 0};
    WritePngFile((dir_ / "odd.png").string(), odd);
    VIndexedImage placed = MasterImage(2, 2, 10);
    placed.pixels[1] = 0;
    EXPECT_NE(Build(R"({"format": "vcs-tokens-1", "records": [{"class": "VPicture", "name": "p",
        "properties": [{"name": "Surface", "value": {"image": "odd.png"}}]}]})")
                  .find(BmpBytes(*DibFromImage(placed))),
              std::string::npos);
    odd.palette[13] = {255, 0, 255, 0};  // magenta: the palette has no colour near it
    WritePngFile((dir_ / "odd.png").string(), odd);
    std::string refusal = Refusal("odd.png");
    EXPECT_NE(refusal.find("\"odd.png\" has colours the master palette cannot place: (255, 0, 255) at 0,1 (the nearest, "),
              std::string::npos) << refusal;

    // True colour: pure green stays see-through, red takes the nearest master red.
    WriteRgbPng(dir_ / "rgb.png");
    VIndexedImage rgb = MasterImage(2, 1);
    rgb.pixels = {155, 32};
    EXPECT_NE(Build(R"({"format": "vcs-tokens-1", "records": [{"class": "VPicture", "name": "p",
        "properties": [{"name": "Surface", "value": {"image": "rgb.png"}}]}]})")
                  .find(BmpBytes(*DibFromImage(rgb))),
              std::string::npos);
    WriteTestFile(dir_ / "junk.png", "\x89PNG\r\n\x1a\nnot really");
    EXPECT_NE(Refusal("junk.png").find("\"junk.png\" is not a PNG the build can take"), std::string::npos);
    EXPECT_NE(Refusal("missing.bmp").find("\"missing.bmp\""), std::string::npos);
}

TEST_F(VcsStage, BuildTakesThePaletteFileGiven)
{
    WriteTestFile(dir_ / "scene.json", kScene);
    WriteTestFile(dir_ / "short.txt", "0 0 0\n1 1 1\n");
    std::string out = (dir_ / "scene.vcs").string();
    EXPECT_EQ(Run(BuildCommand(), {(dir_ / "scene.json").string(), "--palette", (dir_ / "short.txt").string(),
                                   "-o", out}), kVcsFailed);
    EXPECT_NE(err_.str().find("holds 2 colours, not 256"), std::string::npos) << err_.str();
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(Run(BuildCommand(), {(dir_ / "scene.json").string(), "--palette", DefaultPalettePath().string(),
                                   "-o", out}), kVcsOk) << err_.str();
    EXPECT_EQ(ReadTestFile(out), Build(kScene));
}

TEST_F(VcsStage, ShowListsWhatTheEngineBuilt)
{
    std::unique_ptr<VHeadlessStage> stage = LoadStreamOnStage(StreamFile());
    VcsJson shown = DescribeStage(*stage);
    EXPECT_EQ(shown["stage"]["caption"], "Test");
    EXPECT_EQ(shown["stage"]["background"]["width"], stage->GetBackground()->GetWidth());
    EXPECT_EQ(shown["header"], VcsJson::array({"Type=Test"}));
    const VcsJson& list = shown["components"];
    ASSERT_EQ(list.size(), 5u) << list.dump();

    EXPECT_EQ(list[0]["class"], "VPicture");
    EXPECT_EQ(list[0]["x"], 4);
    EXPECT_EQ(list[0]["z"], 3);
    EXPECT_EQ(list[0]["picture"]["width"], 8);
    EXPECT_EQ(list[0]["picture"]["height"], 6);
    EXPECT_EQ(list[0]["picture"]["transparent"], true);
    EXPECT_EQ(list[0]["picture"]["transColor"], "RGB24:00FF00");

    const VcsJson& sprite = list[1]["sprite"];
    EXPECT_EQ(list[1]["tags"], VcsJson::array({"Hero=True"}));
    ASSERT_EQ(sprite["frames"].size(), 2u);
    EXPECT_EQ(sprite["frames"][0]["name"], "a");
    EXPECT_EQ(sprite["frames"][0]["height"], 7);
    EXPECT_EQ(sprite["frames"][0]["transparent"], "RGB24:0000FF");
    EXPECT_EQ(sprite["frames"][1]["transparent"], "RGB24:0000FF") << "a frame keeps the colour before it";
    const VcsJson& steps = sprite["sequences"][0]["steps"];
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0]["frame"], "a");
    EXPECT_EQ(steps[0]["ms"], 100);
    EXPECT_EQ(steps[0]["deltaX"], 2);
    EXPECT_EQ(steps[1]["deltaY"], -1);

    const VcsJson& director = list[2]["director"];
    EXPECT_EQ(director["frameLength"], 40);
    EXPECT_EQ(director["lastFrame"], 10);
    ASSERT_EQ(director["tracks"].size(), 1u);
    EXPECT_EQ(director["tracks"][0]["pixie"], "door");
    EXPECT_EQ(director["tracks"][0]["keyFrames"][1]["frame"], 10);

    EXPECT_EQ(list[3]["timer"]["interval"], 250);
    EXPECT_EQ(list[3]["timer"]["enabled"], false);
    EXPECT_EQ(list[4]["text"], VcsJson::array({"Hello", "***"}));
    EXPECT_EQ(list[1]["class"], "VSprite");
    EXPECT_EQ(list[2]["class"], "VDirector");
}

TEST_F(VcsStage, ShowEndsWithTheEnginesMessage)
{
    // A picture whose Surface is no bitmap: the engine's own message, exit 1.
    WriteTestFile(dir_ / "bad.vcs", VStreamWriter().Record("VPicture", "p", VPropertyWriter().Text("Surface", "BMxx")).Bytes());
    EXPECT_EQ(Run(ShowCommand(), {(dir_ / "bad.vcs").string()}), kVcsFailed);
    EXPECT_NE(err_.str().find("bad.vcs: "), std::string::npos) << err_.str();
    std::string message = err_.str();
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    EXPECT_EQ(Run(ShowCommand(), {StreamFile()}), kVcsOk) << err_.str();
    EXPECT_EQ(VcsJson::parse(out_.str())["components"].size(), 5u);
}

TEST_F(VcsStage, RenderDrawsTheFrameAtTheShowTime)
{
    std::string file = StreamFile();
    std::string png = (dir_ / "still.png").string();
    ASSERT_EQ(Run(RenderCommand(), {file, "-o", png}), kVcsOk) << err_.str();
    VIndexedImage still = ReadPngFile(png);
    ASSERT_GE(still.width, 64);
    ASSERT_GE(still.height, 48);
    EXPECT_EQ(still.At(1, 47), MasterImage(64, 48, 0).At(1, 47)) << "background";
    EXPECT_EQ(still.At(4 + 2, 6 + 1), MasterImage(8, 6, 120).At(2, 1)) << "the picture at its place";
    EXPECT_EQ(still.palette, TestMasterPalette());

    std::string moved = (dir_ / "moved.png").string();
    ASSERT_EQ(Run(RenderCommand(), {file, "--at", "500", "--play", "mover,Zibolt:walk", "-o", moved}), kVcsOk)
        << err_.str();
    VIndexedImage later = ReadPngFile(moved);
    EXPECT_NE(later.pixels, still.pixels);

    // --origin moves the director, and with it the picture its first frame puts at (0, 0).
    std::string placed = (dir_ / "placed.png").string();
    ASSERT_EQ(Run(RenderCommand(), {file, "--play", "mover", "--origin", "10,5", "-o", placed}), kVcsOk) << err_.str();
    EXPECT_EQ(ReadPngFile(placed).At(10 + 2, 5 + 1), MasterImage(8, 6, 120).At(2, 1));

    ASSERT_EQ(Run(RenderCommand(), {file, "--size", "32x16", "-o", png}), kVcsOk) << err_.str();
    EXPECT_EQ(ReadPngFile(png).width, 32);

    // A scene file has no stage background of its own: its pictures are shown in the master palette.
    WriteTestFile(dir_ / "bare.vcs", Build(R"({"format": "vcs-tokens-1", "records": [{"class": "VPicture", "name": "p",
        "properties": [{"name": "Surface", "value": {"image": "door.png"}}]}]})"));
    ASSERT_EQ(Run(RenderCommand(), {(dir_ / "bare.vcs").string(), "-o", png}), kVcsOk) << err_.str();
    EXPECT_EQ(ReadPngFile(png).palette, TestMasterPalette());

    EXPECT_EQ(Run(RenderCommand(), {file, "--at", "-5", "-o", png}), kVcsUsage);
    EXPECT_EQ(Run(RenderCommand(), {file, "--size", "32by16", "-o", png}), kVcsUsage);
    EXPECT_EQ(Run(RenderCommand(), {file, "--origin", "10", "-o", png}), kVcsUsage);
    EXPECT_EQ(Run(RenderCommand(), {file, "--play", "nobody", "-o", png}), kVcsFailed);
    EXPECT_NE(err_.str().find("no sprite or director named \"nobody\""), std::string::npos) << err_.str();
}

// Decoded GIF frames, each as its raster of indices.
std::vector<std::vector<uint8_t>> GifFrames(const std::string& path)
{
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    std::vector<std::vector<uint8_t>> frames;
    if (!gif)
        return frames;
    if (DGifSlurp(gif) == GIF_OK) {
        for (int i = 0; i < gif->ImageCount; ++i) {
            const SavedImage& image = gif->SavedImages[i];
            std::size_t size = std::size_t(image.ImageDesc.Width) * image.ImageDesc.Height;
            frames.emplace_back(image.RasterBits, image.RasterBits + size);
        }
    }
    DGifCloseFile(gif, &error);
    return frames;
}

TEST_F(VcsStage, PlayingSequenceAndDirectorRecordFramesThatDiffer)
{
    std::unique_ptr<VHeadlessStage> stage = LoadStreamOnStage(StreamFile());
    std::string gif = (dir_ / "play.gif").string();
    VRecordOptions options;
    options.format = VRecordOptions::Format::Gif;
    options.path = gif;
    options.stepMs = 100;
    stage->Record(options);
    StartPlaying(*stage, "*");
    stage->RunFor(600);
    stage->FinishRecording();
    CheckNoEngineError(*stage);
    std::vector<std::vector<uint8_t>> frames = GifFrames(gif);
    ASSERT_GE(frames.size(), 3u);
    for (std::size_t i = 1; i < frames.size(); ++i)
        EXPECT_NE(frames[i], frames[i - 1]) << "frame " << i << " shows the same as the one before";
    auto* sprite = dynamic_cast<VSprite*>(stage->FindComponent("Zibolt"));
    ASSERT_NE(sprite, nullptr);
    EXPECT_GT(sprite->GetXPos(), 20) << "the walk moved the sprite";
}

}  // namespace
