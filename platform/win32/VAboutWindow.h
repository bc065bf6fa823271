#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/VAboutValues.h"

// The about program's one window: what Zibolt is, the sound, engine, skin and folder settings,
// the last problems from the log, and OK and Cancel. OK writes the settings; both close it.
// The window is a dialog laid out in dialog units, so it grows with the font at every DPI.
class VAboutWindow {
public:
    // `problems`: the log's last lines, shown as they are.
    VAboutWindow(HINSTANCE module, VAboutValues values, std::vector<std::string> problems);

    // Shows the window centred over `centreOver` (the display settings, when they passed
    // "/c:HWND"; else the screen) and runs its messages until it closes; true on OK.
    bool Run(HWND centreOver);

    const VAboutValues& GetValues() const { return values_; }

    static constexpr const char* kTitle = "About Zibolt";

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Fill();
    void SetIcons();
    void FillSkins();
    void Browse();
    void TakeValues();

    HINSTANCE module_;
    VAboutValues values_;
    std::vector<std::string> problems_;
    HWND window_ = nullptr;
    HWND centreOver_ = nullptr;
    bool accepted_ = false;
};

// Puts `window` in the middle of `over` (the screen's work area when it is no window), kept
// inside the work area of the monitor it lands on.
void CentreWindow(HWND window, HWND over);
