// zibolt: the show on Linux, as a window, a full-screen saver, a preview or inside the
// screen saver's own window.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "assets/MainStream.h"
#include "engine/stream/VException.h"
#include "platform/freetype/VFreeTypeTextRenderer.h"
#include "platform/headless/VRecordCommand.h"
#include "platform/sdl/VExecutablePath.h"
#include "platform/sdl/VInstanceLock.h"
#include "platform/sdl/VMonitorShows.h"
#include "platform/sdl/VOverrideControlStore.h"
#include "platform/sdl/VSaverCommand.h"
#include "platform/sdl/VSdlSaverEngine.h"
#include "platform/sdl/VSdlStage.h"
#include "platform/sdl/VSdlEnvironment.h"
#include "saver/VAboutLauncher.h"
#include "saver/VMonitorChoice.h"
#include "show/RegisterShowClasses.h"
#include "show/VControlSettings.h"
#include "show/VDataPaths.h"
#include "show/VIniControlStore.h"
#include "show/VRandom.h"

extern char** environ;

namespace {

// Started, not waited for; a child that ends is reaped by the system (SIGCHLD ignored).
void Spawn(const std::string& path)
{
    pid_t child = 0;
    char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
    if (posix_spawn(&child, path.c_str(), nullptr, nullptr, argv, environ) != 0)
        std::fprintf(stderr, "zibolt: cannot start %s\n", path.c_str());
}

// Settings given on the command line hold for this run only.
void InstallSettings(const VSaverCommand& command)
{
    auto store = std::make_unique<VOverrideControlStore>(
        std::make_unique<VIniControlStore>(DefaultControlFile(), "Zibolt"));
    if (command.sound)
        store->Override("Sound", *command.sound);
    if (command.engine)
        store->Override("Engine", *command.engine);
    if (command.skin)
        store->Override("Skin", *command.skin);
    if (command.resolution)
        store->Override("Resolution", *command.resolution);
    if (command.monitors)
        store->Override("Monitors", *command.monitors);
    SetControlStore(std::move(store));
}

// ZIBOLT_SEED: a fixed seed, with which a benchmark shows the same scenes in the runs it
// compares (the scenes differ several times over in what they cost to show).
std::optional<unsigned> FixedSeedSetting()
{
    const char* fixed = std::getenv("ZIBOLT_SEED");
    if (fixed && *fixed) {
        if (const std::optional<unsigned> seed = ParseSeed(fixed))
            return seed;
        std::fprintf(stderr, "zibolt: ignoring ZIBOLT_SEED \"%s\" (use a number from 0 to 4294967295)\n",
                     fixed);
    }
    return std::nullopt;
}

// Which displays this run shows on: sets the stage's place and returns the displays that
// get a show of their own in other processes.
std::vector<int> PlaceFullScreen(const VSaverCommand& command, VSdlStage& stage,
                                 std::optional<unsigned> seed)
{
    if (command.display >= 0) {
        // One of several shows: its own display, and a seed of its own, so that the monitors
        // do not show the same.
        stage.SetDisplay(command.display);
        FixRandomSeed(seed.value_or(static_cast<unsigned>(std::time(nullptr))) +
                      7919u * unsigned(command.display));
        return {};
    }
    const std::string setting = ReadControlValue("Monitors", "");
    std::optional<VMonitorChoice> choice = ParseMonitorChoice(setting);
    if (!choice) {
        std::fprintf(stderr, "zibolt: ignoring the monitors setting \"%s\" (use each, span or primary)\n",
                     setting.c_str());
        choice = VMonitorChoice::Each;
    }
    if (!stage.InitVideo())
        return {};
    const std::vector<VIntRect> displays = VMonitorShows::Displays();
    if (displays.empty())
        return {};
    const std::vector<std::size_t> distinct = DistinctMonitors(displays);
    if (*choice == VMonitorChoice::Span && distinct.size() > 1) {
        stage.SetSpan(ShowAreas(VMonitorChoice::Span, displays).front());
        return {};
    }
    stage.SetDisplay(0);
    std::vector<int> others;
    if (*choice == VMonitorChoice::Each)
        for (std::size_t i : distinct)
            if (i != 0)
                others.push_back(static_cast<int>(i));
    return others;
}

int RunShow(const VSaverCommand& command, const std::vector<std::string>& args)
{
    PrepareSdlEnvironment();
    InstallSettings(command);
    std::signal(SIGCHLD, SIG_IGN);
    SetProgramLauncher(Spawn);
    InstallFreeTypeTextRenderer();
    RegisterShowClasses();
    VSdlStage::InstallSignalHandlers();

    auto stage = std::make_unique<VSdlStage>();
    const std::string resolution = ReadControlValue("Resolution", "");
    if (auto parsed = ParseResolutionSetting(resolution))
        stage->SetResolution(*parsed);
    else
        std::fprintf(stderr,
                     "zibolt: ignoring the resolution \"%s\" (use auto, native or e.g. 1280x720)\n",
                     resolution.c_str());
    const std::optional<unsigned> seed = FixedSeedSetting();
    if (seed)
        FixRandomSeed(*seed);
    std::vector<int> otherDisplays;
    if (command.mode == VSaverMode::Run)
        otherDisplays = PlaceFullScreen(command, *stage, seed);
    // An unattended saver must never wait for someone to answer a box: the full-screen saver,
    // the preview and the screen saver's own window report to the log only.
    if (command.mode == VSaverMode::Run || command.mode == VSaverMode::Preview ||
        command.mode == VSaverMode::Foreign)
        stage->SetQuietReports(true);
    stage->SetScreensaverEngineFactory([command](VSdlStage& s) -> VScreensaverEngine* {
        return new VSdlSaverEngine(
            s, command, VInstanceLock::DefaultDirectory(),
            VInstanceLock::DisplayKey(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY")));
    });
    const std::string_view bytes = MainStreamData();
    stage->SetMainStream(std::string(bytes));
    {
        std::unique_ptr<std::istream> stream = stage->LoadResourceStream();
        stage->AddComponentStream(stream.get());
    }
    // The other monitors' shows start once this one has passed the single-instance rule.
    VMonitorShows others;
    if (!stage->IsQuitRequested() && !otherDisplays.empty())
        others.Start(ExecutablePath(), args, otherDisplays);
    if (!stage->IsQuitRequested())
        stage->Run();
    const int code = stage->HasWindowFailed() ? 1 : 0;
    stage.reset();
    return code;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const VSaverCommand command = ParseSaverCommand(args, std::getenv("XSCREENSAVER_WINDOW"));
    if (!command.error.empty()) {
        std::fprintf(stderr, "zibolt: %s\n%s", command.error.c_str(), SaverUsage().c_str());
        return 2;
    }
    switch (command.mode) {
    case VSaverMode::Help:
        // Where scene files go is the first thing a scene author asks.
        InstallSettings(command);
        std::printf("%sData folder: %s\n", SaverUsage().c_str(),
                    ReadDataDir(ExecutableDirectory()).c_str());
        return 0;
    case VSaverMode::Password:
        std::puts("Zibolt has no password of its own to change here: the desktop's screen "
                  "locker asks for your login password.");
        return 0;
    case VSaverMode::Record: {
        // The recording command reads its own options after "--record".
        std::vector<std::string> recordArgs{argv[0], "--record"};
        recordArgs.insert(recordArgs.end(), command.recordArgs.begin(), command.recordArgs.end());
        std::vector<char*> recordArgv;
        for (std::string& arg : recordArgs)
            recordArgv.push_back(arg.data());
        recordArgv.push_back(nullptr);
        return RunRecordCommand(static_cast<int>(recordArgs.size()), recordArgv.data());
    }
    default:
        break;
    }
    try {
        return RunShow(command, args);
    } catch (const VException& e) {
        std::fprintf(stderr, "zibolt: %s\n", e.GetMessage().c_str());
        return 1;
    }
}
