#include "platform/win32/VDibStage.h"

#include <mmsystem.h>

#include <intrin.h>

#include <sstream>

#include "engine/graphics/VDibSurface.h"
#include "engine/stage/VSoundFile.h"
#include "engine/stream/VUnattendedReport.h"
#include "platform/win32/VWinSaver.h"

namespace {

constexpr unsigned short kVgaInputStatus = 0x3DA;
constexpr unsigned char kVerticalRetrace = 0x08;

bool ReportsNT()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&version))
        return true;
#pragma GCC diagnostic pop
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// The VGA status port: readable by programs only on the old platform family, where it is
// polled; on NT the retrace waits do nothing.
bool InRetrace() { return (__inbyte(kVgaInputStatus) & kVerticalRetrace) != 0; }

}  // namespace

VDibStage::VDibStage(HINSTANCE module) : module_(module), runningOnNT_(ReportsNT())
{
    SetCurrentStage(this);
}

VDibStage::~VDibStage()
{
    BOOL previous = FALSE;
    SystemParametersInfoA(SPI_SCREENSAVERRUNNING, FALSE, &previous, 0);
    if (CurrentStage() == this)
        SetCurrentStage(nullptr);
}

double VDibStage::GetPlatformTime()
{
    return double(timeGetTime());
}

std::unique_ptr<VSurface> VDibStage::CreateSurface(int width, int height)
{
    return std::make_unique<VDibSurface>(float(width), float(height));
}

VScreensaverEngine* VDibStage::CreateScreensaverEngine()
{
    return new VWinSaver(*this);
}

std::unique_ptr<std::istream> VDibStage::LoadResourceStream()
{
    HRSRC resource = FindResourceA(module_, "VALDRIMOR", "VALDRIMOR");
    if (!resource)
        return nullptr;
    DWORD size = SizeofResource(module_, resource);
    HGLOBAL loaded = LoadResource(module_, resource);
    if (!loaded)
        return nullptr;
    const void* bytes = LockResource(loaded);
    if (!bytes)
        return nullptr;
    // A copy: the stream outlives nothing of the resource.
    auto stream = std::make_unique<std::istringstream>(
        std::string(static_cast<const char*>(bytes), size_t(size)));
    FreeResource(loaded);
    return stream;
}

bool VDibStage::PumpMessages(double waitMs)
{
    double t0 = GetTime();
    MSG message;
    if (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        if (message.message == WM_QUIT)
            return true;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    double rest = t0 - GetTime() + waitMs;
    if (rest > 3.0)
        Sleep(DWORD(rest));
    return false;
}

void VDibStage::CalibrateRefresh()
{
    HDC screen = GetDC(nullptr);
    int rate = GetDeviceCaps(screen, VREFRESH);
    ReleaseDC(nullptr, screen);
    if (rate >= 2) {
        SetRefreshPeriod(1000.0 / rate);
        return;
    }
    // Measured over many retraces; kept in milliseconds like the reported rate.
    LARGE_INTEGER frequency, before, after;
    if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0) {
        WaitForRetrace();
        QueryPerformanceCounter(&before);
        for (int i = 0; i < 50; ++i)
            WaitForRetrace();
        WaitForRetraceEnd();
        QueryPerformanceCounter(&after);
        SetRefreshPeriod(double(after.QuadPart - before.QuadPart) / double(frequency.QuadPart) *
                         1000.0 / 50.0);
        return;
    }
    DWORD start = GetTickCount();
    for (int i = 0; i < 100; ++i)
        WaitForRetrace();
    SetRefreshPeriod(double(GetTickCount() - start) / 100.0);
}

void VDibStage::WaitForRetraceEnd()
{
    if (!runningOnNT_)
        while (InRetrace()) {
        }
}

double VDibStage::WaitForRetrace()
{
    WaitForRetraceEnd();
    if (!runningOnNT_)
        while (!InRetrace()) {
        }
    return GetTime() + GetRefreshPeriod();
}

void VDibStage::SetCaption(const std::string& text)
{
    VStage::SetCaption(text);
    if (window_)
        SetWindowTextA(window_, text.c_str());
}

VRect VDibStage::GetWindowBounds()
{
    RECT r{};
    if (window_)
        GetWindowRect(window_, &r);
    return VRect(float(r.left), float(r.top), float(r.right - r.left), float(r.bottom - r.top));
}

std::string VDibStage::ModuleFileName() const
{
    char buffer[300] = {};
    DWORD n = GetModuleFileNameA(module_, buffer, sizeof(buffer));
    return std::string(buffer, n < sizeof(buffer) ? n : sizeof(buffer) - 1);
}

std::string VDibStage::GetProgramName()
{
    std::string path = ModuleFileName();
    size_t slash = path.find_last_of('\\');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string VDibStage::GetProgramDirectory()
{
    std::string path = ModuleFileName();
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool VDibStage::RequestQuit()
{
    PostQuitMessage(0);
    return true;
}

void VDibStage::ShowCursor(bool show)
{
    ::ShowCursor(show ? TRUE : FALSE);
}

void VDibStage::ReportException(const std::string& message)
{
    ReportUnattended(message);
    if (quietReports_)
        return;
    int answer = MessageBoxA(window_, message.c_str(), "Valdrimor Exception",
                             MB_OKCANCEL | MB_ICONERROR);
    if (answer == IDCANCEL)
        Stop();
}

bool VDibStage::PlayPlatformSound(const std::string& fileName, uint32_t flags)
{
    // The show names its sounds without the extension; the files beside it are wave files.
    const std::string file = FindSoundFile(fileName);
    // A missing file stays silent: without SND_NODEFAULT Windows plays its default sound.
    return sndPlaySoundA((file.empty() ? fileName : file).c_str(), UINT(flags) | SND_NODEFAULT) !=
           FALSE;
}

void VDibStage::SetTargetWindow(HWND window, float width, float height)
{
    target_ = window;
    targetWidth_ = width;
    targetHeight_ = height;
    if (window_)
        ::ShowWindow(window_, target_ == window_ ? SW_SHOW : SW_HIDE);
}

void VDibStage::SetShowFrameRate(bool show)
{
    if (show == showFrameRate_)
        return;
    showFrameRate_ = show;
    frameRate_.Reset();
}

void VDibStage::SetParentWindow(HWND window)
{
    parent_ = window;
    if (window_ && window)
        SetParent(window_, window);
}

void VDibStage::EnterSaverMode()
{
    if (window_)
        SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    topmost_ = true;
    BOOL previous = FALSE;
    saverRunningSet_ = SystemParametersInfoA(SPI_SCREENSAVERRUNNING, TRUE, &previous, 0) != FALSE;
}
