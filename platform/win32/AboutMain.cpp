// ZiboltAbout.exe: what Zibolt is, and its settings; the saver starts it in configure mode,
// passing on the display settings' "/c:HWND" so that the window opens over them.

#include <windows.h>

#include "engine/stream/VReportLog.h"
#include "platform/win32/VAboutValues.h"
#include "platform/win32/VAboutWindow.h"
#include "platform/win32/VProfileControlStore.h"
#include "platform/win32/VSaverOptions.h"
#include "platform/win32/VWinProgram.h"
#include "show/VDataPaths.h"

namespace {

constexpr std::size_t kProblemLines = 6;

std::string ProgramDirectory()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text = path;
    size_t slash = text.find_last_of('\\');
    return slash == std::string::npos ? std::string() : text.substr(0, slash);
}

}  // namespace

int WINAPI WinMain(HINSTANCE module, HINSTANCE, LPSTR, int)
{
    VProfileControlStore& settings = InstallWin32Platform();
    // Only one about window: a second start brings the first one forward.
    if (HWND open = FindWindowA(nullptr, VAboutWindow::kTitle)) {
        SetForegroundWindow(open);
        return 0;
    }
    HWND parent = reinterpret_cast<HWND>(VSaverOptions(GetCommandLineA()).GetWindowAfter("/c"));
    VAboutWindow window(module, VAboutValues::Load(ReadDataDir(ProgramDirectory())),
                        VReportLog::Shared().Tail(kProblemLines));
    if (!window.Run(parent))
        return 0;
    window.GetValues().Save();
    // Someone is watching here: say so at once, not only in the log.
    if (!settings.LastWriteSucceeded()) {
        std::string text = "Zibolt could not save its settings in " + settings.GetFile() +
                           ". The reason is in the log, " + VReportLog::Shared().GetPath() + ".";
        MessageBoxA(nullptr, text.c_str(), VAboutWindow::kTitle, MB_OK | MB_ICONWARNING);
    }
    return 0;
}
