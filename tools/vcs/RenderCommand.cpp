// vcs render FILE [--at MS] [--size WxH] [--play WHAT] [--origin X,Y] -o OUT.png: the stage's
// picture at a show time.
#include <charconv>
#include <cmath>
#include <filesystem>

#include "engine/pixies/VDirector.h"
#include "engine/stream/VException.h"
#include "platform/headless/VPngFile.h"
#include "tools/vcs/VcsBytes.h"
#include "tools/vcs/VcsCommand.h"
#include "tools/vcs/VcsErrors.h"
#include "tools/vcs/VcsFiles.h"
#include "tools/vcs/VcsPalette.h"
#include "tools/vcs/VcsPlay.h"
#include "tools/vcs/VcsStageView.h"

namespace {

// A frame buffer past this side would be a typo, not a stage.
constexpr int kMaxSide = 8192;
// Where the master palette holds pure green, the show's see-through colour.
constexpr int kKeyIndex = 32;
// A day of show time is more than any scene plays.
constexpr double kMaxShowMs = 24.0 * 3600.0 * 1000.0;

bool ParseMs(const std::string& text, double& ms)
{
    const char* end = text.data() + text.size();
    auto result = std::from_chars(text.data(), end, ms);
    return result.ec == std::errc() && result.ptr == end && std::isfinite(ms) && ms >= 0 && ms <= kMaxShowMs;
}

bool ParseSide(const char*& at, const char* end, int& side)
{
    auto result = std::from_chars(at, end, side);
    if (result.ec != std::errc() || side < 1 || side > kMaxSide)
        return false;
    at = result.ptr;
    return true;
}

// "X,Y": two numbers, fractions and signs allowed.
bool ParseOrigin(const std::string& text, float& x, float& y)
{
    std::size_t comma = text.find(',');
    if (comma == std::string::npos)
        return false;
    const char* at = text.data();
    const char* end = at + text.size();
    auto first = std::from_chars(at, at + comma, x);
    auto second = std::from_chars(at + comma + 1, end, y);
    return first.ec == std::errc() && first.ptr == at + comma && second.ec == std::errc() && second.ptr == end &&
           std::isfinite(x) && std::isfinite(y);
}

bool ParseSize(const std::string& text, int& width, int& height)
{
    const char* at = text.data();
    const char* end = at + text.size();
    if (!ParseSide(at, end, width) || at == end || (*at != 'x' && *at != 'X'))
        return false;
    ++at;
    return ParseSide(at, end, height) && at == end;
}

void RenderToPng(const std::string& file, double atMs, const int* size, const float* origin, const std::string& play,
                 const std::string& output)
{
    std::unique_ptr<VHeadlessStage> stage = LoadStreamOnStage(file);
    if (size) {
        stage->SetScreenSize(size[0], size[1]);
        stage->Resize(size[0], size[1]);
    }
    // Directors' key frames are relative to the director: the show puts each where its scene
    // plays (a planet's at the bottom centre, a visitor's beside the ship); --origin does the same.
    if (origin)
        for (VComponent* component : stage->GetChildren())
            if (auto* director = dynamic_cast<VDirector*>(component))
                director->SetPos(origin[0], origin[1], director->GetZPos());
    if (!play.empty())
        StartPlaying(*stage, play);
    stage->RunFor(atMs);
    // The run loop repaints only after a timer ticked; a still stream still has a picture.
    stage->Repaint();
    CheckNoEngineError(*stage);
    if (!stage->HasFrame())
        throw VcsEngineError("the stage made no frame.");
    // A scene file brings no stage background, so the stage keeps its placeholder's grey palette
    // (no pure green at the show's key index); its pictures are indices of the master palette.
    VIndexedImage frame = stage->GetLastFrame();
    const VPaletteEntry& key = frame.palette[kKeyIndex];
    if (key.red != 0 || key.green != 255 || key.blue != 0)
        frame.palette = LoadPalette(DefaultPalettePath());
    std::string temporary = output + ".tmp";
    try {
        WritePngFile(temporary, frame);
    } catch (const VException& e) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw VcsEngineError(e.GetMessage());
    }
    std::error_code error;
    std::filesystem::rename(temporary, output, error);
    if (error)
        throw VcsFileError(output, "cannot write the file: " + error.message());
}

int RunRender(const VcsCommand& self, const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    VcsArguments parsed = ParseArguments(args, {"--at", "--size", "--play", "--origin"});
    if (auto done = CheckArguments(self, parsed, out, err, "stream file", "give the PNG file with -o OUT.png"))
        return *done;
    double atMs = 0;
    if (parsed.options.count("--at") && !ParseMs(parsed.options.at("--at"), atMs))
        return UsageProblem(err, self, "--at takes milliseconds of show time, 0 or more, not " +
                                           Quoted(parsed.options.at("--at")));
    int size[2] = {0, 0};
    bool sized = parsed.options.count("--size") > 0;
    if (sized && !ParseSize(parsed.options.at("--size"), size[0], size[1]))
        return UsageProblem(err, self, "--size takes WIDTHxHEIGHT in pixels (1 to 8192), not " +
                                           Quoted(parsed.options.at("--size")));
    float origin[2] = {0, 0};
    bool placed = parsed.options.count("--origin") > 0;
    if (placed && !ParseOrigin(parsed.options.at("--origin"), origin[0], origin[1]))
        return UsageProblem(err, self, "--origin takes X,Y in stage pixels, not " + Quoted(parsed.options.at("--origin")));
    const std::string& file = parsed.files[0];
    return RunOnFile(file, err, [&] {
        std::string play = parsed.options.count("--play") ? parsed.options.at("--play") : "";
        RenderToPng(file, atMs, sized ? size : nullptr, placed ? origin : nullptr, play, *parsed.output);
    });
}

}  // namespace

VcsCommand RenderCommand()
{
    return MakeCommand("render", "FILE [--at MS] [--size WxH] [--play WHAT] [--origin X,Y] -o OUT.png",
                       "plays the stream on a stage for MS of show time (0 unless given) and writes that frame as "
                       "PNG; --play starts sprites and directors: NAME, SPRITE:SEQUENCE, a list of them, or *; "
                       "--origin puts every director at X,Y first, as a scene puts its directors",
                       RunRender);
}
