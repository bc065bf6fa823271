#include "platform/win32/VWinSaver.h"

#include "engine/pixies/VPicture.h"
#include "engine/stream/VComponentRef.h"
#include "platform/win32/VDibStage.h"
#include "platform/win32/VWinMonitors.h"
#include "saver/VMonitorChoice.h"
#include "show/VControlSettings.h"
#include "show/VRandom.h"

#include <ctime>

namespace {

constexpr int kPreviewIntroWidth = 152;
constexpr int kPreviewIntroHeight = 112;
constexpr int kPreviewComposeWidth = 608;
constexpr int kPreviewComposeHeight = 448;
constexpr double kPreviewIntroPause = 2000.0;

using AssociateContext = HIMC(WINAPI*)(HWND, HIMC);
using ChangePasswordA = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);

// Kept for the whole process: the input method is switched off for the one stage window.
AssociateContext associateContext = nullptr;
HIMC keptContext = nullptr;

bool OnOldPlatform()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&version))
        return false;
#pragma GCC diagnostic pop
    return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

template <class Function>
Function Export(HMODULE library, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

void ResizeWindow(HWND window, int width, int height)
{
    if (window)
        SetWindowPos(window, nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

VWinSaver::VWinSaver(VDibStage& stage) : VWinSaver(stage, GetCommandLineA()) {}

VWinSaver::VWinSaver(VDibStage& stage, const std::string& commandLine)
    : stage_(stage), oldPlatform_(OnOldPlatform()), options_(commandLine)
{
    if (oldPlatform_)
        LoadVerifier();
    if (options_.IsPasswordChange())
        ChangePassword();
}

VWinSaver::~VWinSaver()
{
    otherMonitors_.reset();
    if (verifierLibrary_)
        FreeLibrary(verifierLibrary_);
}

void VWinSaver::LoadVerifier()
{
    if (verifierLibrary_) {
        FreeLibrary(verifierLibrary_);
        verifierLibrary_ = nullptr;
        verifier_ = nullptr;
    }
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &key) != ERROR_SUCCESS)
        return;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegQueryValueExA(key, "ScreenSaveUsePassword", nullptr, nullptr,
                         reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
        size == sizeof(value) && value != 0) {
        verifierLibrary_ = LoadLibraryA("PASSWORD.CPL");
        if (verifierLibrary_)
            verifier_ = Export<Verifier>(verifierLibrary_, "VerifyScreenSavePwd");
    }
    RegCloseKey(key);
}

void VWinSaver::ChangePassword()
{
    host_ = reinterpret_cast<HWND>(options_.GetWindowAfter("/a"));
    if (HMODULE library = LoadLibraryA("MPR.DLL")) {
        if (auto change = Export<ChangePasswordA>(library, "PwdChangePasswordA"))
            change("SCRSAVE", host_, 0, 0);
        FreeLibrary(library);
    }
    stage_.Stop();
}

bool VWinSaver::CanEnd()
{
    if (!verifier_)
        return true;
    return verifier_(stage_.GetWindow()) != FALSE;
}

void VWinSaver::Attach(VStage& stage)
{
    if (options_.IsConfigure()) {
        // Opened from the settings dialog, the configuration belongs to the window in front.
        stage_.SetParentWindow(options_.GetArguments().empty() ? nullptr : GetForegroundWindow());
        return;
    }
    // Only the debug mode has someone watching who can answer a box.
    stage_.SetQuietReports(options_.IsPreview() || !options_.IsDebug());
    if (!options_.IsPreview()) {
        if (options_.IsDebug()) {
            // The window shows what the full-screen show would compose; the read-out says
            // at what size.
            stage_.SetShowFrameRate(true);
            stage_.SetComposeAsScreen(true);
        } else
            stage_.EnterSaverMode();
        return;
    }
    host_ = reinterpret_cast<HWND>(options_.GetWindowAfter("/p"));
    // Without a window to show in there is nothing to preview; going on would open a stray
    // 608 x 448 window of its own.
    if (!host_ || !IsWindow(host_)) {
        stage_.Stop();
        return;
    }
    stage_.SetParentWindow(host_);
    stage_.SetTargetWindow(host_, float(kPreviewIntroWidth), float(kPreviewIntroHeight));
}

void VWinSaver::AdjustSetup(VStageSetup& setup)
{
    if (options_.IsPreview() && !options_.IsConfigure()) {
        setup.windowRect = VRect(0, 0, float(kPreviewComposeWidth), float(kPreviewComposeHeight));
        setup.fullScreen = false;
    }
    if (options_.IsConfigure())
        return;
    // A setting that cannot be read leaves the size derived from the screen.
    stage_.SetResolution(
        ParseResolutionSetting(ReadControlValue("Resolution", "")).value_or(VResolutionSetting{}));
    std::string runTitle = stage_.GetProgramName() + "_RUN";
    const int monitor = options_.GetMonitor();
    if (!options_.IsPreview() && monitor >= 0) {
        // One of the shows of a run on every monitor: the run instance that started it has
        // passed the single-instance rule. A seed of its own keeps the monitors apart.
        const std::vector<VIntRect> monitors = WinMonitors();
        if (std::size_t(monitor) < monitors.size())
            stage_.SetScreenArea(monitors[std::size_t(monitor)]);
        FixRandomSeed(unsigned(std::time(nullptr)) + 7919u * unsigned(monitor));
        stage_.SetCaption(runTitle);
        return;
    }
    std::string previewTitle = stage_.GetProgramName() + "_PREVIEW";
    if (options_.IsPreview()) {
        if (FindWindowA(nullptr, runTitle.c_str()) || FindWindowA(nullptr, previewTitle.c_str()))
            stage_.Stop();
        else
            stage_.SetCaption(previewTitle);
        return;
    }
    if (HWND running = FindWindowA(nullptr, runTitle.c_str())) {
        stage_.Stop();
        SetForegroundWindow(running);
        return;
    }
    if (HWND preview = FindWindowA(nullptr, previewTitle.c_str()))
        PostMessageA(preview, WM_CLOSE, 0, 0);
    stage_.SetCaption(runTitle);
    if (!options_.IsDebug())
        PlaceOnMonitors();
}

void VWinSaver::PlaceOnMonitors()
{
    const VMonitorChoice choice =
        ParseMonitorChoice(ReadControlValue("Monitors", "")).value_or(VMonitorChoice::Each);
    const std::vector<VIntRect> monitors = WinMonitors();
    const std::vector<std::size_t> distinct = DistinctMonitors(monitors);
    if (distinct.size() < 2 || choice == VMonitorChoice::Primary)
        return;  // the primary monitor, as the platform's own screen size has it
    if (choice == VMonitorChoice::Span) {
        stage_.SetScreenArea(WinVirtualScreen());
        return;
    }
    stage_.SetScreenArea(monitors.front());
    std::vector<int> others;
    for (std::size_t i : distinct)
        if (i != 0)
            others.push_back(int(i));
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    otherMonitors_ = std::make_unique<VWinMonitorShows>();
    otherMonitors_->Start(path, options_.GetArguments(), others);
}

void VWinSaver::PrepareShow()
{
    if (HMODULE imm = GetModuleHandleA("IMM32.DLL")) {
        associateContext = Export<AssociateContext>(imm, "ImmAssociateContext");
        if (associateContext)
            keptContext = associateContext(stage_.GetWindow(), nullptr);
    }
    if (options_.IsPreview() && !options_.IsConfigure())
        PlayPreviewIntro();
}

void VWinSaver::PlayPreviewIntro()
{
    ComponentRef<VPicture> first("Screen1");
    ComponentRef<VPicture> second("Screen2");
    ResizeWindow(stage_.GetWindow(), kPreviewIntroWidth, kPreviewIntroHeight);

    // The show's own surfaces wait aside while the two pictures play on copies of their own.
    std::unique_ptr<VSurface> background = stage_.MakeSurfaceCopy(first->GetSurface());
    std::unique_ptr<VSurface> frameBuffer = stage_.MakeSurfaceCopy(*background);
    stage_.ExchangeSurfaces(background, frameBuffer);
    stage_.FadeTransition(false, true);
    stage_.PumpMessages(kPreviewIntroPause);
    stage_.GetBackground()->CopyFrom(second->GetSurface());
    stage_.FadeTransition(true, true);

    ResizeWindow(stage_.GetWindow(), kPreviewComposeWidth, kPreviewComposeHeight);
    stage_.ExchangeSurfaces(background, frameBuffer);
}

void VWinSaver::RestoreInputMethod()
{
    if (associateContext && keptContext)
        associateContext(stage_.GetWindow(), keptContext);
}
