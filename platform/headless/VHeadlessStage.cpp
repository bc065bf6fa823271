#include "platform/headless/VHeadlessStage.h"
#include "platform/headless/VHeadlessScreensaverEngine.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "engine/graphics/VDibSurface.h"
#include "engine/stream/VException.h"
#include "engine/stream/VMemoryStream.h"
#include "engine/stream/VUnattendedReport.h"

namespace {

// The platform clock counts whole milliseconds.
constexpr double kClockResolution = 1.0;

}  // namespace

VHeadlessStage::VHeadlessStage()
{
    SetCurrentStage(this);
    std::srand(seed_);
}

VHeadlessStage::~VHeadlessStage()
{
    try {
        FinishRecording();
    } catch (const VException& e) {
        // Nobody is left to tell but the console.
        std::fprintf(stderr, "%s\n", e.GetMessage().c_str());
    }
}

void VHeadlessStage::SetMainStream(std::string bytes)
{
    mainStream_ = std::move(bytes);
    hasMainStream_ = true;
}

void VHeadlessStage::SetMainStreamFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw VException("Cannot open the stream file \"" + path + "\".");
    std::ostringstream bytes;
    bytes << file.rdbuf();
    if (file.bad())
        throw VException("Cannot read the stream file \"" + path + "\".");
    SetMainStream(bytes.str());
}

void VHeadlessStage::SetScreenSize(int width, int height)
{
    screenWidth_ = width;
    screenHeight_ = height;
}

void VHeadlessStage::SetSeed(unsigned seed)
{
    seed_ = seed;
    std::srand(seed_);
}

void VHeadlessStage::AddInput(const VHeadlessInput& input)
{
    // Kept in time order; events of equal time keep the order they were added in.
    auto at = std::upper_bound(inputs_.begin() + static_cast<std::ptrdiff_t>(nextInput_), inputs_.end(),
                               input.time,
                               [](double t, const VHeadlessInput& other) { return t < other.time; });
    inputs_.insert(at, input);
}

void VHeadlessStage::AddInputs(const std::vector<VHeadlessInput>& inputs)
{
    for (const VHeadlessInput& input : inputs)
        AddInput(input);
}

void VHeadlessStage::Record(const VRecordOptions& options)
{
    FinishRecording();
    recorder_ = std::make_unique<VFrameRecorder>(options);
    // The frame on show when the recording starts is its first.
    if (HasFrame()) {
        try {
            recorder_->OnPresent(lastFrame_, presentTimes_.back());
        } catch (const VException& e) {
            recorder_.reset();
            HandleException(e.GetMessage());
        }
    }
}

void VHeadlessStage::FinishRecording()
{
    if (recorder_)
        recorder_->Finish(GetTime());
}

void VHeadlessStage::Load()
{
    std::unique_ptr<std::istream> stream = LoadResourceStream();
    AddComponentStream(stream.get());
}

void VHeadlessStage::RunFor(double showMs)
{
    if (!(showMs >= 0))
        throw VParamException("RunFor: the show time cannot be negative.");
    stopAt_ = (started_ ? GetTime() : 0.0) + showMs;
    stopReached_ = false;
    Run();
}

void VHeadlessStage::Start()
{
    // A later RunFor carries on with the same clock and show.
    if (started_)
        return;
    started_ = true;
    std::srand(seed_);
    VStage::Start();
}

std::unique_ptr<VSurface> VHeadlessStage::CreateSurface(int width, int height)
{
    return std::make_unique<VDibSurface>(static_cast<float>(width), static_cast<float>(height));
}

VScreensaverEngine* VHeadlessStage::CreateScreensaverEngine()
{
    return engineFactory_ ? engineFactory_(*this) : new VHeadlessScreensaverEngine();
}

std::unique_ptr<std::istream> VHeadlessStage::LoadResourceStream()
{
    if (!hasMainStream_)
        return nullptr;
    return std::make_unique<VMemoryStream>(mainStream_);
}

bool VHeadlessStage::PumpMessages(double waitMs)
{
    pumpWaits_.push_back(waitMs);
    if (quit_)
        return true;
    double now = GetTime();
    if (stopReached_ || now >= stopAt_) {
        stopReached_ = true;
        return true;
    }
    while (nextInput_ < inputs_.size() && inputs_[nextInput_].time <= now) {
        VHeadlessInput input = inputs_[nextInput_++];
        Deliver(input);
        if (quit_)
            return true;
    }
    // Waiting is where time passes; it never runs past the end of the requested show time.
    // Even a wait of 0 lets the clock move on by its resolution, as a real loop takes time:
    // a timer due exactly now (not yet due) would otherwise be asked about for ever.
    double advance = waitMs > kClockResolution ? waitMs : kClockResolution;
    double remaining = (stopAt_ - now) * GetTimeScale();
    if (advance >= remaining) {
        advance = remaining;
        stopReached_ = true;
    }
    platformTime_ += advance;
    return quit_;
}

void VHeadlessStage::Deliver(const VHeadlessInput& input)
{
    using Kind = VHeadlessInput::Kind;
    switch (input.kind) {
    case Kind::MouseMove:
        MouseMove(input.x, input.y);
        break;
    case Kind::MouseDown:
        MouseDown(input.x, input.y);
        break;
    case Kind::MouseUp:
        MouseUp(input.x, input.y);
        break;
    case Kind::MouseWheel:
        MouseWheel();
        break;
    case Kind::KeyDown:
        KeyDown(static_cast<uint8_t>(input.code), input.code);
        break;
    case Kind::KeyUp:
        KeyUp(static_cast<uint8_t>(input.code), input.code);
        break;
    case Kind::Activate:
        Activate(input.code);
        break;
    }
}

void VHeadlessStage::CalibrateRefresh()
{
    SetRefreshPeriod(1000.0 / 60.0);
}

double VHeadlessStage::WaitForRetrace()
{
    return GetTime() + GetRefreshPeriod();
}

void VHeadlessStage::Present(VSurface& surface, float x, float y, const VRectList* rects)
{
    const VDib* dib = surface.GetDib();
    if (!dib)
        return;
    lastFrame_ = ImageFromDib(*dib);
    ++presentCount_;
    double now = GetTime();
    presentTimes_.push_back(now);
    if (recorder_) {
        try {
            recorder_->OnPresent(lastFrame_, now);
        } catch (...) {
            // A recording that cannot be written stops; the show goes on.
            recorder_.reset();
            throw;
        }
    }
}

bool VHeadlessStage::RequestQuit()
{
    quit_ = true;
    return true;
}

void VHeadlessStage::CreateStageWindow()
{
    VStageSetup& setup = GetSetup();
    if (setup.fullScreen)
        setup.windowRect = VRect(0, 0, static_cast<float>(screenWidth_), static_cast<float>(screenHeight_));
    const VRect& r = setup.windowRect;
    if (!(r.width >= 1 && r.height >= 1 && r.width < kMaxDibSide + 1 && r.height < kMaxDibSide + 1))
        throw VParamException("The stage window needs a size from 1 x 1 to " +
                              std::to_string(kMaxDibSide) + " x " + std::to_string(kMaxDibSide) +
                              " pixels.");
    int width = static_cast<int>(r.width);
    int height = static_cast<int>(r.height);
    float x = std::isfinite(r.x) ? std::trunc(r.x) : 0.0f;
    float y = std::isfinite(r.y) ? std::trunc(r.y) : 0.0f;
    windowBounds_ = VRect(x, y, static_cast<float>(width), static_cast<float>(height));
    // Both surfaces take the window's size; the Show inside raises "OnBeforeShow".
    Resize(width, height);
    windowCreated_ = true;
    ShowCursor(setup.showCursor);
}

void VHeadlessStage::ReportException(const std::string& message)
{
    reported_.push_back(message);
    if (printExceptions_)
        ReportUnattended(message);
}

bool VHeadlessStage::PlayPlatformSound(const std::string& fileName, uint32_t flags)
{
    sounds_.push_back({fileName, flags, GetTime()});
    return true;
}
