#pragma once

#include <string>

#include "engine/pixies/VPixie.h"
#include "engine/stream/VText.h"
#include "engine/stream/VTimer.h"

class VDirector;

// Balloon text heights: the preview's reduced picture needs the larger one to stay readable.
constexpr int kBalloonFontHeight = 19;
constexpr int kBalloonPreviewFontHeight = 32;

// Set by the screen-saver engine from its mode: true while the show runs as the preview.
void SetBalloonPreviewText(bool on);
bool IsBalloonPreviewText();

// Plays a conversation in speech balloons, one balloon at a time, starting and stopping the
// two speakers' animations as they talk and listen. Lines up to a "***" line make one
// balloon; a balloon whose text begins "(dx,dy)" belongs to the first speaker and is placed
// at the first director plus (dx, dy), the others at the default position. (X, Y) is where
// the tail points.
class VBalloon : public VPixie {
public:
    // Starts hidden and idle; needs a current stage for its timer.
    VBalloon(std::string name, VComponent* owner);

    float GetXPos() const override { return x_; }
    void SetXPos(float x) override { x_ = x; }
    float GetYPos() const override { return y_; }
    void SetYPos(float y) override { y_ = y; }
    float GetZPos() const override { return z_; }
    void SetZPos(float z) override { z_ = z; }
    bool UpdateRect() override { return false; }
    // A white bubble with chamfered corners above (x, y), its tail pointing there, and the
    // text word-wrapped and centred inside. Draws through the installed text renderer.
    void Draw(VSurface& target, float x, float y, const VRectList* clipRects) override;

    // Starts a conversation over a copy of `lines`, replacing what was left of one running.
    // The timers may be null; so may the directors, which are then left out.
    void Talk(const VTagList& lines, float x, float y, VDirector* firstDirector,
              VDirector* secondDirector, VTimer* firstTimer, VTimer* secondTimer);
    // True while no conversation runs.
    bool IsDone() const { return !timer_.IsEnabled(); }
    // One step: hide and pause after a balloon, show the next one, or end.
    void NextStep();

    const std::string& GetText() const { return text_; }
    const VTagList& GetLines() const { return lines_; }
    float GetDefaultX() const { return defaultX_; }
    float GetDefaultY() const { return defaultY_; }
    VTimer& GetTimer() { return timer_; }

    // Balloon and pause times in milliseconds.
    static constexpr double kBaseTime = 800.0;
    static constexpr double kTimePerByte = 30.0;
    static constexpr double kPauseTime = 500.0;

private:
    float x_ = 0;
    float y_ = 0;
    float z_ = 0;
    float defaultX_ = 0;
    float defaultY_ = 0;
    VTagList lines_;
    // Its own timer, not a child: the balloon's owner does not delete it.
    VTimer timer_;
    VDirector* firstDirector_ = nullptr;
    VDirector* secondDirector_ = nullptr;
    VTimer* firstTimer_ = nullptr;
    VTimer* secondTimer_ = nullptr;
    std::string text_;
};
