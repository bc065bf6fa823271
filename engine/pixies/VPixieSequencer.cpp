#include "engine/pixies/VPixieSequencer.h"

#include "engine/pixies/VFrameRef.h"
#include "engine/pixies/VPixie.h"
#include "engine/pixies/VStreamBounds.h"
#include "engine/stream/VException.h"
#include "engine/stream/VStreamReaders.h"

namespace {

// A step is at least its class name and its entry length: "0#0#".
constexpr int kMinStepBytes = 4;

}  // namespace

VPixieSequencer::VPixieSequencer(std::string name, VComponent* owner)
    : VTimer(std::move(name), owner, 50.0, false)
{
}

bool VPixieSequencer::LoadFromStream(std::istream& stream, int& consumed)
{
    int n = 0;
    int32_t count = LoadLongIntFromStream(stream, n);
    consumed = n;
    CheckDeclaredCount(stream, count, kMinStepBytes, "Sequence " + GetName());
    for (int32_t i = 0; i < count; ++i) {
        int nameBytes = 0;
        std::string className = LoadStringFromStream(stream, nameBytes);
        if (nameBytes == 0)
            throw VStreamException("Sequence " + GetName() + ": the steps end after " +
                                   std::to_string(i) + " of " + std::to_string(count) + ".");
        consumed = AddCount(consumed, nameBytes);
        int stepBytes = 0;
        if (SameText(className, "FrameRef")) {
            auto step = std::make_unique<VFrameRef>();
            step->LoadFromStream(stream, stepBytes);
            steps_.push_back(std::move(step));
        } else {
            // Another kind of step: its entries are skipped by their length, so the steps
            // after it are still found.
            int32_t length = LoadLongIntFromStream(stream, stepBytes);
            CheckDeclaredBytes(stream, length, "Step " + className);
            if (length > 0) {
                stream.ignore(length);
                stepBytes = AddCount(stepBytes, length);
            }
        }
        consumed = AddCount(consumed, stepBytes);
    }
    return true;
}

void VPixieSequencer::Play(VPixie* pixie, int32_t count)
{
    ++plays_;
    pixie_ = pixie;
    passesLeft_ = count;
    current_ = 0;
    if (steps_.empty())
        return;
    SetInterval(steps_.front()->GetTime());
    steps_.front()->BeginStep(pixie_);
    SetEnabled(true);
}

void VPixieSequencer::OnTick()
{
    if (steps_.empty() || !pixie_ || !VComponent::FromUserData(pixie_)) {
        SetEnabled(false);
        return;
    }
    // Handlers of "OnMove" and "OnFinishSequence" may play this sequence anew, switch it off
    // (as starting another sequence on the sprite does), or drop the pixie; then the new
    // state stands and this step is over.
    unsigned plays = plays_;
    steps_[current_]->EndStep(pixie_);
    if (plays != plays_ || !pixie_ || !IsEnabled())
        return;
    ++current_;
    if (current_ >= steps_.size()) {
        if (passesLeft_ > 0)
            --passesLeft_;
        pixie_->SequenceFinished(this);
        if (plays != plays_ || !pixie_ || !IsEnabled())
            return;
        if (passesLeft_ == 0) {
            SetEnabled(false);
            return;
        }
        current_ = 0;
    }
    SetInterval(steps_[current_]->GetTime());
    steps_[current_]->BeginStep(pixie_);
}

void VPixieSequencer::ReleasePixie(const VPixie* pixie)
{
    if (pixie_ == pixie) {
        SetEnabled(false);
        pixie_ = nullptr;
    }
}
