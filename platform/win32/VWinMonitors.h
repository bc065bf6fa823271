#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "engine/graphics/VRect.h"

// The monitors of the virtual screen, the primary first, in virtual-screen pixels.
std::vector<VIntRect> WinMonitors();
// The box around all monitors (SM_XVIRTUALSCREEN ... SM_CYVIRTUALSCREEN).
VIntRect WinVirtualScreen();

// The other shows of a run with one show per monitor: this program again, once for every
// monitor but the primary. They end with this process (they belong to a job that closes with
// it), and when one of them ends (the user moved the mouse on its monitor) this process gets
// WM_QUIT, so that the whole run ends together.
class VWinMonitorShows {
public:
    VWinMonitorShows() = default;
    ~VWinMonitorShows();
    VWinMonitorShows(const VWinMonitorShows&) = delete;
    VWinMonitorShows& operator=(const VWinMonitorShows&) = delete;

    // Starts `program` with `arguments` and " /m:N" for each of `monitors`.
    void Start(const std::string& program, const std::string& arguments,
               const std::vector<int>& monitors);

private:
    static DWORD WINAPI Watch(void* self);

    HANDLE job_ = nullptr;
    std::vector<HANDLE> children_;
    HANDLE stop_ = nullptr;
    HANDLE watcher_ = nullptr;
    DWORD ownThread_ = 0;
};
