#include "platform/web/VWebStage.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "engine/graphics/VDibSurface.h"
#include "engine/graphics/VPaletteFade.h"
#include "engine/stream/VException.h"
#include "platform/web/VWebPage.h"
#include "platform/web/VWebSaverEngine.h"
#include "show/VRandom.h"

namespace {

// The virtual clock counts whole milliseconds, as the recorder's does.
constexpr double kClockResolution = 1.0;
// How long one display frame may spend playing the virtual clock towards the hold.
constexpr double kHoldBudgetMs = 12.0;
// A fade step lasts a frame of a 60 Hz display, also on faster ones.
constexpr double kFadeStepMs = 1000.0 / 60.0;

}  // namespace

VWebStage::VWebStage()
{
    SetCurrentStage(this);
}

VWebStage::~VWebStage() = default;

void VWebStage::SetStageSize(int width, int height)
{
    width_ = width;
    height_ = height;
}

bool VWebStage::Frame()
{
    if (ended_)
        return false;
    if (!started_) {
        started_ = true;
        if (!BeginRun()) {
            ended_ = true;
            return false;
        }
    }
    if (fade_) {
        FadeStep();
        return true;
    }
    if (!holdAt_) {
        ended_ = !RunCycle();
        return !ended_;
    }
    // Only the last of the frame's pictures is shown.
    const double budgetEnd = emscripten_get_now() + kHoldBudgetMs;
    while (!held_ && !ended_ && emscripten_get_now() < budgetEnd)
        ended_ = !RunCycle();
    if (presentPending_ && GetFrameBuffer()) {
        presentPending_ = false;
        const VDib* dib = GetFrameBuffer()->GetDib();
        if (dib)
            ShowPixels(dib->GetBits(), *dib, dib->GetPaletteEntries());
    }
    return !ended_;
}

void VWebStage::SetPageVisible(bool visible)
{
    if (!visible && !IsClockPaused()) {
        PauseClock();
        pausedWhileHidden_ = true;
    } else if (visible && pausedWhileHidden_) {
        pausedWhileHidden_ = false;
        ResumeClock();
    }
}

double VWebStage::GetPlatformTime()
{
    return holdAt_ ? virtualTime_ : emscripten_get_now();
}

void VWebStage::Start()
{
    // Whatever was drawn while the stream loaded, the show starts from the seed, as recorded.
    SeedRandom();
    VStage::Start();
}

std::unique_ptr<VSurface> VWebStage::CreateSurface(int width, int height)
{
    return std::make_unique<VDibSurface>(static_cast<float>(width), static_cast<float>(height));
}

VScreensaverEngine* VWebStage::CreateScreensaverEngine()
{
    return new VWebSaverEngine(width_, height_);
}

std::unique_ptr<std::istream> VWebStage::LoadResourceStream()
{
    std::ifstream file(mainStreamFile_, std::ios::binary);
    if (!file)
        throw VException("Cannot open the main stream \"" + mainStreamFile_ + "\".");
    auto bytes = std::make_unique<std::stringstream>(std::ios::in | std::ios::out | std::ios::binary);
    *bytes << file.rdbuf();
    return bytes;
}

bool VWebStage::PumpMessages(double waitMs)
{
    // The page delivers input between frames; here only the virtual clock moves.
    if (holdAt_ && !held_) {
        const double now = GetTime();
        if (holdReached_ || now >= *holdAt_) {
            held_ = true;
        } else {
            // Waiting is where time passes, at least by the clock's resolution (a timer due
            // exactly now would otherwise be asked about for ever), never past the hold.
            double advance = std::max(waitMs, kClockResolution);
            const double remaining = (*holdAt_ - now) * GetTimeScale();
            if (advance >= remaining) {
                advance = remaining;
                holdReached_ = true;
            }
            virtualTime_ += advance;
        }
    }
    return quit_;
}

void VWebStage::CalibrateRefresh()
{
    SetRefreshPeriod(1000.0 / 60.0);
}

double VWebStage::WaitForRetrace()
{
    return GetTime() + GetRefreshPeriod();
}

void VWebStage::Present(VSurface& surface, float, float, const VRectList*)
{
    const VDib* dib = surface.GetDib();
    // A fade shows its own steps.
    if (!dib || fade_)
        return;
    if (holdAt_ && &surface == GetFrameBuffer()) {
        presentPending_ = true;
        return;
    }
    ShowPixels(dib->GetBits(), *dib, dib->GetPaletteEntries());
}

void VWebStage::ShowPixels(const uint8_t* bits, const VDib& dib, const VPaletteEntry* palette)
{
    if (!bits)
        return;
    rgba_.Convert(bits, dib.GetWidth(), dib.GetHeight(), dib.GetStride(), palette);
    VWebPage::ShowFrame(rgba_.GetData(), rgba_.GetWidth(), rgba_.GetHeight());
}

bool VWebStage::RequestQuit()
{
    quit_ = true;
    return true;
}

void VWebStage::CreateStageWindow()
{
    const VRect& r = GetSetup().windowRect;
    if (!(r.width >= 1 && r.height >= 1 && r.width < kMaxDibSide + 1 && r.height < kMaxDibSide + 1))
        throw VParamException("The stage needs a size from 1 x 1 to " + std::to_string(kMaxDibSide) +
                              " x " + std::to_string(kMaxDibSide) + " pixels.");
    const int width = static_cast<int>(r.width);
    const int height = static_cast<int>(r.height);
    bounds_ = VRect(0, 0, static_cast<float>(width), static_cast<float>(height));
    VWebPage::SetCanvasSize(width, height);
    Resize(width, height);
    ShowCursor(GetSetup().showCursor);
}

void VWebStage::ShowCursor(bool show)
{
    VWebPage::ShowCursor(show);
}

void VWebStage::ReportException(const std::string& message)
{
    VWebPage::Report(message);
}

bool VWebStage::PlayPlatformSound(const std::string& fileName, uint32_t)
{
    return sound_.Play(fileName);
}

void VWebStage::FadeTransition(bool fadeOut, bool fadeIn)
{
    VSurface* frame = GetFrameBuffer();
    // The recorder's show has no fades; the held show is that show.
    if (holdAt_ || !frame || !GetBackground() || !frame->GetDib() || !frame->GetDib()->GetBits()) {
        VStage::FadeTransition(fadeOut, fadeIn);
        return;
    }
    // A transition during a fade joins it: the new picture is composed at its turn anyway.
    if (fade_) {
        fade_->fadeIn = fade_->fadeIn || fadeIn;
        return;
    }
    const VDib& dib = *frame->GetDib();
    fade_ = std::make_unique<Fade>();
    fade_->phase = fadeOut ? Fade::Phase::Out : Fade::Phase::Turn;
    fade_->fadeIn = fadeIn;
    fade_->phaseStart = emscripten_get_now();
    std::copy_n(dib.GetPaletteEntries(), kPaletteSize, fade_->saved);
    std::copy_n(fade_->saved, kPaletteSize, fade_->shown);
    if (fadeOut) {
        const uint8_t* bits = dib.GetBits();
        fade_->oldBits.assign(bits, bits + std::size_t(dib.GetStride()) * std::size_t(dib.GetHeight()));
    }
    PauseClock();
}

void VWebStage::FadeStep()
{
    Fade& fade = *fade_;
    const VDib* dib = GetFrameBuffer() ? GetFrameBuffer()->GetDib() : nullptr;
    if (!dib || !dib->GetBits()) {
        EndFade();
        return;
    }
    const double now = emscripten_get_now();
    const int due = std::min(VPaletteFade::kSteps, int((now - fade.phaseStart) / kFadeStepMs) + 1);
    if (fade.phase == Fade::Phase::Out) {
        for (; fade.step < due; ++fade.step)
            VPaletteFade::Darken(fade.shown);
        if (fade.oldBits.size() == std::size_t(dib->GetStride()) * std::size_t(dib->GetHeight()))
            ShowPixels(fade.oldBits.data(), *dib, fade.shown);
        if (fade.step < VPaletteFade::kSteps)
            return;
        fade.phase = Fade::Phase::Turn;
    }
    if (fade.phase == Fade::Phase::Turn) {
        // The new picture as the show stands now; Present holds back while fading.
        try {
            Repaint();
        } catch (...) {
            HandleCurrentException();
        }
        if (!fade.fadeIn) {
            EndFade();
            return;
        }
        fade.phase = Fade::Phase::In;
        fade.step = 0;
        fade.phaseStart = now;
        VPaletteFade::Black(fade.shown);
        dib = GetFrameBuffer()->GetDib();
        ShowPixels(dib->GetBits(), *dib, fade.shown);
        return;
    }
    for (; fade.step < due; ++fade.step)
        VPaletteFade::Lighten(fade.saved, fade.step, fade.shown);
    ShowPixels(dib->GetBits(), *dib, fade.shown);
    if (fade.step >= VPaletteFade::kSteps)
        EndFade();
}

void VWebStage::EndFade()
{
    fade_.reset();
    ResumeClock();
    if (VSurface* frame = GetFrameBuffer())
        Present(*frame, 0, 0, nullptr);
}
