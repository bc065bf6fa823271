#include "platform/win32/VAboutWindow.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr const char* kClassName = "ZiboltAboutWindow";
constexpr int kOk = IDOK;
constexpr int kCancel = IDCANCEL;
constexpr int kSound = 101;
constexpr int kEngine = 102;
constexpr int kSkin = 103;
constexpr int kDir = 104;

constexpr const char* kDescription =
    "Zibolt is an endless animated cartoon: a small hero flies his space ship between the "
    "planets, lands, meets friends who come flying in, talks with them in speech balloons and "
    "flies on, while stars drift by. Press S during the show to switch the sound on or off; "
    "any other key or moving the mouse ends it.";

constexpr const char* kBuiltInSkin = "(built-in)";

HWND Control(HWND parent, const char* kind, const char* text, DWORD style, int x, int y, int w,
             int h, int id)
{
    HWND control = CreateWindowExA(0, kind, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return control;
}

std::string TextOf(HWND control)
{
    int n = GetWindowTextLengthA(control);
    std::string text(size_t(n) + 1, '\0');
    GetWindowTextA(control, text.data(), n + 1);
    text.resize(size_t(n));
    return text;
}

}  // namespace

VAboutWindow::VAboutWindow(HINSTANCE module, VAboutValues values)
    : module_(module), values_(std::move(values))
{
}

bool VAboutWindow::Run()
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &VAboutWindow::WindowProc;
    windowClass.hInstance = module_;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExA(&windowClass);

    window_ = CreateWindowExA(0, kClassName, kTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                              CW_USEDEFAULT, CW_USEDEFAULT, 460, 330, nullptr, nullptr, module_,
                              this);
    if (!window_)
        return false;
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(window_, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return accepted_;
}

void VAboutWindow::CreateControls()
{
    Control(window_, "STATIC", kDescription, 0, 12, 10, 420, 80, 0);
    sound_ = Control(window_, "BUTTON", "Sound", BS_AUTOCHECKBOX | WS_TABSTOP, 12, 100, 200, 20, kSound);
    SendMessageA(sound_, BM_SETCHECK, values_.sound ? BST_CHECKED : BST_UNCHECKED, 0);

    Control(window_, "STATIC", "Engine", 0, 12, 132, 80, 20, 0);
    engine_ = Control(window_, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, 100, 128,
                      120, 200, kEngine);
    for (int type = 1; type <= VAboutValues::kEngineTypes; ++type)
        SendMessageA(engine_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_string(type).c_str()));
    SendMessageA(engine_, CB_SETCURSEL, WPARAM(values_.engine[0] - '1'), 0);

    Control(window_, "STATIC", "Skin", 0, 12, 164, 80, 20, 0);
    skin_ = Control(window_, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, 100, 160,
                    200, 200, kSkin);
    FillSkins();

    Control(window_, "STATIC", "Folder", 0, 12, 196, 80, 20, 0);
    dir_ = Control(window_, "EDIT", values_.dir.c_str(), WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP,
                   100, 192, 330, 22, kDir);

    Control(window_, "BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 250, 250, 85, 26, kOk);
    Control(window_, "BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 345, 250, 85, 26, kCancel);
}

void VAboutWindow::FillSkins()
{
    SendMessageA(skin_, CB_RESETCONTENT, 0, 0);
    SendMessageA(skin_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kBuiltInSkin));
    int selected = 0;
    std::vector<std::string> skins = VAboutValues::ListSkins(values_.dir);
    // A skin named in the settings but not found stays choosable.
    if (!values_.skin.empty() &&
        std::find(skins.begin(), skins.end(), values_.skin) == skins.end())
        skins.push_back(values_.skin);
    for (size_t i = 0; i < skins.size(); ++i) {
        SendMessageA(skin_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(skins[i].c_str()));
        if (skins[i] == values_.skin)
            selected = int(i) + 1;
    }
    SendMessageA(skin_, CB_SETCURSEL, WPARAM(selected), 0);
}

void VAboutWindow::TakeValues()
{
    values_.sound = SendMessageA(sound_, BM_GETCHECK, 0, 0) == BST_CHECKED;
    LRESULT engine = SendMessageA(engine_, CB_GETCURSEL, 0, 0);
    if (engine >= 0 && engine < VAboutValues::kEngineTypes)
        values_.engine = std::to_string(engine + 1);
    LRESULT skin = SendMessageA(skin_, CB_GETCURSEL, 0, 0);
    values_.skin = skin <= 0 ? std::string() : TextOf(skin_);
    values_.dir = TextOf(dir_);
}

LRESULT CALLBACK VAboutWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<VAboutWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_CREATE:
        self->window_ = window;
        self->CreateControls();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kOk) {
            self->TakeValues();
            self->accepted_ = true;
            DestroyWindow(window);
            return 0;
        }
        if (LOWORD(wParam) == kCancel) {
            DestroyWindow(window);
            return 0;
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
