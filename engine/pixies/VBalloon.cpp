#include "engine/pixies/VBalloon.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string_view>

#include "engine/graphics/VDib.h"
#include "engine/graphics/VTextRenderer.h"
#include "engine/pixies/VDirector.h"

namespace {

bool previewText = false;

// The tail is this long from the bubble's body to its tip, and this wide where it leaves it.
constexpr int64_t kTailLength = 50;
constexpr int64_t kTailHalfWidth = 5;
// The outline stands this far outside the text box, with its corners cut at 45 degrees.
constexpr int64_t kMargin = 5;
// Positions beyond this are off every stage; clamping them keeps the integer sums exact.
constexpr double kCoordinateLimit = 1 << 22;

void StepOnTimer(VComponent* sender, VEvent* event, void* userData)
{
    if (auto* balloon = dynamic_cast<VBalloon*>(VComponent::FromUserData(userData)))
        balloon->NextStep();
}

void Switch(VTimer* timer, bool on)
{
    if (timer)
        timer->SetEnabled(on);
}

void Play(VDirector* director, bool on, int32_t startFrame)
{
    if (director)
        director->SetPlaying(on, startFrame);
}

int32_t Clamp32(int64_t value)
{
    return int32_t(std::clamp<int64_t>(value, -kPolygonLimit, kPolygonLimit));
}

}  // namespace

void SetBalloonPreviewText(bool on)
{
    previewText = on;
}

bool IsBalloonPreviewText()
{
    return previewText;
}

VBalloon::VBalloon(std::string name, VComponent* owner)
    : VPixie(std::move(name), owner), timer_("timer_" + GetName(), nullptr, 100.0, false)
{
    SetVisible(false);
    timer_.AddHandler("OnTimer", StepOnTimer, static_cast<VComponent*>(this));
}

void VBalloon::Talk(const VTagList& lines, float x, float y, VDirector* firstDirector,
                    VDirector* secondDirector, VTimer* firstTimer, VTimer* secondTimer)
{
    defaultX_ = x;
    defaultY_ = y;
    firstDirector_ = firstDirector;
    secondDirector_ = secondDirector;
    lines_ = lines;
    timer_.SetEnabled(true);
    firstTimer_ = firstTimer;
    secondTimer_ = secondTimer;
    NextStep();
}

void VBalloon::NextStep()
{
    if (IsVisible()) {
        // The pause: the first speaker listens while the second one's "between" animation runs.
        SetVisible(false);
        timer_.SetInterval(kPauseTime);
        Switch(firstTimer_, false);
        Switch(secondTimer_, true);
        Play(firstDirector_, false, -1);
        Play(secondDirector_, true, 1);
        return;
    }
    if (lines_.empty()) {
        Switch(firstTimer_, false);
        Switch(secondTimer_, false);
        Play(firstDirector_, false, -1);
        Play(secondDirector_, false, -1);
        timer_.SetEnabled(false);
        return;
    }

    auto separator = std::find_if(lines_.begin(), lines_.end(),
                                  [](const std::string& line) { return SameText(line, "***"); });
    text_.clear();
    for (auto it = lines_.begin(); it != separator; ++it) {
        text_ += *it;
        text_ += '\n';
    }
    lines_.erase(lines_.begin(), separator == lines_.end() ? separator : std::next(separator));

    // The time counts every byte, the placement and the line ends included.
    timer_.SetInterval(kBaseTime + kTimePerByte * double(text_.size()));
    Switch(secondTimer_, false);
    Play(secondDirector_, false, -1);
    if (!text_.empty() && text_[0] == '(') {
        Switch(firstTimer_, false);
        Switch(secondTimer_, true);
        Play(firstDirector_, true, 1);
        std::string placement = SplitHead(text_, ")");
        placement.erase(0, 1);
        double dx = AsReal(SplitHead(placement, ","));
        double dy = AsReal(SplitHead(placement, ","));
        // Without a first director the offset is taken from the default position.
        float baseX = firstDirector_ ? firstDirector_->GetXPos() : defaultX_;
        float baseY = firstDirector_ ? firstDirector_->GetYPos() : defaultY_;
        SetXY(baseX + float(dx), baseY + float(dy));
    } else {
        Switch(firstTimer_, true);
        Play(firstDirector_, false, -1);
        SetXY(defaultX_, defaultY_);
        Play(secondDirector_, true, -1);
    }
    SetVisible(true);
}

void VBalloon::Draw(VSurface& target, float x, float y, const VRectList* clipRects)
{
    VDib* dib = target.GetDib();
    // A placement that read as infinity or not-a-number puts the balloon nowhere.
    if (!dib || !dib->HasSection() || !std::isfinite(x) || !std::isfinite(y))
        return;
    double tipX = std::clamp<double>(x, -kCoordinateLimit, kCoordinateLimit);
    double tipY = std::clamp<double>(y, -kCoordinateLimit, kCoordinateLimit);

    VTextFont font;
    font.height = IsBalloonPreviewText() ? kBalloonPreviewFontHeight : kBalloonFontHeight;
    std::unique_ptr<VTextPainter> painter = GetTextRenderer().Begin(*dib, font);

    // A text area about twice as wide as high, its tail at two thirds of the width.
    VTextExtent extent = painter->MeasureLine(text_);
    double area = 2.0 * std::max(extent.cx, 0) * double(std::max(extent.cy, 0));
    int64_t w = std::min<int64_t>(int64_t(std::sqrt(area)), kPolygonLimit);
    VTextBox box;
    box.left = Clamp32(int64_t(tipX - double(2 * w / 3)));
    box.right = Clamp32(int64_t(box.left) + w);

    // The final line end would only add an empty line to the measure.
    std::string_view body = text_;
    if (!body.empty() && body.back() == '\n')
        body.remove_suffix(1);
    VTextBox measured = painter->MeasureWrapped(body, box);
    int64_t h = std::max<int64_t>(int64_t(measured.bottom) - measured.top, 0);
    box.right = std::max(box.right, measured.right);
    box.top = Clamp32(int64_t(tipY - double(h) - double(kTailLength)));
    box.bottom = Clamp32(int64_t(tipY - double(kTailLength)));

    const int64_t left = box.left, right = box.right, top = box.top, bottom = box.bottom;
    const int64_t tail = left + w / 2;
    const VPoint outline[] = {
        {Clamp32(int64_t(tipX)), Clamp32(int64_t(tipY))},
        {Clamp32(tail - kTailHalfWidth), Clamp32(bottom + kMargin)},
        {Clamp32(left), Clamp32(bottom + kMargin)},
        {Clamp32(left - kMargin), Clamp32(bottom)},
        {Clamp32(left - kMargin), Clamp32(top)},
        {Clamp32(left), Clamp32(top - kMargin)},
        {Clamp32(right), Clamp32(top - kMargin)},
        {Clamp32(right + kMargin), Clamp32(top)},
        {Clamp32(right + kMargin), Clamp32(bottom)},
        {Clamp32(right), Clamp32(bottom + kMargin)},
        {Clamp32(tail + kTailHalfWidth), Clamp32(bottom + kMargin)},
    };
    painter->Polygon(outline, std::size(outline));
    painter->DrawWrapped(text_, box);
}
