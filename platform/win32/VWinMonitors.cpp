#include "platform/win32/VWinMonitors.h"

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list)
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoA(monitor, &info))
        return TRUE;
    const RECT& r = info.rcMonitor;
    auto& monitors = *reinterpret_cast<std::vector<VIntRect>*>(list);
    const VIntRect area{r.left, r.top, r.right - r.left, r.bottom - r.top};
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        monitors.insert(monitors.begin(), area);
    else
        monitors.push_back(area);
    return TRUE;
}

}  // namespace

std::vector<VIntRect> WinMonitors()
{
    std::vector<VIntRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

VIntRect WinVirtualScreen()
{
    return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void VWinMonitorShows::Start(const std::string& program, const std::string& arguments,
                             const std::vector<int>& monitors)
{
    job_ = CreateJobObjectA(nullptr, nullptr);
    if (job_) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof(limits));
    }
    for (int monitor : monitors) {
        std::string line = "\"" + program + "\" " + arguments + " /m:" + std::to_string(monitor);
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE,
                            CREATE_SUSPENDED, nullptr, nullptr, &startup, &process))
            continue;
        if (job_)
            AssignProcessToJobObject(job_, process.hProcess);
        ResumeThread(process.hThread);
        CloseHandle(process.hThread);
        children_.push_back(process.hProcess);
    }
    if (children_.empty())
        return;
    ownThread_ = GetCurrentThreadId();
    stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    watcher_ = CreateThread(nullptr, 0, &VWinMonitorShows::Watch, this, 0, nullptr);
}

DWORD WINAPI VWinMonitorShows::Watch(void* self)
{
    auto& shows = *static_cast<VWinMonitorShows*>(self);
    std::vector<HANDLE> handles{shows.stop_};
    handles.insert(handles.end(), shows.children_.begin(), shows.children_.end());
    const DWORD which = WaitForMultipleObjects(DWORD(handles.size()), handles.data(), FALSE, INFINITE);
    if (which != WAIT_OBJECT_0)
        PostThreadMessageA(shows.ownThread_, WM_QUIT, 0, 0);  // a monitor's show ended
    return 0;
}

VWinMonitorShows::~VWinMonitorShows()
{
    if (watcher_) {
        SetEvent(stop_);
        WaitForSingleObject(watcher_, INFINITE);
        CloseHandle(watcher_);
    }
    for (HANDLE child : children_) {
        TerminateProcess(child, 0);
        CloseHandle(child);
    }
    if (stop_)
        CloseHandle(stop_);
    if (job_)
        CloseHandle(job_);
}
