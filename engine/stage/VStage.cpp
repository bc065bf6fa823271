#include "engine/stage/VStage.h"

#include <cmath>

#include "engine/graphics/VBmpWriter.h"
#include "engine/pixies/RegisterPixieClasses.h"
#include "engine/pixies/VStreamBounds.h"
#include "engine/stream/VEventBinding.h"
#include "engine/stream/VException.h"
#include "engine/stream/VMemoryStream.h"
#include "engine/stream/VStreamReaders.h"

namespace {

// A stream without a "Background" leaves the 1 x 1 placeholder without a palette, and
// nothing can be composed from such a bitmap: it becomes black with the grey ramp instead.
void GivePalette(VSurface& surface)
{
    const VDib* dib = surface.GetDib();
    if (!dib || dib->HasPalette())
        return;
    VDib blank(1, 1);
    blank.Fill(0);
    VMemoryStream bytes(BmpBytes(blank));
    int used = 0;
    surface.LoadFromStream(bytes, used);
}

}  // namespace

VStage::VStage()
{
    // The stage is the first entry of its own component list, so streams and references find
    // it by its name "Stage".
    GetChildren().push_back(this);
    RegisterPixieClasses();
}

VStage::~VStage() = default;

bool VStage::LoadPropFromStream(const std::string& name, std::istream& stream, int& consumed)
{
    if (setup_.LoadPropFromStream(name, stream, consumed))
        return true;
    if (SameText(name, "Background")) {
        if (!background_)
            background_ = CreateSurface(1, 1);
        consumed = LoadBitmapValue(*background_, stream, "Stage Background");
        return true;
    }
    if (SameText(name, "Caption")) {
        SetCaption(LoadStringFromStream(stream, consumed));
        return true;
    }
    // Names the stage does not know, "Tag" among them, are skipped: a malformed tag value
    // must not cost the records that follow it.
    return false;
}

template <class Step>
void VStage::Guarded(Step step)
{
    try {
        step();
    } catch (...) {
        HandleCurrentException();
    }
}

void VStage::HandleCurrentException()
{
    try {
        throw;
    } catch (const VException& e) {
        HandleException(e.GetMessage());
    } catch (const std::exception& e) {
        // A library failure on bad input is shown like an engine failure, not fatal.
        HandleException(e.what());
    }
}

void VStage::AddComponentStream(std::istream* stream)
{
    Guarded([&] {
        ConnectBindings(*this);
        FireEvent("OnBeforeEverything", 0);
    });
    if (quitRequested_)
        return;
    // A stream that fails half-way still leaves a stage with surfaces and a window, so the
    // show can run with what was read and the user can end it.
    Guarded([&] {
        background_ = CreateSurface(1, 1);
        VPixieHost::AddComponentStream(stream);
    });
    Guarded([&] {
        ConnectBindings(*this);
        FireEvent("OnSetup", 0);
    });
    Guarded([&] {
        if (!background_)
            background_ = CreateSurface(1, 1);
        GivePalette(*background_);
        frameBuffer_ = MakeSurfaceCopy(*background_);
        CreateStageWindow();
        FireEvent("OnCreated", 0);
    });
}

double VStage::GetTime()
{
    return (GetPlatformTime() - startTime_) / timeScale_;
}

void VStage::Start()
{
    startTime_ = GetPlatformTime();
    FireEvent("OnStarted", 0);
    if (frameBuffer_)
        InvalidRect(frameBuffer_->GetRect());
}

void VStage::Exit()
{
    FireEvent("OnExit", 0);
}

std::unique_ptr<VSurface> VStage::MakeSurfaceCopy(const VSurface& surface)
{
    std::unique_ptr<VSurface> copy = CreateSurface(1, 1);
    copy->CopyFrom(surface);
    return copy;
}

void VStage::Resize(int width, int height)
{
    if (background_)
        background_->Resize(static_cast<float>(width), static_cast<float>(height), false);
    if (frameBuffer_)
        frameBuffer_->Resize(static_cast<float>(width), static_cast<float>(height), false);
    Show();
}

void VStage::Show()
{
    if (firstShow_) {
        firstShow_ = false;
        FireEvent("OnBeforeShow", 0);
    }
    if (frameBuffer_)
        InvalidRect(frameBuffer_->GetRect());
    Repaint();
}

void VStage::SetBackgroundColor(int32_t colour)
{
    if (background_)
        background_->Fill(colour);
    if (frameBuffer_)
        InvalidRect(frameBuffer_->GetRect());
}

void VStage::ExchangeSurfaces(std::unique_ptr<VSurface>& background,
                              std::unique_ptr<VSurface>& frameBuffer)
{
    background_.swap(background);
    frameBuffer_.swap(frameBuffer);
}

void VStage::Activate(int32_t active)
{
    active_ = active;
    FireEvent("OnActivate", 0);
}

void VStage::PointerEvent(float x, float y, const char* event)
{
    mouseX_ = x;
    mouseY_ = y;
    FireEvent(event, 0);
}

void VStage::MouseMove(float x, float y) { PointerEvent(x, y, "OnMouseMove"); }
void VStage::MouseUp(float x, float y) { PointerEvent(x, y, "OnMouseUp"); }
void VStage::MouseDown(float x, float y) { PointerEvent(x, y, "OnMouseDown"); }
void VStage::MouseWheel() { FireEvent("OnMouseWheel", 0); }

void VStage::KeyDown(uint8_t code, int32_t value)
{
    keyDownCode_ = code;
    keyDownValue_ = value;
    FireEvent("OnKeyDown", 0);
}

void VStage::KeyUp(uint8_t code, int32_t value)
{
    keyUpCode_ = code;
    keyUpValue_ = value;
    FireEvent("OnKeyUp", 0);
}

void VStage::HandleException(const std::string& message)
{
    pending_ = std::make_unique<std::string>(message);
    std::string handlerFailure;
    try {
        FireEvent("OnException", 0);
    } catch (const VException& e) {
        // A failing handler must not take the loop down with it; it is reported as well.
        handlerFailure = e.GetMessage();
    } catch (const std::exception& e) {
        handlerFailure = e.what();
    }
    bool report = pending_ != nullptr;
    pending_.reset();
    if (report)
        ReportException(message);
    if (!handlerFailure.empty())
        ReportException(handlerFailure);
}

void VStage::InvalidRect(const VRect& rect)
{
    // Nothing can be dirty before there is a frame to clip against.
    if (frameBuffer_)
        invalid_.Add(rect, frameBuffer_->GetRect());
}

void VStage::Stop()
{
    if (RequestQuit())
        quitRequested_ = true;
}

bool VStage::PlaySound(const std::string& fileName, uint32_t flags)
{
    return soundEnabled_ ? PlayPlatformSound(fileName, flags) : false;
}

void VStage::SetFrameRate(double framesPerSecond)
{
    if (!(framesPerSecond > 0))
        throw VParamException("SetFrameRate: the frame rate must be above 0.");
    frameSlice_ = 1000.0 / framesPerSecond;
}

void VStage::SetTimeScale(double scale)
{
    if (!(scale > 0) || !std::isfinite(scale))
        throw VParamException("SetTimeScale: the time scale must be a positive number.");
    double t = GetTime();
    startTime_ = startTime_ + t * timeScale_ - t * scale;
    timeScale_ = scale;
}

void VStage::PauseClock()
{
    if (!IsClockPaused())
        pausedAt_ = GetTime();
}

void VStage::ResumeClock()
{
    if (!IsClockPaused())
        return;
    // The paused span is in stage time; the start time is in platform time.
    startTime_ -= (pausedAt_ - GetTime()) * timeScale_;
    pausedAt_ = -1.0;
}
