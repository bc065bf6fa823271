#include "engine/pixies/VSprite.h"

#include <algorithm>

#include "engine/pixies/VStreamBounds.h"
#include "engine/pixies/VSurfacePainter.h"
#include "engine/stream/VException.h"
#include "engine/stream/VMemoryStream.h"
#include "engine/stream/VStreamReaders.h"

VSprite::VSprite(std::string name, VComponent* owner) : VPixie(std::move(name), owner) {}

VSprite::~VSprite()
{
    // Shared sequences outlive this sprite in its copies; they must not play on it any more.
    for (const auto& sequence : sequences_)
        sequence->ReleasePixie(this);
    for (const auto& sequence : retired_)
        sequence->ReleasePixie(this);
}

std::string VSprite::Describe() const
{
    return "Sprite(" + GetName() + ")";
}

bool VSprite::LoadPropFromStream(const std::string& name, std::istream& stream, int& consumed)
{
    if (VPixie::LoadPropFromStream(name, stream, consumed))
        return true;
    if (SameText(name, "CurFrameName")) {
        SetCurFrameName(LoadStringFromStream(stream, consumed));
        return true;
    }
    bool frames = SameText(name, "FrameList");
    if (frames || SameText(name, "SequenceList")) {
        // The list is parsed inside its own value, so no count or length in it can reach
        // into the properties that follow.
        VMemoryStream in(LoadValueFromStream(stream, consumed, Describe() + " " + name));
        if (AtEnd(in))
            return true;
        if (frames)
            LoadFrameList(in);
        else
            LoadSequenceList(in);
        return true;
    }
    return false;
}

bool VSprite::UpdateRect()
{
    const VSurface& surface = *GetCurFrame()->GetSurface();
    return UpdateDrawnRect(lastRect_, surface.GetWidth(), surface.GetHeight());
}

void VSprite::Draw(VSurface& target, float x, float y, const VRectList* clipRects)
{
    if (frameMissing_)
        return;
    VSpriteFrame* frame = nullptr;
    try {
        frame = GetCurFrame();
    } catch (const VException&) {
        // Reported once, by the caller; repainting would only repeat the same report.
        frameMissing_ = true;
        throw;
    }
    PaintSurface(target, *frame->GetSurface(), x, y, clipRects, mirrorX_, mirrorY_);
}

void VSprite::SequenceFinished(VPixieSequencer* sequencer)
{
    VPixie::SequenceFinished(sequencer);
    if (sequencer == running_ && sequencer->GetPassesLeft() == 0)
        running_ = nullptr;
}

void VSprite::Run(const std::string& name, int32_t count, float x, float y, float z)
{
    VPixieSequencer* sequence = FindSequence(name);
    if (!sequence)
        throw VFindException("Sprite::Run(" + name + ") Sequence does not exist.");
    Stop();
    if (x == kUnchanged)
        x = GetXPos();
    if (y == kUnchanged)
        y = GetYPos();
    if (z == kUnchanged)
        z = GetZPos();
    SetPos(x, y, z);
    running_ = sequence;
    sequence->Play(this, count);
}

void VSprite::Stop()
{
    if (running_) {
        running_->SetEnabled(false);
        running_ = nullptr;
    }
}

VSpriteFrame* VSprite::GetCurFrame()
{
    if (curFrame_)
        return curFrame_;
    curFrame_ = FindFrameByName(curFrameName_);
    if (!curFrame_)
        throw VSpriteException("GetCurFrame: Frame not found!");
    return curFrame_;
}

void VSprite::SetCurFrameName(const std::string& name)
{
    if (curFrame_) {
        curFrame_ = FindFrameByName(name);
        if (!curFrame_)
            throw VSpriteException("SetCurFrameName: Frame not found!");
        frameMissing_ = false;
    } else if (name != curFrameName_) {
        frameMissing_ = false;
    }
    curFrameName_ = name;
}

VSpriteFrame* VSprite::FindFrameByName(const std::string& name) const
{
    if (name.empty() && !frames_.empty())
        return frames_.front().get();
    if (!name.empty()) {
        for (const auto& frame : frames_) {
            if (SameText(frame->GetName(), name))
                return frame.get();
        }
    }
    throw VFindException(Describe() + "::FindFrameByName (" + name + ") Frame does not exist.");
}

VPixieSequencer* VSprite::FindSequence(const std::string& name) const
{
    for (const auto& sequence : sequences_) {
        if (SameText(sequence->GetName(), name))
            return sequence.get();
    }
    return nullptr;
}

void VSprite::CopyFrom(const VSprite& other)
{
    for (const auto& sequence : sequences_) {
        if (std::find(other.sequences_.begin(), other.sequences_.end(), sequence) ==
            other.sequences_.end())
            retired_.push_back(sequence);
    }
    frames_ = other.frames_;
    sequences_ = other.sequences_;
    x_ = other.x_;
    y_ = other.y_;
    z_ = other.z_;
    curFrameName_ = other.curFrameName_;
    curFrame_ = nullptr;
    frameMissing_ = false;
    SetVisible(other.IsVisible());
}
