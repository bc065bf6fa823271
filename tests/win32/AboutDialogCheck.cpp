// The settings dialog as the display settings open it, at the screen's current DPI:
//   AboutDialogCheck.exe SAVER SHOT.bmp
// makes a window standing in for the display settings, starts "SAVER /c:HWND", waits for the
// about window, then prints:
//   dpi <n>                          the screen's DPI
//   dialog <width> <height>          the dialog's client area in pixels
//   offset <dx> <dy>                 its centre from the stand-in's centre
//   clipped <class> "<text>" ...     a control whose text does not fit (none when all do)
//   PASS                             every text fits and every control lies inside
// and writes the dialog's picture to SHOT.bmp, then cancels the dialog.

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

constexpr RECT kStandIn = {60, 40, 460, 340};
bool clipped = false;

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string TextOf(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

// The dialog's font as its template asks for it, at the screen's DPI (font handles stay in
// their own program, so the dialog's cannot be borrowed).
HFONT dialogFont = nullptr;

// The size `text` takes in the dialog font, wrapped at `wrapWidth` when it is above 0.
SIZE Measure(const std::string& text, int wrapWidth)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, dialogFont);
    RECT r = {0, 0, wrapWidth > 0 ? wrapWidth : 100000, 0};
    DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return {r.right - r.left, r.bottom - r.top};
}

void Report(const char* kind, const std::string& text, SIZE need, SIZE room)
{
    std::printf("clipped %s \"%s\" needs %ldx%ld in %ldx%ld\n", kind, text.c_str(), need.cx,
                need.cy, room.cx, room.cy);
    clipped = true;
}

BOOL CALLBACK CheckControl(HWND control, LPARAM dialogParam)
{
    HWND dialog = reinterpret_cast<HWND>(dialogParam);
    if (!IsWindowVisible(control) || GetParent(control) != dialog)
        return TRUE;
    char kindText[64] = {};
    GetClassNameA(control, kindText, sizeof(kindText));
    std::string kind = kindText;
    RECT box{}, client{};
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
    GetClientRect(dialog, &client);
    std::string text = TextOf(control);
    if (box.left < 0 || box.top < 0 || box.right > client.right || box.bottom > client.bottom)
        Report("outside", text, {box.right, box.bottom}, {client.right, client.bottom});
    SIZE room = {box.right - box.left, box.bottom - box.top};
    LONG style = GetWindowLongA(control, GWL_STYLE);
    if (_stricmp(kindText, "Static") == 0 && (style & SS_TYPEMASK) != SS_ICON && !text.empty()) {
        SIZE need = Measure(text, int(room.cx));
        if (need.cx > room.cx || need.cy > room.cy)
            Report("text", text, need, room);
    } else if (_stricmp(kindText, "Button") == 0) {
        SIZE need = Measure(text, 0);
        LONG type = style & BS_TYPEMASK;
        // A check box's text follows its box; a push button keeps an edge on every side.
        if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX)
            need.cx += GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE) * 2;
        else
            need = {need.cx + GetSystemMetrics(SM_CXEDGE) * 4, need.cy + GetSystemMetrics(SM_CYEDGE) * 4};
        if (need.cx > room.cx || need.cy > room.cy)
            Report("button", text, need, room);
    } else if (_stricmp(kindText, "ComboBox") == 0) {
        LRESULT n = SendMessageA(control, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < n; ++i) {
            char item[256] = {};
            if (SendMessageA(control, CB_GETLBTEXTLEN, WPARAM(i), 0) >= LRESULT(sizeof(item)))
                continue;
            SendMessageA(control, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(item));
            SIZE need = Measure(item, 0);
            need.cx += GetSystemMetrics(SM_CXVSCROLL) + GetSystemMetrics(SM_CXEDGE) * 2;
            if (need.cx > room.cx || need.cy > room.cy)
                Report("list", item, need, room);
        }
    } else if (_stricmp(kindText, "Edit") == 0) {
        RECT inner{};
        GetClientRect(control, &inner);
        SIZE need = Measure("Ag", 0);
        if (need.cy > inner.bottom)
            Report("field", text, need, {inner.right, inner.bottom});
    }
    return TRUE;
}

void WriteShot(HWND window, const char* path)
{
    RECT r{};
    GetClientRect(window, &r);
    int w = r.right, h = r.bottom;
    HDC windowDc = GetDC(window);
    HDC memory = CreateCompatibleDC(windowDc);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, windowDc, 0, 0, SRCCOPY);
    GdiFlush();
    DWORD stride = (DWORD(w) * 3 + 3) & ~3u;
    DWORD size = stride * DWORD(h);
    BITMAPFILEHEADER file{0x4D42, DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) + size, 0,
                          0, DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))};
    if (std::FILE* out = std::fopen(path, "wb")) {
        std::fwrite(&file, sizeof(file), 1, out);
        std::fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out);
        std::fwrite(bits, 1, size, out);
        std::fclose(out);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, windowDc);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    SetProcessDPIAware();
    HINSTANCE module = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &StandInProc;
    windowClass.hInstance = module;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "ZiboltSettingsStandIn";
    RegisterClassA(&windowClass);
    HWND standIn = CreateWindowExA(0, windowClass.lpszClassName, "Screen Saver Settings",
                                   WS_POPUP | WS_VISIBLE, kStandIn.left, kStandIn.top,
                                   kStandIn.right - kStandIn.left, kStandIn.bottom - kStandIn.top,
                                   nullptr, nullptr, module, nullptr);
    std::string command = std::string("\"") + argv[1] + "\" /c:" +
                          std::to_string(reinterpret_cast<std::uintptr_t>(standIn));
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION saver{};
    if (!standIn || !CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                    nullptr, &startup, &saver)) {
        std::printf("start failed %lu\n", GetLastError());
        return 3;
    }
    HWND dialog = nullptr;
    for (int i = 0; i < 300 && !dialog; ++i) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        dialog = FindWindowA(nullptr, "About Zibolt");
        Sleep(50);
    }
    if (!dialog) {
        std::printf("no about window\n");
        return 4;
    }
    Sleep(800);  // painted, and any size change after creation done
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    std::printf("dpi %d\n", dpi);
    dialogFont = CreateFontA(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, 0, 0, 0, 0, "MS Shell Dlg");
    RECT client{}, frame{};
    GetClientRect(dialog, &client);
    GetWindowRect(dialog, &frame);
    std::printf("dialog %ld %ld\n", client.right, client.bottom);
    std::printf("offset %ld %ld\n", (frame.left + frame.right - kStandIn.left - kStandIn.right) / 2,
                (frame.top + frame.bottom - kStandIn.top - kStandIn.bottom) / 2);
    EnumChildWindows(dialog, &CheckControl, reinterpret_cast<LPARAM>(dialog));
    WriteShot(dialog, argv[2]);
    if (!clipped)
        std::printf("PASS\n");
    std::fflush(stdout);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    // Gone before the next check starts one: a second about program would only bring this
    // one forward.
    for (int i = 0; i < 100 && IsWindow(dialog); ++i)
        Sleep(50);
    CloseHandle(saver.hThread);
    CloseHandle(saver.hProcess);
    return 0;
}
