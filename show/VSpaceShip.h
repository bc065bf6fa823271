#pragma once

#include <memory>
#include <string>

#include "engine/graphics/VRect.h"
#include "engine/graphics/VSurface.h"
#include "engine/pixies/VPixie.h"

class VSprite;
class VStage;
class VTimer;

// "Enterprise": the hero's ship, composed at every draw from layers (flame, gear, inside,
// mail, hero, body), each moved by an amount the scenes animate, optionally scaled around
// its anchor, the horizontal centre of the body's bottom edge.
class VSpaceShip : public VPixie {
public:
    // Colour values: the outline's key colour and the see-through colour of every layer.
    static constexpr int32_t kOutlineKey = 0xFF0000;
    static constexpr int32_t kClear = 0x00FF00;

    VSpaceShip(const VSurface& outline, const VSurface& skin, const VSurface& inside,
               const VSurface& gear, VSprite* engine, VSprite* hero, VStage& stage);
    ~VSpaceShip() override;

    std::string GetClassName() const override { return "VSpaceShip"; }

    float GetXPos() const override { return x_; }
    void SetXPos(float x) override { x_ = x; }
    float GetYPos() const override { return y_; }
    void SetYPos(float y) override { y_ = y; }
    float GetZPos() const override { return z_; }
    void SetZPos(float z) override { z_ = z; }
    bool UpdateRect() override;
    void Draw(VSurface& target, float x, float y, const VRectList* clipRects) override;
    void OnEvent(const std::string& eventName, VComponent* sender, VEvent* event) override;
    // Whatever is asked, the ship takes part; kept for kinds that decline.
    virtual bool Accepts(int what) const { return true; }

    // Runs "ON_" + type (on) or "OFF_" + type endlessly on the engine sprite; an empty type
    // keeps the one of the running sequence.
    void SetEngine(const std::string& type, bool on);
    void SetHeroAboard(bool on);
    void SetInsideHidden(bool on);
    float GetShipHeight() const;
    void DeliverMail(VSprite* sprite);
    void SetMailShown(bool on);
    void SetMailAmount(float amount) { mailAmount_ = amount; }
    // True while the mail sprite still plays a sequence.
    bool IsBusy() const;

    // Draws the layers 1:1 around the anchor (x, y).
    void Compose(VSurface& target, float x, float y);

    float GetFlameAmount() const { return flameAmount_; }
    void SetFlameAmount(float amount) { flameAmount_ = amount; }
    float GetGearExtension() const { return gearExtension_; }
    void SetGearExtension(float extension) { gearExtension_ = extension; }
    float GetScale() const { return scale_; }
    // Back at natural size, the next scaled draw starts a new flight and composes the ship
    // afresh; within a flight the composed picture is reused.
    void SetScale(float scale)
    {
        scale_ = scale;
        if (scale == 1.0f)
            scaledStale_ = true;
    }
    float GetMailAmount() const { return mailAmount_; }
    bool IsHeroAboard() const { return heroAboard_; }
    bool IsInsideHidden() const { return insideHidden_; }
    VSprite* GetEngine() const { return engine_; }
    VSprite* GetHero() const { return hero_; }
    VSprite* GetMail() const { return mail_; }
    VTimer* GetTimer() const { return timer_.get(); }
    int GetMailTick() const { return mailTick_; }
    const VSurface& GetBody() const { return *body_; }
    const VSurface& GetInside() const { return *inside_; }
    const VSurface& GetGear() const { return *gear_; }
    const VSurface& GetScaledImage() const { return *scaled_; }
    bool IsScaledImageStale() const { return scaledStale_; }

private:
    void MailTick();

    std::unique_ptr<VSurface> body_;
    std::unique_ptr<VSurface> inside_;
    VSprite* engine_;
    std::unique_ptr<VSurface> gear_;
    float x_ = 0;
    float y_ = 0;
    float z_ = 0;
    float flameAmount_ = 1.0f;
    float gearExtension_ = 1.0f;
    float scale_ = 1.0f;
    float mailAmount_ = 0;
    std::unique_ptr<VSurface> scaled_;
    bool scaledStale_ = true;
    VSprite* hero_;
    bool heroAboard_ = false;
    bool insideHidden_ = false;
    VSprite* mail_ = nullptr;
    std::unique_ptr<VTimer> timer_;
    int mailTick_ = 0;
    VRect lastRect_;
};
