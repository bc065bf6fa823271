#include "platform/sdl/VSdlStage.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <poll.h>
#include <cmath>
#include <ctime>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <pthread.h>
#include <sstream>
#include <sys/prctl.h>
#include <unistd.h>

#include "engine/graphics/VDibSurface.h"
#include "engine/stage/VSoundFile.h"
#include "engine/stream/VUnattendedReport.h"
#include "platform/sdl/VExecutablePath.h"
#include "platform/sdl/VForeignWindowWatch.h"
#include "platform/sdl/VSdlPresenter.h"
#include "platform/sdl/VReadoutText.h"
#include "platform/sdl/VSdlKeys.h"
#include "platform/sdl/VXErrorGuard.h"

namespace {

volatile std::sig_atomic_t gTerminate = 0;
volatile std::sig_atomic_t gRaise = 0;
volatile std::sig_atomic_t gReportShown = 0;

void OnTerminate(int)
{
    // A report box waits for its answer in a loop of its own, which no flag reaches; there is
    // nothing left to save by then.
    if (gReportShown)
        ::_exit(0);
    gTerminate = 1;
}

// SDL shows a report box from a process of its own, forked for it; that one must not outlive
// the show when a signal ends the show while the box is up.
pid_t gBoxParent = 0;
void EndWithTheShow()
{
    if (gReportShown && gBoxParent != 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != gBoxParent)
            ::_exit(0);  // the show ended before this could be said
    }
}
void OnRaise(int) { gRaise = 1; }

// A fade step is shown for at least one frame of a 60 Hz display, also where the renderer
// does not wait for the retrace.
constexpr double kFadeStepMs = 1000.0 / 60.0;
// The longest time between two pumps of SDL's events with nothing seen waiting.
constexpr double kPumpIntervalMs = 250.0;
// The longest a wait goes without looking for a signal.
constexpr double kSignalSliceMs = 20.0;
// How often a foreign target is checked for still existing.
constexpr double kWatchIntervalMs = 250.0;

}  // namespace

VSdlStage::VSdlStage()
{
    SetCurrentStage(this);
    // Unattended runs (tests, CI) have no one to press a button.
    if (const char* quiet = std::getenv("ZIBOLT_QUIET_REPORTS"); quiet && *quiet && *quiet != '0')
        quietReports_ = true;
    // Every repaint converted and sent whole, as before changes were tracked: the benchmark's
    // peer in the same run.
    if (const char* whole = std::getenv("ZIBOLT_WHOLE_FRAMES"); whole && *whole && *whole != '0')
        wholeFrames_ = true;
}

VSdlStage::~VSdlStage()
{
    // What showing the frames cost, for the benchmark that runs the saver.
    if (const char* stats = std::getenv("ZIBOLT_PRESENT_STATS"); stats && *stats && presenter_) {
        const VSdlPresenter::Counts& c = presenter_->GetCounts();
        std::fprintf(stderr,
                     "zibolt: frames whole %lld, in parts %lld, unchanged %lld; pixels written "
                     "%lld; rectangles sent %lld\n",
                     c.whole, c.parts, c.unchanged, c.pixels, c.uploads);
    }
    presenter_.reset();
    if (window_) {
        // What letting go of a vanished window answers arrives while the guard still holds.
        VXErrorGuard::DrainWindowDisplay(window_, !foreign_);
        SDL_DestroyWindow(window_);  // a foreign window stays; SDL only lets go of it
    }
    if (videoStarted_)
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void VSdlStage::InstallSignalHandlers()
{
    // SDL would turn these into its quit event; ours only set a flag that the next wait reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    struct sigaction action {};
    action.sa_handler = OnTerminate;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    action.sa_handler = OnRaise;
    sigaction(SIGUSR1, &action, nullptr);
    gBoxParent = ::getpid();
    pthread_atfork(nullptr, nullptr, EndWithTheShow);
}

void VSdlStage::SetMainStream(std::string bytes)
{
    mainStream_ = std::move(bytes);
    hasMainStream_ = true;
}

void VSdlStage::SetTargetWindow(uint64_t window, int width, int height)
{
    targetWindow_ = window;
    targetWidth_ = static_cast<float>(width);
    targetHeight_ = static_cast<float>(height);
}

void VSdlStage::EnterSaverMode()
{
    topmost_ = true;
    if (window_ && !foreign_)
        SDL_SetWindowAlwaysOnTop(window_, SDL_TRUE);
}

void VSdlStage::SetShowFrameRate(bool on)
{
    if (on != showFrameRate_) {
        showFrameRate_ = on;
        meter_.Reset();
    }
}

void VSdlStage::SetWindowSize(int width, int height)
{
    windowWidth_ = width;
    windowHeight_ = height;
}

void VSdlStage::RaiseWindow()
{
    if (window_ && !foreign_)
        SDL_RaiseWindow(window_);
}

double VSdlStage::GetPlatformTime()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

std::unique_ptr<VSurface> VSdlStage::CreateSurface(int width, int height)
{
    return std::make_unique<VDibSurface>(static_cast<float>(width), static_cast<float>(height));
}

VScreensaverEngine* VSdlStage::CreateScreensaverEngine()
{
    return engineFactory_ ? engineFactory_(*this) : nullptr;
}

std::unique_ptr<std::istream> VSdlStage::LoadResourceStream()
{
    if (!hasMainStream_)
        return nullptr;
    return std::make_unique<std::istringstream>(mainStream_, std::ios::binary);
}

bool VSdlStage::InitVideo()
{
    if (videoStarted_)
        return true;
    if (videoFailed_)
        return false;
    // The desktop's own screen saver may start while the show runs in a window; SDL would
    // otherwise keep it off.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "zibolt: no display (%s)\n", SDL_GetError());
        videoFailed_ = true;
        return false;
    }
    VXErrorGuard::Install();
    videoStarted_ = true;
    return true;
}

void VSdlStage::CreateStageWindow()
{
    if (!InitVideo()) {
        windowFailed_ = true;
        SetQuitRequested();
        return;
    }
    const uint64_t foreignId = targetWindow_ ? targetWindow_ : parentWindow_;
    if (foreignId) {
        if (!CreateForeignWindow(foreignId)) {
            windowFailed_ = true;
            SetQuitRequested();
        }
        return;
    }
    CreateOwnWindow();
}

bool VSdlStage::CreateForeignWindow(uint64_t id)
{
    watch_ = std::make_unique<VForeignWindowWatch>();
    int width = 0, height = 0;
    if (!watch_->GetSize(id, width, height)) {
        std::fprintf(stderr, "zibolt: window 0x%llx does not exist\n",
                     static_cast<unsigned long long>(id));
        return false;
    }
    // SDL takes the window as it is: nothing is created, mapped or grabbed.
    window_ = SDL_CreateWindowFrom(reinterpret_cast<const void*>(static_cast<uintptr_t>(id)));
    if (!window_) {
        std::fprintf(stderr, "zibolt: cannot draw into window 0x%llx (%s)\n",
                     static_cast<unsigned long long>(id), SDL_GetError());
        return false;
    }
    foreign_ = true;
    targetWindow_ = id;
    // The foreign window's own visual may not suit OpenGL; its own surface always works.
    presenter_ = std::make_unique<VSdlPresenter>();
    if (!presenter_->Open(window_, false)) {
        std::fprintf(stderr, "zibolt: cannot draw into window 0x%llx (%s)\n",
                     static_cast<unsigned long long>(id), SDL_GetError());
        return false;
    }
    if (targetWidth_ <= 0 || targetHeight_ <= 0) {
        targetWidth_ = static_cast<float>(width);
        targetHeight_ = static_cast<float>(height);
    }
    // The preview host set the composition size (four times the preview); otherwise the
    // stage takes the window's size or the chosen resolution.
    const VRect& rect = GetSetup().windowRect;
    int composeW = static_cast<int>(rect.width), composeH = static_cast<int>(rect.height);
    const bool preview = composeW == 4 * static_cast<int>(targetWidth_) &&
                         composeH == 4 * static_cast<int>(targetHeight_);
    if (!preview) {
        const VResolution size = ComposeSize(resolution_, width, height);
        composeW = size.width;
        composeH = size.height;
    }
    composeW = std::max(composeW, 1);
    composeH = std::max(composeH, 1);
    SetWindowSize(composeW, composeH);
    Resize(composeW, composeH);
    SetCaption(GetCaption());
    return true;
}

void VSdlStage::CreateOwnWindow()
{
    VStageSetup& setup = GetSetup();
    const bool span = setup.fullScreen && span_.width > 0 && span_.height > 0;
    Uint32 flags = SDL_WINDOW_ALLOW_HIGHDPI;
    if (!setup.hasFrame || span)
        flags |= SDL_WINDOW_BORDERLESS;
    // The desktop's mode, never a mode change. Full screen belongs to one display, so a show
    // over several is a borderless window over all of them instead.
    if (setup.fullScreen && !span)
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    if (topmost_)
        flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    int width = std::max(static_cast<int>(setup.windowRect.width), 1);
    int height = std::max(static_cast<int>(setup.windowRect.height), 1);
    int x = static_cast<int>(setup.windowRect.x);
    int y = static_cast<int>(setup.windowRect.y);
    if (span) {
        x = span_.x;
        y = span_.y;
        width = span_.width;
        height = span_.height;
    } else if (setup.fullScreen) {
        // Made at the size and place of its display already: without a window manager
        // nothing moves a full-screen window, and the pointer's positions would be off by
        // where it first appeared.
        SDL_Point corner{x, y};
        const int display = display_ >= 0 ? display_ : SDL_GetPointDisplayIndex(&corner);
        SDL_Rect bounds{};
        if (SDL_GetDisplayBounds(std::max(display, 0), &bounds) == 0) {
            x = bounds.x;
            y = bounds.y;
            width = bounds.w;
            height = bounds.h;
        }
    } else if (x == 0 && y == 0) {
        x = SDL_WINDOWPOS_CENTERED;
        y = SDL_WINDOWPOS_CENTERED;
    }
    window_ = SDL_CreateWindow("Valdrimor Window", x, y, width, height, flags);
    if (!window_) {
        std::fprintf(stderr, "zibolt: cannot open a window (%s)\n", SDL_GetError());
        windowFailed_ = true;
        SetQuitRequested();
        return;
    }
    presenter_ = std::make_unique<VSdlPresenter>();
    if (!presenter_->Open(window_, true)) {
        std::fprintf(stderr, "zibolt: cannot draw into the window (%s)\n", SDL_GetError());
        windowFailed_ = true;
        SetQuitRequested();
        return;
    }
    VResolution compose{width, height};
    if (setup.fullScreen) {
        if (!span) {
            // The whole of the display the window is on.
            SDL_DisplayMode mode{};
            const int display = std::max(SDL_GetWindowDisplayIndex(window_), 0);
            if (SDL_GetDesktopDisplayMode(display, &mode) == 0) {
                width = mode.w;
                height = mode.h;
            }
        }
        setup.windowRect = VRect(0, 0, static_cast<float>(width), static_cast<float>(height));
        compose = ComposeSize(resolution_, width, height);
    } else if (composeAsScreen_) {
        // A window that shows what the full-screen show of its display would compose.
        SDL_Rect bounds{};
        const int display = std::max(SDL_GetWindowDisplayIndex(window_), 0);
        if (SDL_GetDisplayBounds(display, &bounds) == 0)
            compose = ComposeSize(resolution_, bounds.w, bounds.h);
    }
    SetWindowSize(compose.width, compose.height);
    Resize(compose.width, compose.height);
    ShowCursor(setup.showCursor);
    SetCaption(GetCaption());
    if (topmost_)
        SDL_SetWindowAlwaysOnTop(window_, SDL_TRUE);
    SDL_RaiseWindow(window_);
}

bool VSdlStage::TargetGone()
{
    if (VXErrorGuard::WindowVanished())
        return true;
    if (!foreign_ || !watch_)
        return false;
    static double lastCheck = 0;
    const double now = GetPlatformTime();
    if (now - lastCheck < kWatchIntervalMs)
        return false;
    lastCheck = now;
    return !watch_->Exists(targetWindow_);
}

bool VSdlStage::PumpMessages(double waitMs)
{
    const double t0 = GetTime();
    if (gTerminate) {
        gTerminate = 0;
        Stop();
    }
    if (gRaise) {
        gRaise = 0;
        RaiseWindow();
    }
    // The window went away under the show: the end of its job, not a failure.
    if (VXErrorGuard::WindowVanished())
        Stop();
    if (quitPosted_)
        return true;
    if (videoStarted_) {
        // SDL splits what one platform message carries into several events and does not
        // merge mouse moves, so everything waiting is handled, not just one.
        // SDL asks the X server dozens of times for each pump, so it pumps only when the
        // display has something to say (and now and then all the same).
        const double now = GetPlatformTime();
        if (InputWaiting() || now - lastPump_ >= kPumpIntervalMs) {
            SDL_PumpEvents();
            lastPump_ = now;
        }
        SDL_Event event;
        for (int n = 0; n < 256 && SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT,
                                                  SDL_LASTEVENT) == 1;
             ++n) {
            Dispatch(&event);
            if (quitPosted_)
                return true;
        }
    }
    const int connection = DisplayConnection();
    double rest = t0 - GetTime() + waitMs;
    if (connection >= 0) {
        // Waiting on the display's connection wakes up for input and for signals at once,
        // to the microsecond: short waits are slept too, not spun through. SDL's own wait
        // asks the X server again and again while it waits.
        if (rest > 0 && !gTerminate) {
            const double wait = std::min(rest, 1000.0);
            timespec timeout{time_t(wait / 1000.0), long(std::fmod(wait, 1000.0) * 1e6)};
            pollfd ready{connection, POLLIN, 0};
            ::ppoll(&ready, 1, &timeout, nullptr);
        }
    } else {
        // Waiting on the event queue wakes up for input, not for signals (SDL waits on
        // through them): the wait goes in slices, so that SIGTERM ends the show within one.
        for (; rest > 3 && !gTerminate; rest = t0 - GetTime() + waitMs) {
            const double slice = std::min(rest, kSignalSliceMs);
            if (!videoStarted_)
                SDL_Delay(static_cast<Uint32>(slice));
            else if (SDL_WaitEventTimeout(nullptr, static_cast<int>(slice)))
                break;
        }
    }
    if (gTerminate) {
        gTerminate = 0;
        Stop();
    }
    return quitPosted_;
}

int VSdlStage::DisplayConnection()
{
    if (!window_)
        return -1;
    if (connection_ == -2) {
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (SDL_GetWindowWMInfo(window_, &info) && info.subsystem == SDL_SYSWM_X11) {
            xDisplay_ = info.info.x11.display;
            connection_ = ConnectionNumber(info.info.x11.display);
        } else {
            connection_ = -1;
        }
    }
    return connection_;
}

bool VSdlStage::InputWaiting()
{
    const int connection = DisplayConnection();
    if (connection < 0)
        return true;  // no way to tell: ask SDL
    // Events already read into Xlib's queue (by a present's round trip), or bytes on the wire.
    if (XEventsQueued(static_cast<Display*>(xDisplay_), QueuedAlready) > 0)
        return true;
    pollfd ready{connection, POLLIN, 0};
    return ::poll(&ready, 1, 0) > 0;
}

void VSdlStage::Dispatch(const void* raw)
{
    const SDL_Event& event = *static_cast<const SDL_Event*>(raw);
    // A foreign window belongs to its maker, who handles its input.
    const bool input = !foreign_;
    switch (event.type) {
    case SDL_QUIT:
        Exit();
        RequestQuit();
        break;
    case SDL_WINDOWEVENT:
        switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            Exit();  // raises "OnExit"
            RequestQuit();
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED: Activate(1); break;
        case SDL_WINDOWEVENT_FOCUS_LOST: Activate(0); break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            if (GetFrameBuffer())
                Present(*GetFrameBuffer(), 0, 0, nullptr);
            break;
        default: break;
        }
        break;
    case SDL_KEYDOWN:
        if (input) {
            uint8_t code = VirtualKeyOf(event.key.keysym.sym);
            if (code == 0)
                code = 0xFF;  // a key without a code still counts as a key
            escapeDown_ = code == kVirtualKeyEscape;
            KeyDown(code, code);
            escapeDown_ = false;
        }
        break;
    case SDL_KEYUP:
        if (input) {
            uint8_t code = VirtualKeyOf(event.key.keysym.sym);
            KeyUp(code ? code : 0xFF, code ? code : 0xFF);
        }
        break;
    case SDL_MOUSEMOTION:
        if (input)
            MouseMove(static_cast<float>(event.motion.x), static_cast<float>(event.motion.y));
        break;
    case SDL_MOUSEBUTTONDOWN:  // every button
        if (input)
            MouseDown(static_cast<float>(event.button.x), static_cast<float>(event.button.y));
        break;
    case SDL_MOUSEBUTTONUP:
        if (input)
            MouseUp(static_cast<float>(event.button.x), static_cast<float>(event.button.y));
        break;
    case SDL_MOUSEWHEEL:
        if (input)
            MouseWheel();
        break;
    default: break;
    }
}

void VSdlStage::CalibrateRefresh()
{
    SDL_DisplayMode mode{};
    int display = window_ ? SDL_GetWindowDisplayIndex(window_) : 0;
    double period = 1000.0 / 60.0;
    if (videoStarted_ && SDL_GetCurrentDisplayMode(std::max(display, 0), &mode) == 0 &&
        mode.refresh_rate >= 2)
        period = 1000.0 / mode.refresh_rate;
    SetRefreshPeriod(period);
}

double VSdlStage::WaitForRetrace()
{
    return GetTime() + GetRefreshPeriod();
}

void VSdlStage::Present(VSurface& surface, float, float, const VRectList* rects)
{
    VDib* dib = surface.GetDib();
    if (!dib || !presenter_)
        return;
    if (TargetGone()) {
        Stop();
        return;
    }
    if (wholeFrames_)
        rects = nullptr;
    // A frame that changed nothing is not shown again, and does not count as a frame shown.
    const bool unchanged = rects && rects->empty();
    const bool readout = showFrameRate_ && !unchanged && meter_.Frame(GetTime());
    converter_.SetPalette(dib->GetPaletteEntries());
    const bool reduce = windowWidth_ == 4 * static_cast<int>(targetWidth_) &&
                        windowHeight_ == 4 * static_cast<int>(targetHeight_) &&
                        static_cast<int>(targetWidth_) == kPreviewWidth &&
                        static_cast<int>(targetHeight_) == kPreviewHeight &&
                        dib->GetWidth() >= 4 * kPreviewWidth && dib->GetHeight() >= 4 * kPreviewHeight;
    if (reduce)
        Show(kPreviewWidth, kPreviewHeight, true, *dib, unchanged ? rects : nullptr, false);
    else
        Show(dib->GetWidth(), dib->GetHeight(), false, *dib, rects, readout);
}

std::string VSdlStage::ReadoutText(const VDib& dib) const
{
    // The rate, and the size the show is composed at.
    char text[64];
    std::snprintf(text, sizeof text, "%f %dx%d", meter_.GetRate(), dib.GetWidth(), dib.GetHeight());
    return text;
}

void VSdlStage::Show(int width, int height, bool reduced, VDib& dib, const VRectList* rects,
                     bool readout)
{
    constexpr int kReadoutX = 2, kReadoutY = 2, kReadoutScale = 2;
    const std::string text = readout ? ReadoutText(dib) : std::string();
    // The read-out's box: a cell of four columns per character, a row above and below.
    const VIntRect overlay = readout ? VIntRect{0, 0, kReadoutX + int(text.size()) * 4 * kReadoutScale,
                                                kReadoutY + 6 * kReadoutScale}
                                     : VIntRect{};
    // The full frame may be scaled as it is converted; the reduced preview has its own size.
    presenter_->Show(width, height, !reduced, rects, overlay,
                     [&](uint32_t* out, int pitch, int outW, int outH, const VIntRect& part) {
                         if (reduced) {
                             converter_.Reduce4(dib, out, pitch);
                             return;
                         }
                         const bool filtered = !IsWholeFactor({dib.GetWidth(), dib.GetHeight()},
                                                              {outW, outH});
                         converter_.ConvertPart(dib, out, pitch, outW, outH, part, filtered);
                         if (readout)
                             DrawReadoutText(out, pitch, part.width, part.height,
                                             kReadoutX - part.x, kReadoutY - part.y, text,
                                             kReadoutScale);
                     });
}

void VSdlStage::FadeTransition(bool fadeOut, bool fadeIn)
{
    double due = GetTime();
    PlayPaletteFade(fadeOut, fadeIn, [&] {
        due += kFadeStepMs;
        return PumpMessages(std::max(0.0, due - GetTime()));
    });
}

void VSdlStage::SetCaption(const std::string& text)
{
    VStage::SetCaption(text);
    if (window_ && !foreign_)
        SDL_SetWindowTitle(window_, text.c_str());
}

VRect VSdlStage::GetWindowBounds()
{
    if (!window_)
        return VRect(0, 0, 0, 0);
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowPosition(window_, &x, &y);
    SDL_GetWindowSize(window_, &w, &h);
    return VRect(float(x), float(y), float(w), float(h));
}

std::string VSdlStage::GetProgramName()
{
    const std::string name = std::filesystem::path(ExecutablePath()).filename().string();
    const auto dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string VSdlStage::GetProgramDirectory()
{
    return ExecutableDirectory();
}

bool VSdlStage::RequestQuit()
{
    quitPosted_ = true;
    return true;
}

void VSdlStage::ShowCursor(bool show)
{
    cursorShown_ = show;
    if (videoStarted_ && !foreign_)
        SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void VSdlStage::ReportException(const std::string& message)
{
    ReportUnattended(message);
    if (quietReports_ || foreign_ || !videoStarted_)
        return;
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "OK"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "Cancel"},
    };
    SDL_MessageBoxData box{};
    box.flags = SDL_MESSAGEBOX_ERROR;
    box.window = window_;
    box.title = "Valdrimor Exception";
    box.message = message.c_str();
    box.numbuttons = 2;
    box.buttons = buttons;
    // The cursor may be hidden in saver mode; the box needs it.
    if (!cursorShown_)
        SDL_ShowCursor(SDL_ENABLE);
    int pressed = 1;
    gReportShown = 1;
    if (gTerminate)
        ::_exit(0);  // asked to end just before the box
    if (SDL_ShowMessageBox(&box, &pressed) != 0) {
        std::fprintf(stderr, "zibolt: cannot show the report box (%s)\n", SDL_GetError());
        pressed = 1;
    }
    gReportShown = 0;
    if (!cursorShown_)
        SDL_ShowCursor(SDL_DISABLE);
    if (pressed == 0)
        Stop();
}

bool VSdlStage::PlayPlatformSound(const std::string& fileName, uint32_t)
{
    if (fileName.empty())
        return sound_.Play(fileName);  // silences the one playing
    const std::string file = FindSoundFile(fileName);
    return !file.empty() && sound_.Play(file);
}
