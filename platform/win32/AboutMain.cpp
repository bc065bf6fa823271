// ZiboltAbout.exe: what Zibolt is, and its settings; the saver starts it in configure mode.

#include <windows.h>

#include "platform/win32/VAboutValues.h"
#include "platform/win32/VAboutWindow.h"
#include "platform/win32/VWinProgram.h"
#include "show/VDataPaths.h"

namespace {

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
    InstallWin32Platform();
    // Only one about window: a second start brings the first one forward.
    if (HWND open = FindWindowA(nullptr, VAboutWindow::kTitle)) {
        SetForegroundWindow(open);
        return 0;
    }
    VAboutWindow window(module, VAboutValues::Load(DefaultDataDir(ProgramDirectory())));
    if (window.Run())
        window.GetValues().Save();
    return 0;
}
