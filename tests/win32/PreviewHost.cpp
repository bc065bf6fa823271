// The preview tests' stand-in for the display settings dialog:
//   PreviewHost.exe SAVER REPORT [SECONDS]
// makes a 152 x 112 window, starts "SAVER /p HWND" in it, and after SECONDS (default 8)
// writes what it sees to REPORT, then closes its window and notes how soon the saver ended
// (the picture itself is read from the X server by the test script):
//   stage <child|owned|none> <width> <height> <visible>   the saver's window, when it is ours
//   running <1|0>                                         the saver was still running then
//   ended <1|0> <ms>                                      the saver ended after our window closed

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kWidth = 152;
constexpr int kHeight = 112;
constexpr UINT_PTR kLookTimer = 1;

std::FILE* report = nullptr;
PROCESS_INFORMATION saver{};

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The saver's stage window, when it belongs to `host` as a child or as an owned window.
HWND FindStageWindow(HWND host, const char*& relation)
{
    relation = "child";
    if (HWND child = FindWindowExA(host, nullptr, "ValdrimorWindowClass", nullptr))
        return child;
    relation = "owned";
    for (HWND w = FindWindowExA(nullptr, nullptr, "ValdrimorWindowClass", nullptr); w;
         w = FindWindowExA(nullptr, w, "ValdrimorWindowClass", nullptr))
        if (GetWindow(w, GW_OWNER) == host)
            return w;
    relation = "none";
    return nullptr;
}

void Look(HWND host)
{
    const char* relation = "";
    HWND stage = FindStageWindow(host, relation);
    RECT r{};
    if (stage)
        GetWindowRect(stage, &r);
    std::fprintf(report, "stage %s %ld %ld %d\n", relation, r.right - r.left, r.bottom - r.top,
                 stage && IsWindowVisible(stage) ? 1 : 0);
    DWORD code = 0;
    GetExitCodeProcess(saver.hProcess, &code);
    std::fprintf(report, "running %d\n", code == STILL_ACTIVE ? 1 : 0);
    std::fflush(report);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    report = std::fopen(argv[2], "w");
    if (!report)
        return 2;
    const UINT lookAfter = UINT(argc > 3 ? std::atoi(argv[3]) : 8) * 1000;

    HINSTANCE module = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &HostProc;
    windowClass.hInstance = module;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "ZiboltPreviewHost";
    RegisterClassA(&windowClass);
    // A popup has no frame, so its whole area is the 152 x 112 preview.
    HWND host = CreateWindowExA(0, "ZiboltPreviewHost", "Zibolt Preview Host",
                                WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 10, 10, kWidth, kHeight,
                                nullptr, nullptr, module, nullptr);
    if (!host)
        return 3;

    std::string command = std::string("\"") + argv[1] + "\" /p " +
                          std::to_string(reinterpret_cast<std::uintptr_t>(host));
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &saver)) {
        std::fprintf(report, "start failed %lu\n", GetLastError());
        return 4;
    }
    SetTimer(host, kLookTimer, lookAfter, nullptr);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == host) {
            KillTimer(host, kLookTimer);
            Look(host);
            DestroyWindow(host);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DWORD start = GetTickCount();
    bool ended = WaitForSingleObject(saver.hProcess, 5000) == WAIT_OBJECT_0;
    std::fprintf(report, "ended %d %lu\n", ended ? 1 : 0, GetTickCount() - start);
    std::fclose(report);
    if (!ended)
        TerminateProcess(saver.hProcess, 1);
    return 0;
}
