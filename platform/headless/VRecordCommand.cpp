#include "platform/headless/VRecordCommand.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <system_error>

#include "assets/MainStream.h"
#include "engine/stream/VException.h"
#include "engine/stream/VText.h"
#include "platform/freetype/VFreeTypeTextRenderer.h"
#include "platform/headless/VHeadlessStage.h"
#include "show/RegisterShowClasses.h"
#include "show/VControlSettings.h"
#include "show/VDataPaths.h"
#include "show/VRandom.h"

namespace {

// Long enough for any demonstration, short enough that a typo cannot fill the disk.
constexpr double kMaxSeconds = 3600;
constexpr int kMaxSide = 4096;

bool ParseNumber(const std::string& text, double low, double high, double& value)
{
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end && *end == '\0' && value >= low && value <= high;
}

bool ParseSize(const std::string& text, int& width, int& height)
{
    std::size_t x = text.find_first_of("xX");
    double w = 0, h = 0;
    if (x == std::string::npos || !ParseNumber(text.substr(0, x), 16, kMaxSide, w) ||
        !ParseNumber(text.substr(x + 1), 16, kMaxSide, h) || w != int(w) || h != int(h))
        return false;
    width = int(w);
    height = int(h);
    return true;
}

// Settings for the recording only: the data folder, defaults for everything else, and the
// "shown" flags the show writes kept in memory so that they change neither the user's file
// nor the next recording.
class RecordingStore : public VControlStore {
public:
    explicit RecordingStore(std::string dir) { values_["Dir"] = std::move(dir); }
    std::string Read(const std::string& key, const std::string& fallback) override
    {
        for (const auto& [name, value] : values_)
            if (SameText(name, key))
                return value;
        return fallback;
    }
    void Write(const std::string& key, const std::string& value) override
    {
        for (auto& [name, stored] : values_)
            if (SameText(name, key)) {
                stored = value;
                return;
            }
        values_[key] = value;
    }

private:
    std::map<std::string, std::string> values_;
};

std::string ProgramDirectory(const char* argv0)
{
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error && argv0)
        self = std::filesystem::absolute(argv0, error);
    return self.parent_path().string();
}

}  // namespace

std::string RecordUsage()
{
    return "usage: zibolt --record OUT.gif --seconds N [--size WxH] [--seed S] [--fps F]\n"
           "                [--data DIR] [--stream FILE]\n";
}

std::optional<VRecordRequest> ParseRecordRequest(const std::vector<std::string>& args,
                                                 std::string& error)
{
    VRecordRequest request;
    bool haveSeconds = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (i + 1 >= args.size()) {
            error = option == "--record" || option == "--seconds" || option == "--size" ||
                            option == "--seed" || option == "--fps" || option == "--data" ||
                            option == "--stream"
                        ? option + " needs a value"
                        : "unknown option " + option;
            return std::nullopt;
        }
        const std::string& value = args[++i];
        double number = 0;
        if (option == "--record") {
            request.output = value;
        } else if (option == "--seconds") {
            if (!ParseNumber(value, 0, kMaxSeconds, number) || number <= 0) {
                error = "--seconds takes a number above 0 and at most 3600, not \"" + value + "\"";
                return std::nullopt;
            }
            request.seconds = number;
            haveSeconds = true;
        } else if (option == "--size") {
            if (!ParseSize(value, request.width, request.height)) {
                error = "--size takes WIDTHxHEIGHT, each from 16 to 4096, not \"" + value + "\"";
                return std::nullopt;
            }
        } else if (option == "--seed") {
            const std::optional<unsigned> seed = ParseSeed(value);
            if (!seed) {
                error = "--seed takes a whole number from 0 to 4294967295, not \"" + value + "\"";
                return std::nullopt;
            }
            request.seed = *seed;
        } else if (option == "--fps") {
            if (!ParseNumber(value, 1, 50, number)) {
                error = "--fps takes a number from 1 to 50, not \"" + value + "\"";
                return std::nullopt;
            }
            request.fps = number;
        } else if (option == "--data") {
            request.dataDir = value;
        } else if (option == "--stream") {
            request.streamFile = value;
        } else {
            error = "unknown option " + option;
            return std::nullopt;
        }
    }
    if (request.output.empty()) {
        error = "--record needs the GIF file to write";
        return std::nullopt;
    }
    if (!haveSeconds) {
        error = "--seconds is missing";
        return std::nullopt;
    }
    return request;
}

int RunRecord(const VRecordRequest& request, const std::string& programDirectory)
{
    const std::string dataDir =
        request.dataDir.empty() ? DefaultDataDir(programDirectory) : request.dataDir;
    // Whatever happens, the settings and the random source are the caller's again afterwards.
    struct Restore {
        std::unique_ptr<VControlStore> previous;
        ~Restore()
        {
            UnfixRandomSeed();
            SetControlStore(std::move(previous));
        }
    } restore{SetControlStore(std::make_unique<RecordingStore>(dataDir))};
    FixRandomSeed(request.seed);
    InstallFreeTypeTextRenderer();
    RegisterShowClasses();

    int code = 0;
    {
        VHeadlessStage stage;
        stage.SetProgramDirectory(programDirectory);
        stage.SetScreenSize(request.width, request.height);
        stage.SetSeed(request.seed);
        stage.SetPrintExceptions(true);
        if (request.streamFile.empty())
            stage.SetMainStream(std::string(MainStreamData()));
        else
            stage.SetMainStreamFile(request.streamFile);
        VRecordOptions options;
        options.format = VRecordOptions::Format::Gif;
        options.path = request.output;
        options.stepMs = 1000.0 / request.fps;
        stage.Record(options);
        stage.Load();
        if (!stage.IsQuitRequested())
            stage.RunFor(request.seconds * 1000.0);
        stage.FinishRecording();
        const VFrameRecorder* recorder = stage.GetRecorder();
        if (!recorder || recorder->GetRecordedCount() == 0 ||
            !stage.GetReportedExceptions().empty())
            code = 1;
        if (stage.IsQuitRequested()) {
            std::fputs("zibolt: the show stopped before the recording was done\n", stderr);
            code = 1;
        }
    }
    return code;
}

int RunRecordCommand(int argc, char** argv)
{
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::string error;
    std::optional<VRecordRequest> request = ParseRecordRequest(args, error);
    if (!request) {
        std::fprintf(stderr, "zibolt: %s\n%s", error.c_str(), RecordUsage().c_str());
        return 2;
    }
    try {
        return RunRecord(*request, ProgramDirectory(argc > 0 ? argv[0] : nullptr));
    } catch (const VException& failure) {
        std::fprintf(stderr, "zibolt: %s\n", failure.GetMessage().c_str());
        return 1;
    }
}
