#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/pixies/VPixie.h"
#include "engine/pixies/VPixieSequencer.h"
#include "engine/pixies/VSpriteFrame.h"

class VMemoryStream;

// The animated pixie: named frames, one of them current, and named sequences that play
// steps over them.
class VSprite : public VPixie {
public:
    using FrameList = std::vector<std::shared_ptr<VSpriteFrame>>;
    using SequenceList = std::vector<std::shared_ptr<VPixieSequencer>>;

    VSprite(std::string name, VComponent* owner);
    ~VSprite() override;

    bool LoadPropFromStream(const std::string& name, std::istream& stream, int& consumed) override;

    float GetXPos() const override { return x_; }
    void SetXPos(float x) override { x_ = x; }
    float GetYPos() const override { return y_; }
    void SetYPos(float y) override { y_ = y; }
    float GetZPos() const override { return z_; }
    void SetZPos(float z) override { z_ = z; }
    // As for a picture, with the current frame's size.
    bool UpdateRect() override;
    void Draw(VSurface& target, float x, float y, const VRectList* clipRects) override;
    void SequenceFinished(VPixieSequencer* sequencer) override;

    // Places the sprite at (x, y, z), each kUnchanged keeping its value, and plays the named
    // sequence `count` times (see VPixieSequencer::Play).
    virtual void Run(const std::string& name, int32_t count, float x, float y, float z);
    // Stops the running sequence; frame and position stay.
    virtual void Stop();

    // The current frame, resolved from the current frame name when not yet known; never null.
    VSpriteFrame* GetCurFrame();
    // Looked up at once when a frame is already current, else at the next GetCurFrame.
    void SetCurFrameName(const std::string& name);
    const std::string& GetCurFrameName() const { return curFrameName_; }
    // An empty name selects the first frame; never null (throws VFindException).
    VSpriteFrame* FindFrameByName(const std::string& name) const;
    // Makes `frame` current without touching the current frame name; for sequence steps.
    void SetCurFrame(VSpriteFrame* frame)
    {
        curFrame_ = frame;
        frameMissing_ = false;
    }
    VPixieSequencer* FindSequence(const std::string& name) const;
    // Shows what `other` shows: shares its frames and sequences, takes its position,
    // current frame name and visibility.
    void CopyFrom(const VSprite& other);

    bool GetMirrorX() const { return mirrorX_; }
    void SetMirrorX(bool on) { mirrorX_ = on; }
    bool GetMirrorY() const { return mirrorY_; }
    void SetMirrorY(bool on) { mirrorY_ = on; }

    const FrameList& GetFrames() const { return frames_; }
    const SequenceList& GetSequences() const { return sequences_; }
    VPixieSequencer* GetRunningSequence() const { return running_; }
    // A running sequence that still moves on: one without steps, or one the stage had to
    // switch off, never finishes and must not be waited for.
    bool IsSequencePlaying() const { return running_ && running_->IsEnabled(); }
    const VRect& GetLastRect() const { return lastRect_; }

    // The "keep the current value" coordinate of Run.
    static constexpr float kUnchanged = -99999.0f;

private:
    // Both read lists from a value that was read whole (VSpriteLists.cpp).
    void LoadFrameList(VMemoryStream& in);
    void LoadSequenceList(VMemoryStream& in);
    std::string Describe() const;

    float x_ = 0;
    float y_ = 0;
    float z_ = 0;
    VSpriteFrame* curFrame_ = nullptr;
    std::string curFrameName_;
    VRect lastRect_;
    bool mirrorX_ = false;
    bool mirrorY_ = false;
    FrameList frames_;
    SequenceList sequences_;
    // Sequences that CopyFrom took out of the list: kept for the sprite's whole life, so one
    // that is still playing never goes away under it.
    SequenceList retired_;
    VPixieSequencer* running_ = nullptr;
    // The current frame could not be found when last painted: the sprite stays unpainted, and
    // unreported, until its frame changes.
    bool frameMissing_ = false;
};
