#include <algorithm>

#include "engine/pixies/VSprite.h"
#include "engine/stream/VTimer.h"
#include "show/VSpaceShip.h"

namespace {

// The mail rises over 12 ticks, stays for 100 and sinks over 12 more.
constexpr int kRiseTicks = 12;
constexpr int kSinkFrom = 112;
constexpr float kPerTick = 1.0f / 12.0f;

}  // namespace

void VSpaceShip::DeliverMail(VSprite* sprite)
{
    if (IsBusy())
        SetMailShown(false);
    mail_ = sprite;
}

bool VSpaceShip::IsBusy() const
{
    // A sequence that cannot finish must not hold the next scene back for ever.
    return mail_ && mail_->IsSequencePlaying();
}

void VSpaceShip::SetMailShown(bool on)
{
    // A mail without the sequence it plays shows nothing and must not hold up the show.
    if (on == IsBusy() || !mail_ || !mail_->FindSequence("DEFAULT"))
        return;
    if (on) {
        if (hero_)
            hero_->SetCurFrameName("s_l135");
        mail_->Run("DEFAULT", 1, VSprite::kUnchanged, VSprite::kUnchanged, VSprite::kUnchanged);
        timer_->SetInterval(100.0);
        timer_->SetEnabled(true);
        mailTick_ = 0;
    } else {
        mail_->Stop();
        timer_->SetEnabled(false);
        SetMailAmount(0.0f);
    }
}

void VSpaceShip::MailTick()
{
    // The mail's sequence ended on its own before the display did: nothing is drawn any more,
    // so the display is over too.
    if (!IsBusy()) {
        timer_->SetEnabled(false);
        SetMailAmount(0.0f);
        return;
    }
    int n = ++mailTick_;
    if (n < kRiseTicks) {
        SetMailAmount(static_cast<float>(n) * kPerTick);
    } else if (n < kSinkFrom) {
        SetMailAmount(1.0f);
    } else {
        float t = std::min(static_cast<float>(n - kSinkFrom) * kPerTick, 1.0f);
        SetMailAmount(1.0f - t);
        if (t >= 1.0f)
            SetMailShown(false);
    }
}
