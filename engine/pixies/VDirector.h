#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/pixies/VDirectorTrack.h"
#include "engine/pixies/VPixie.h"
#include "engine/stream/VTimer.h"

// Plays a key-frame timeline over other pixies of the stage; positions in the timeline are
// relative to the director's own. Paints nothing.
class VDirector : public VPixie {
public:
    VDirector(std::string name, VComponent* owner);

    bool LoadPropFromStream(const std::string& name, std::istream& stream, int& consumed) override;

    float GetXPos() const override { return x_; }
    float GetYPos() const override { return y_; }
    float GetZPos() const override { return z_; }
    // A changed position moves every directed pixie at once, playing or not.
    void SetXPos(float x) override;
    void SetYPos(float y) override;
    void SetZPos(float z) override;
    bool UpdateRect() override { return false; }
    void Draw(VSurface& target, float x, float y, const VRectList* clipRects) override {}

    virtual void SetFrameInterval(double ms);
    // One timer step: the next frame, "OnReachEnd" past the last one.
    virtual void Advance();
    // Makes `frame` current ("OnEnterCol" when it changes) and applies it to every track;
    // -1 applies the current frame again.
    virtual void ShowFrame(int32_t frame);
    // The raw XPos, YPos and ZPos of the first key frame of the named pixie's track; the
    // out-parameters whose keys are absent stay as they are. False when there is no track.
    virtual bool GetStartPosition(const std::string& name, float& x, float& y, float& z);

    // Starts at `startFrame` (-1: where it stands) and shows it at once, or stops.
    void SetPlaying(bool on, int32_t startFrame);
    bool IsPlaying() const { return timer_.IsEnabled(); }
    // A director without key frames never moves on, so it never reaches its end either.
    bool CanAdvance() const { return !tracks_.empty(); }

    bool GetLoop() const { return loop_; }
    void SetLoop(bool on) { loop_ = on; }
    int32_t GetCurrentFrame() const { return currentFrame_; }
    int32_t GetLastFrame() const { return lastFrame_; }
    double GetFrameLength() const { return frameLength_; }
    const std::vector<VDirectorTrack>& GetTracks() const { return tracks_; }
    VTimer& GetTimer() { return timer_; }

    // The shortest frame length: a timer of 0 ms or less would stay due for ever.
    static constexpr double kMinFrameLength = 1.0;
    // Directors moving directors moving directors: deeper than this is taken for a loop.
    static constexpr int kMaxNesting = 32;

    // True while this director applies its tracks; a track that reaches it then leads back.
    bool IsApplying() const { return applying_; }
    // How many directors are applying their tracks, one inside the other.
    static int Nesting();

private:
    void LoadTupels(std::istream& in);
    VDirectorTrack& TrackFor(const std::string& pixieName);

    float x_ = 0;
    float y_ = 0;
    float z_ = 0;
    // Its own timer, not a child: the director's owner does not delete it.
    VTimer timer_;
    double frameLength_ = 100.0;
    std::vector<VDirectorTrack> tracks_;
    // Folded pixie name -> track index, so long timelines are read in linear time.
    std::unordered_map<std::string, std::size_t> trackIndex_;
    int32_t currentFrame_ = 1;
    int32_t lastFrame_ = -1;
    bool loop_ = false;
    bool applying_ = false;
};
