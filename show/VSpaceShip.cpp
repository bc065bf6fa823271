#include "show/VSpaceShip.h"

#include "engine/pixies/VPixieHost.h"
#include "engine/pixies/VSprite.h"
#include "engine/stage/VStage.h"
#include "engine/stream/VTimer.h"

namespace {

// The gear's top edge sits this far above the anchor when lowered, hidden in the body.
constexpr float kGearOverlap = 18.0f;
// Where the inside layer and the hero in the window sit, from the body's top and the anchor.
constexpr float kInsideTop = 78.0f;
constexpr float kHeroRise = 190.0f;

}  // namespace

VSpaceShip::VSpaceShip(const VSurface& outline, const VSurface& skin, const VSurface& inside,
                       const VSurface& gear, VSprite* engine, VSprite* hero, VStage& stage)
    : VPixie("Enterprise", &stage),
      engine_(engine),
      hero_(hero),
      timer_(std::make_unique<VTimer>("timer_" + GetName(), nullptr, 100.0, false))
{
    // The skin sits at the bottom of the body; the outline covers it except where the
    // outline shows its key colour.
    std::unique_ptr<VSurface> outlineCopy = stage.MakeSurfaceCopy(outline);
    body_ = stage.MakeSurfaceCopy(outline);
    skin.DrawTo(0, outline.GetHeight() - skin.GetHeight(), *body_);
    outlineCopy->SetTransparentColor(kOutlineKey);
    outlineCopy->DrawTo(0, 0, *body_);
    outlineCopy.reset();
    body_->SetTransparentColor(kClear);

    inside_ = stage.MakeSurfaceCopy(inside);
    inside_->SetTransparentColor(kClear);
    gear_ = stage.MakeSurfaceCopy(gear);
    gear_->SetTransparentColor(kClear);

    SetEngine("1", true);

    scaled_ = stage.MakeSurfaceCopy(outline);
    scaled_->Resize(outline.GetWidth(), outline.GetHeight() + gear.GetHeight(), false);
    scaled_->SetTransparentColor(kClear);

    timer_->Connect("OnTimer", this);
    SetHeroAboard(true);
    SetInsideHidden(false);
}

VSpaceShip::~VSpaceShip() = default;

void VSpaceShip::SetEngine(const std::string& type, bool on)
{
    if (!engine_)
        return;
    std::string kind = type;
    if (kind.empty()) {
        VPixieSequencer* running = engine_->GetRunningSequence();
        kind = running ? running->GetName() : std::string();
        SplitHead(kind, "_");
    }
    std::string name = std::string(on ? "ON" : "OFF") + "_" + kind;
    engine_->Stop();
    // A type the engine has no sequence for leaves the flame as it stands, not running.
    if (engine_->FindSequence(name))
        engine_->Run(name, -1, VSprite::kUnchanged, VSprite::kUnchanged, VSprite::kUnchanged);
}

void VSpaceShip::SetHeroAboard(bool on)
{
    heroAboard_ = on;
    if (on && hero_) {
        hero_->SetCurFrameName("s_l90");
        // The ship draws the hero now.
        hero_->SetVisible(false);
    }
}

void VSpaceShip::SetInsideHidden(bool on)
{
    insideHidden_ = on;
}

float VSpaceShip::GetShipHeight() const
{
    return body_->GetHeight() + (gear_->GetHeight() - kGearOverlap) * gearExtension_;
}

void VSpaceShip::Compose(VSurface& target, float x, float y)
{
    if (flameAmount_ != 0.0f && engine_ && !engine_->GetFrames().empty()) {
        const VSurface& flame = *engine_->GetCurFrame()->GetSurface();
        flame.DrawTo(x - flame.GetWidth() * 0.5f, y - (1.0f - flameAmount_) * flame.GetHeight(),
                     target);
    }
    if (gearExtension_ != 0.0f) {
        gear_->DrawTo(x - gear_->GetWidth() * 0.5f,
                      y - (1.0f - gearExtension_) * gear_->GetHeight() - kGearOverlap, target);
    }
    if (!insideHidden_) {
        inside_->DrawTo(x - inside_->GetWidth() * 0.5f, y - body_->GetHeight() + kInsideTop,
                        target);
        if (IsBusy() && mailAmount_ != 0.0f) {
            mail_->Draw(target, x - 60.0f,
                        y - ((1.0f - mailAmount_) * 88.0f + mailAmount_ * 141.0f), nullptr);
        }
        if (heroAboard_ && hero_ && !hero_->GetFrames().empty()) {
            float width = hero_->GetCurFrame()->GetSurface()->GetWidth();
            hero_->Draw(target, x - width * 0.5f, y - kHeroRise, nullptr);
        }
    }
    body_->DrawTo(x - body_->GetWidth() * 0.5f, y - body_->GetHeight(), target);
}

void VSpaceShip::Draw(VSurface& target, float x, float y, const VRectList* clipRects)
{
    if (scale_ == 1.0f) {
        Compose(target, x, y);
        return;
    }
    float width = scaled_->GetWidth();
    float height = scaled_->GetHeight();
    float gear = gear_->GetHeight();
    if (scaledStale_) {
        scaledStale_ = false;
        scaled_->Fill(kClear);
        Compose(*scaled_, width * 0.5f, height - gear);
    }
    float w = width * scale_ * 0.5f;
    float h = height * scale_;
    target.Draw(*scaled_, 0, 0, width, height, x - w, y - h + gear * scale_, 2 * w, h, false,
                false);
}

bool VSpaceShip::UpdateRect()
{
    // The area of the body and the lowered gear, at the current scale.
    float w = scaled_->GetWidth() * scale_;
    float h = scaled_->GetHeight() * scale_;
    VRect now(x_ - w * 0.5f, y_ - h + gear_->GetHeight() * scale_, w, h);
    if (now == lastRect_)
        return false;
    VPixieHost& host = CurrentPixieHost();
    if (!lastRect_.IsEmpty())
        host.InvalidRect(lastRect_);
    lastRect_ = IsVisible() ? now : VRect();
    if (IsVisible())
        host.InvalidRect(now);
    return true;
}

void VSpaceShip::OnEvent(const std::string& eventName, VComponent* sender, VEvent* event)
{
    if (sender == timer_.get() && SameText(eventName, "OnTimer"))
        MailTick();
}
