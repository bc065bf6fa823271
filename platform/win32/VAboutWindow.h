#pragma once

#include <windows.h>

#include "platform/win32/VAboutValues.h"

// The about program's one window: what Zibolt is, and the sound, engine, skin and folder
// settings with OK and Cancel. OK writes the settings; both close the window.
class VAboutWindow {
public:
    VAboutWindow(HINSTANCE module, VAboutValues values);

    // Shows the window and runs its messages until it closes; true when the user chose OK.
    bool Run();

    const VAboutValues& GetValues() const { return values_; }

    static constexpr const char* kTitle = "About Zibolt";

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void FillSkins();
    void TakeValues();

    HINSTANCE module_;
    VAboutValues values_;
    HWND window_ = nullptr;
    HWND sound_ = nullptr;
    HWND engine_ = nullptr;
    HWND skin_ = nullptr;
    HWND dir_ = nullptr;
    bool accepted_ = false;
};
