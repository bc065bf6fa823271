#include "show/VFloater.h"

#include <cstdlib>

#include "engine/pixies/VSprite.h"
#include "engine/stream/VText.h"
#include "show/VRandom.h"

VFloater::VFloater(VSprite* sprite, float startX, float endX, std::string pre, std::string during,
                   std::string post, const std::string& speedText, int weight)
    : sprite_(sprite), weight_(weight), startX_(startX), endX_(endX), pre_(std::move(pre))
{
    during_ = during.empty() ? pre_ : std::move(during);
    post_ = post.empty() ? pre_ : std::move(post);
    std::string rest = speedText;
    std::string low = SplitHead(rest, "-");
    minSpeed_ = static_cast<float>(std::atof(low.c_str()));
    maxSpeed_ = rest.empty() ? minSpeed_ : static_cast<float>(std::atof(rest.c_str()));
    DrawSpeed();
}

float VFloater::GetXPos() const { return sprite_->GetXPos(); }
void VFloater::SetXPos(float x) { sprite_->SetXPos(x); }
float VFloater::GetYPos() const { return sprite_->GetYPos(); }
void VFloater::SetYPos(float y) { sprite_->SetYPos(y); }
float VFloater::GetZPos() const { return sprite_->GetZPos(); }
void VFloater::SetZPos(float z) { sprite_->SetZPos(z); }

// A sprite without frames shows nothing and takes no room.
float VFloater::GetWidth() const
{
    return sprite_->GetFrames().empty() ? 0.0f : sprite_->GetCurFrame()->GetSurface()->GetWidth();
}

float VFloater::GetHeight() const
{
    return sprite_->GetFrames().empty() ? 0.0f : sprite_->GetCurFrame()->GetSurface()->GetHeight();
}

bool VFloater::IsVisible() const { return sprite_->IsVisible(); }
void VFloater::SetVisible(bool visible) { sprite_->SetVisible(visible); }
float VFloater::GetLeft() const { return sprite_->GetLeft(); }
float VFloater::GetTop() const { return sprite_->GetTop(); }
void VFloater::SetPos(float x, float y, float z) { sprite_->SetPos(x, y, z); }
void VFloater::SetXY(float x, float y) { sprite_->SetXY(x, y); }
void VFloater::MoveBy(float dx, float dy, float dz) { sprite_->MoveBy(dx, dy, dz); }

void VFloater::DrawSpeed()
{
    speed_ = static_cast<float>(RandomRange(minSpeed_, maxSpeed_));
}

void VFloater::UpdateSequence()
{
    float x = GetXPos();
    const std::string& wanted = x < startX_ ? pre_ : x < endX_ ? (during_.empty() ? post_ : during_)
                                                               : post_;
    if (wanted.empty())
        return;
    VPixieSequencer* running = sprite_->GetRunningSequence();
    if (SameText(wanted, running ? running->GetName() : std::string()))
        return;
    // A name the sprite does not have would fail on every tick of the flight; the floater
    // keeps its picture instead.
    if (!sprite_->FindSequence(wanted))
        return;
    sprite_->Run(wanted, -1, VSprite::kUnchanged, VSprite::kUnchanged, VSprite::kUnchanged);
}
