#include <windows.h>

#include "platform/win32/VDibStage.h"

namespace {

VDibStage* Stage() { return dynamic_cast<VDibStage*>(CurrentStage()); }

float MouseX(LPARAM lParam) { return float(LOWORD(lParam)); }
float MouseY(LPARAM lParam) { return float(short(HIWORD(lParam))); }

// WM_MOUSEHWHEEL, which older headers leave out.
constexpr UINT kMouseHorizontalWheel = 0x020E;

}  // namespace

LRESULT CALLBACK VDibStage::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    VDibStage* stage = Stage();
    switch (message) {
    case WM_CREATE:
        PostMessageA(window, kRunMessage, 0, 0);
        break;
    case kRunMessage:
        if (stage)
            stage->Run();
        return 0;
    case WM_CLOSE:
    case WM_DESTROY:
        if (stage)
            stage->Exit();
        PostQuitMessage(0);
        break;
    case WM_ACTIVATEAPP:
        if (stage)
            stage->Activate(wParam == 1);
        break;
    case WM_KEYDOWN:
        if (stage)
            stage->KeyDown(uint8_t(wParam), int32_t(wParam));
        break;
    case WM_KEYUP:
        if (stage)
            stage->KeyUp(uint8_t(wParam), int32_t(wParam));
        break;
    case WM_MOUSEMOVE:
        if (stage)
            stage->MouseMove(MouseX(lParam), MouseY(lParam));
        break;
    // Every button, as a user waking the screen up expects.
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
        if (stage)
            stage->MouseDown(MouseX(lParam), MouseY(lParam));
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_XBUTTONUP:
        if (stage)
            stage->MouseUp(MouseX(lParam), MouseY(lParam));
        break;
    case WM_PAINT:
        // Uncovered parts are black now (the class's brush): the next repaint shows all of
        // the frame, not only what changed in it.
        if (stage && stage->GetFrameBuffer())
            stage->InvalidRect(stage->GetFrameBuffer()->GetRect());
        break;
    case WM_MOUSEWHEEL:
    case kMouseHorizontalWheel:
        if (stage)
            stage->MouseWheel();  // its position is the screen's, not the window's: not kept
        break;
    case WM_SYSCOMMAND:
        // A saver that runs must not be replaced by the platform starting the saver again.
        if (stage && stage->IsSaverRunningSet() && (wParam & 0xFFF0) == SC_SCREENSAVE)
            return 1;
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void VDibStage::CreateStageWindow()
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &VDibStage::WindowProc;
    windowClass.hInstance = module_;
    windowClass.hIcon = LoadIconA(module_, MAKEINTRESOURCEA(32512));
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kStageWindowClass;
    RegisterClassExA(&windowClass);

    VStageSetup& setup = GetSetup();
    HWND desktop = GetDesktopWindow();
    HDC desktopDC = GetDC(desktop);
    const VResolution primary{GetDeviceCaps(desktopDC, HORZRES), GetDeviceCaps(desktopDC, VERTRES)};
    ReleaseDC(desktop, desktopDC);
    // Another area than the primary monitor is covered by a window of its exact place and
    // size: maximising would shrink it to one monitor.
    const bool ownArea = setup.fullScreen && screenArea_.width > 0 && screenArea_.height > 0;
    if (ownArea)
        setup.windowRect = VRect(float(screenArea_.x), float(screenArea_.y),
                                 float(screenArea_.width), float(screenArea_.height));
    else if (setup.fullScreen)
        setup.windowRect = VRect(0, 0, float(primary.width), float(primary.height));
    int x = int(setup.windowRect.x);
    int y = int(setup.windowRect.y);
    int width = int(setup.windowRect.width);
    int height = int(setup.windowRect.height);
    VResolution compose{width, height};
    if (setup.fullScreen)
        compose = ComposeSize(resolution_, width, height);
    else if (composeAsScreen_)
        compose = ComposeSize(resolution_, primary.width, primary.height);
    Resize(compose.width, compose.height);

    DWORD style = setup.hasFrame ? WS_OVERLAPPEDWINDOW : WS_POPUP;
    if (setup.fullScreen && !ownArea)
        style |= WS_MAXIMIZE;
    // Without a frame this is a popup that the parent owns: still a top-level window, so the
    // single-instance rule finds it by its title, and it goes when the parent goes.
    if (parent_)
        style |= WS_CHILD;
    window_ = CreateWindowExA(0, kStageWindowClass, "Valdrimor Window", style, x, y, width,
                              height, parent_, nullptr, module_, nullptr);
    if (!window_)
        ExitProcess(1);

    if (!target_)
        target_ = window_;
    if (target_ == window_)
        ::ShowWindow(window_, setup.fullScreen && !ownArea ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    UpdateWindow(window_);
    if (IsWindowVisible(window_))
        ShowCursor(setup.showCursor);
    SetCaption(GetCaption());
    if (topmost_)
        SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (parent_ && IsWindow(parent_) && parent_ == target_ && !IsWindowVisible(window_))
        SetForegroundWindow(parent_);
}
