#include "platform/win32/VWinProgram.h"

#include <shellapi.h>

#include <cstring>
#include <memory>

#include "engine/pixies/VBalloon.h"
#include "platform/win32/VDibStage.h"
#include "platform/win32/VGdiTextRenderer.h"
#include "platform/win32/VProfileControlStore.h"
#include "platform/win32/VSaverOptions.h"
#include "platform/win32/VWinDibPlatform.h"
#include "saver/VAboutLauncher.h"
#include "show/RegisterShowClasses.h"
#include "show/VDataPaths.h"

namespace {

// The folder the installer recorded: the user's own installation first, then one for all.
std::string InstallerFolder()
{
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        char folder[MAX_PATH] = {};
        DWORD size = sizeof(folder) - 1;
        if (RegGetValueA(root, kInstallerKey, kInstallerFolderValue, RRF_RT_REG_SZ, nullptr,
                         folder, &size) == ERROR_SUCCESS &&
            folder[0])
            return folder;
    }
    return "";
}

}  // namespace

void OpenWithShell(const std::string& path, const std::string& parameters)
{
    ShellExecuteA(nullptr, "open", path.c_str(), parameters.c_str(), "", SW_SHOW);
}

VProfileControlStore& InstallWin32Platform()
{
    InstallWinDibPlatform();
    InstallGdiTextRenderer();
    VProfileControlStore& settings = InstallProfileControlStore();
    SetInstallerDataDir(InstallerFolder());
    // The about program opens over the display settings that asked for the configuration.
    SetProgramLauncher([](const std::string& path) {
        std::intptr_t parent = VSaverOptions(GetCommandLineA()).GetWindowAfter("/c");
        OpenWithShell(path, parent ? "/c:" + std::to_string(parent) : std::string());
    });
    return settings;
}

int RunStageProgram(HINSTANCE module)
{
    InstallWin32Platform();
    RegisterShowClasses();
    // The balloon text grows in the preview; a plain case-sensitive look at the whole line.
    SetBalloonPreviewText(std::strstr(GetCommandLineA(), "/p") != nullptr);

    auto stage = std::make_unique<VDibStage>(module);
    {
        std::unique_ptr<std::istream> stream = stage->LoadResourceStream();
        stage->AddComponentStream(stream.get());
    }
    MSG message{};
    while (!stage->IsQuitRequested()) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            if (GetMessageA(&message, nullptr, 0, 0) <= 0)
                break;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        } else {
            WaitMessage();
        }
    }
    stage.reset();
    return int(message.wParam);
}
