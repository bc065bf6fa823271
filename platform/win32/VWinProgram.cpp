#include "platform/win32/VWinProgram.h"

#include <shellapi.h>

#include <cstring>
#include <memory>

#include "engine/pixies/VBalloon.h"
#include "platform/win32/VDibStage.h"
#include "platform/win32/VGdiTextRenderer.h"
#include "platform/win32/VProfileControlStore.h"
#include "platform/win32/VWinDibPlatform.h"
#include "saver/VAboutLauncher.h"
#include "show/RegisterShowClasses.h"

void OpenWithShell(const std::string& path)
{
    ShellExecuteA(nullptr, "open", path.c_str(), "", "", SW_SHOW);
}

void InstallWin32Platform()
{
    InstallWinDibPlatform();
    InstallGdiTextRenderer();
    InstallProfileControlStore();
    SetProgramLauncher(&OpenWithShell);
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
