#include "platform/win32/VAboutWindow.h"

#include <shlobj.h>

#include <algorithm>

#include "platform/win32/VResourceIds.h"

namespace {

constexpr const char* kDescription =
    "Zibolt is an endless animated cartoon: a small hero flies his space ship between the "
    "planets, lands, meets friends who come flying in, talks with them in speech balloons and "
    "flies on, while stars drift by. Press S during the show to switch the sound on or off; "
    "any other key, a mouse button or moving the mouse ends it.";

constexpr const char* kBuiltInSkin = "(built-in)";
constexpr const char* kNoProblems = "None.";
// The side of the hero's picture in the dialog, as in the dialog's template.
constexpr int kPictureUnits = 24;

std::string TextOf(HWND control)
{
    int n = GetWindowTextLengthA(control);
    std::string text(size_t(n) + 1, '\0');
    GetWindowTextA(control, text.data(), n + 1);
    text.resize(size_t(n));
    return text;
}

LRESULT Send(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendDlgItemMessageA(dialog, id, message, wParam, lParam);
}

LPARAM TextParam(const char* text) { return reinterpret_cast<LPARAM>(text); }

}  // namespace

void CentreWindow(HWND window, HWND over)
{
    RECT own{};
    GetWindowRect(window, &own);
    RECT area{};
    if (over && IsWindow(over))
        GetWindowRect(over, &area);
    else
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoA(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    LONG width = own.right - own.left, height = own.bottom - own.top;
    LONG x = (area.left + area.right - width) / 2;
    LONG y = (area.top + area.bottom - height) / 2;
    // The title bar stays reachable when the parent sits near a screen edge.
    x = std::max(work.left, std::min(x, work.right - width));
    y = std::max(work.top, std::min(y, work.bottom - height));
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

VAboutWindow::VAboutWindow(HINSTANCE module, VAboutValues values, std::vector<std::string> problems)
    : module_(module), values_(std::move(values)), problems_(std::move(problems))
{
}

bool VAboutWindow::Run(HWND centreOver)
{
    centreOver_ = centreOver;
    // Modeless, and owned by no other program's window: a parent window of the display
    // settings would tie the two programs' input together.
    window_ = CreateDialogParamA(module_, MAKEINTRESOURCEA(ZIBOLT_ABOUT_DIALOG), nullptr,
                                 &VAboutWindow::DialogProc, reinterpret_cast<LPARAM>(this));
    if (!window_)
        return false;
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(window_, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return accepted_;
}

void VAboutWindow::Fill()
{
    SetDlgItemTextA(window_, ZIBOLT_ABOUT_DESCRIPTION, kDescription);
    CheckDlgButton(window_, ZIBOLT_ABOUT_SOUND, values_.sound ? BST_CHECKED : BST_UNCHECKED);
    for (int type = 1; type <= VAboutValues::kEngineTypes; ++type)
        Send(window_, ZIBOLT_ABOUT_ENGINE, CB_ADDSTRING, 0, TextParam(VAboutValues::EngineName(type)));
    Send(window_, ZIBOLT_ABOUT_ENGINE, CB_SETCURSEL, WPARAM(values_.engine[0] - '1'), 0);
    FillSkins();
    SetDlgItemTextA(window_, ZIBOLT_ABOUT_DIR, values_.dir.c_str());

    std::string problems;
    for (const std::string& line : problems_)
        problems += (problems.empty() ? "" : "\r\n") + line;
    SetDlgItemTextA(window_, ZIBOLT_ABOUT_PROBLEMS, problems.empty() ? kNoProblems : problems.c_str());
    // The newest line is the last: scroll to it.
    Send(window_, ZIBOLT_ABOUT_PROBLEMS, EM_LINESCROLL, 0, 0x7fff);
}

void VAboutWindow::SetIcons()
{
    // Each at the size it is shown, drawn from the icon's nearest image rather than stretched
    // from the 32-pixel one. Loaded once and kept for the program's short life.
    auto icon = [&](int width, int height) {
        return reinterpret_cast<LPARAM>(LoadImageA(module_, MAKEINTRESOURCEA(ZIBOLT_ICON),
                                                   IMAGE_ICON, width, height, 0));
    };
    SendMessageA(window_, WM_SETICON, ICON_BIG,
                 icon(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)));
    SendMessageA(window_, WM_SETICON, ICON_SMALL,
                 icon(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)));
    // The picture beside the text: 24 dialog units square, so it grows with the text.
    RECT room = {0, 0, kPictureUnits, kPictureUnits};
    MapDialogRect(window_, &room);
    SendDlgItemMessageA(window_, ZIBOLT_ABOUT_PICTURE, STM_SETICON,
                        WPARAM(icon(room.right, room.right)), 0);
}

void VAboutWindow::FillSkins()
{
    Send(window_, ZIBOLT_ABOUT_SKIN, CB_RESETCONTENT, 0, 0);
    Send(window_, ZIBOLT_ABOUT_SKIN, CB_ADDSTRING, 0, TextParam(kBuiltInSkin));
    int selected = 0;
    std::vector<std::string> skins = VAboutValues::ListSkins(values_.dir);
    // A skin named in the settings but not found stays choosable.
    if (!values_.skin.empty() &&
        std::find(skins.begin(), skins.end(), values_.skin) == skins.end())
        skins.push_back(values_.skin);
    for (size_t i = 0; i < skins.size(); ++i) {
        Send(window_, ZIBOLT_ABOUT_SKIN, CB_ADDSTRING, 0, TextParam(skins[i].c_str()));
        if (skins[i] == values_.skin)
            selected = int(i) + 1;
    }
    Send(window_, ZIBOLT_ABOUT_SKIN, CB_SETCURSEL, WPARAM(selected), 0);
}

void VAboutWindow::Browse()
{
    BROWSEINFOA browse{};
    browse.hwndOwner = window_;
    browse.lpszTitle = "The folder with Zibolt's scene files, Sounds and Skins:";
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&browse);
    if (!chosen)
        return;
    char path[MAX_PATH] = {};
    if (SHGetPathFromIDListA(chosen, path)) {
        SetDlgItemTextA(window_, ZIBOLT_ABOUT_DIR, path);
        // The skins on offer are those of the chosen folder.
        values_.dir = path;
        FillSkins();
    }
    CoTaskMemFree(chosen);
}

void VAboutWindow::TakeValues()
{
    values_.sound = IsDlgButtonChecked(window_, ZIBOLT_ABOUT_SOUND) == BST_CHECKED;
    LRESULT engine = Send(window_, ZIBOLT_ABOUT_ENGINE, CB_GETCURSEL, 0, 0);
    if (engine >= 0 && engine < VAboutValues::kEngineTypes)
        values_.engine = std::to_string(engine + 1);
    HWND skin = GetDlgItem(window_, ZIBOLT_ABOUT_SKIN);
    values_.skin = SendMessageA(skin, CB_GETCURSEL, 0, 0) <= 0 ? std::string() : TextOf(skin);
    values_.dir = TextOf(GetDlgItem(window_, ZIBOLT_ABOUT_DIR));
}

INT_PTR CALLBACK VAboutWindow::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<VAboutWindow*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        self->window_ = window;
        self->SetIcons();
        self->Fill();
        CentreWindow(window, self->centreOver_);
        return TRUE;
    }
    auto* self = reinterpret_cast<VAboutWindow*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!self)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            self->TakeValues();
            self->accepted_ = true;
            DestroyWindow(window);
            return TRUE;
        case IDCANCEL:
            DestroyWindow(window);
            return TRUE;
        case ZIBOLT_ABOUT_BROWSE:
            self->Browse();
            return TRUE;
        default:
            return FALSE;
        }
    case WM_DESTROY:
        PostQuitMessage(0);
        return TRUE;
    default:
        return FALSE;
    }
}
