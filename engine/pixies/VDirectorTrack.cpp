#include "engine/pixies/VDirectorTrack.h"

#include <algorithm>
#include <cstdio>

#include "engine/pixies/VDirector.h"
#include "engine/pixies/VSprite.h"
#include "engine/stream/VStageCore.h"
#include "engine/stream/VText.h"

namespace {

// The text after the first "=", empty when there is none.
std::string ValueOf(const std::string& assignment)
{
    std::size_t at = assignment.find('=');
    return at == std::string::npos ? std::string() : assignment.substr(at + 1);
}

bool IsPosition(const std::string& key)
{
    return SameText(key, "XPos") || SameText(key, "YPos") || SameText(key, "ZPos");
}

// Interpolated positions go through text with six decimals, as the timeline always did.
std::string SixDecimals(double value)
{
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%f", value);
    return buffer;
}

}  // namespace

VKeyFrame::VKeyFrame(int32_t frame, const std::string& assignmentsText) : frame(frame)
{
    std::string text = assignmentsText;
    while (!text.empty()) {
        std::string piece = SplitHead(text, ";");
        if (!piece.empty())
            assignments.push_back(std::move(piece));
    }
    std::sort(assignments.begin(), assignments.end());
}

VPixie* VDirectorTrack::ResolvePixie()
{
    // A pixie that has gone away since it was found is looked up afresh.
    if (pixie_) {
        auto* live = dynamic_cast<VPixie*>(VComponent::FromUserData(static_cast<void*>(pixie_)));
        if (live != pixie_ || !SameText(live->GetName(), pixieName_))
            pixie_ = nullptr;
    }
    if (!pixie_) {
        if (VStageCore* stage = CurrentStage())
            pixie_ = dynamic_cast<VPixie*>(stage->FindComponent(pixieName_));
    }
    return pixie_;
}

bool VDirectorTrack::LeadsBack(VPixie* pixie)
{
    auto* directed = dynamic_cast<VDirector*>(pixie);
    if (!directed || (!directed->IsApplying() && VDirector::Nesting() <= VDirector::kMaxNesting))
        return false;
    // Applying it would apply a director again from inside itself, without end.
    skipped_ = true;
    if (VStageCore* stage = CurrentStage())
        stage->HandleException("Director " + director_->GetName() + ": its track for " + pixieName_ +
                               " leads back to a director that is applying it; directors must not "
                               "direct themselves, directly or through others. The track is skipped.");
    return true;
}

void VDirectorTrack::ApplyFrame(int32_t n)
{
    if (skipped_)
        return;
    VPixie* pixie = ResolvePixie();
    if (!pixie || LeadsBack(pixie))
        return;
    const VKeyFrame* prev = nullptr;
    const VKeyFrame* next = nullptr;
    for (const VKeyFrame& key : keyFrames_) {
        if (key.frame <= n && (!prev || key.frame > prev->frame))
            prev = &key;
        if (key.frame >= n && (!next || key.frame < next->frame))
            next = &key;
    }
    if (!prev)
        return;
    double t = 1.0;
    if (next && next != prev)
        t = (static_cast<double>(n) - prev->frame) / (static_cast<double>(next->frame) - prev->frame);

    for (std::size_t i = 0; i < prev->assignments.size(); ++i) {
        const std::string& assignment = prev->assignments[i];
        std::string key = Before(assignment, "=");
        std::string value = ValueOf(assignment);
        if (next && IsPosition(key) && i < next->assignments.size()) {
            double from = AsReal(value);
            double to = AsReal(ValueOf(next->assignments[i]));
            value = SixDecimals((1.0 - t) * from + t * to);
        }
        if (SameText(key, "XPos")) {
            pixie->SetXPos(director_->GetXPos() + static_cast<float>(AsReal(value)));
        } else if (SameText(key, "YPos")) {
            pixie->SetYPos(director_->GetYPos() + static_cast<float>(AsReal(value)));
        } else if (SameText(key, "ZPos")) {
            pixie->SetZPos(director_->GetZPos() + static_cast<float>(AsReal(value)));
        } else if (SameText(key, "Visible")) {
            pixie->SetVisible(IsTrue(value));
        } else if (SameText(key, "CurFrameName")) {
            if (auto* sprite = dynamic_cast<VSprite*>(pixie))
                sprite->SetCurFrameName(value);
        }
    }
}
