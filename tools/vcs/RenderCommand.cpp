// vcs render FILE [--at MS] [--size WxH] [--play WHAT] -o OUT.png: the stage's picture at a show time.
#include <charconv>
#include <cmath>
#include <filesystem>

#include "engine/stream/VException.h"
#include "platform/headless/VPngFile.h"
#include "tools/vcs/VcsBytes.h"
#include "tools/vcs/VcsCommand.h"
#include "tools/vcs/VcsErrors.h"
#include "tools/vcs/VcsFiles.h"
#include "tools/vcs/VcsPlay.h"
#include "tools/vcs/VcsStageView.h"

namespace {

// A frame buffer past this side would be a typo, not a stage.
constexpr int kMaxSide = 8192;
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

bool ParseSize(const std::string& text, int& width, int& height)
{
    const char* at = text.data();
    const char* end = at + text.size();
    if (!ParseSide(at, end, width) || at == end || (*at != 'x' && *at != 'X'))
        return false;
    ++at;
    return ParseSide(at, end, height) && at == end;
}

void RenderToPng(const std::string& file, double atMs, const int* size, const std::string& play,
                 const std::string& output)
{
    std::unique_ptr<VHeadlessStage> stage = LoadStreamOnStage(file);
    if (size) {
        stage->SetScreenSize(size[0], size[1]);
        stage->Resize(size[0], size[1]);
    }
    if (!play.empty())
        StartPlaying(*stage, play);
    stage->RunFor(atMs);
    // The run loop repaints only after a timer ticked; a still stream still has a picture.
    stage->Repaint();
    CheckNoEngineError(*stage);
    if (!stage->HasFrame())
        throw VcsEngineError("the stage made no frame.");
    std::string temporary = output + ".tmp";
    try {
        WritePngFile(temporary, stage->GetLastFrame());
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
    VcsArguments parsed = ParseArguments(args, {"--at", "--size", "--play"});
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
    const std::string& file = parsed.files[0];
    return RunOnFile(file, err, [&] {
        std::string play = parsed.options.count("--play") ? parsed.options.at("--play") : "";
        RenderToPng(file, atMs, sized ? size : nullptr, play, *parsed.output);
    });
}

}  // namespace

VcsCommand RenderCommand()
{
    return MakeCommand("render", "FILE [--at MS] [--size WxH] [--play WHAT] -o OUT.png",
                       "plays the stream on a stage for MS of show time (0 unless given) and writes that frame as "
                       "PNG; --play starts sprites and directors: NAME, SPRITE:SEQUENCE, a list of them, or *",
                       RunRender);
}
