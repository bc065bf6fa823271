// The palette fade that the windowed stages share.
#include <algorithm>

#include "engine/graphics/VPaletteFade.h"
#include "engine/stage/VStage.h"

void VStage::PlayPaletteFade(bool fadeOut, bool fadeIn, const std::function<bool()>& pace)
{
    if (!frameBuffer_ || !background_ || !frameBuffer_->GetDib())
        return;
    VPaletteEntry saved[kPaletteSize];
    VPaletteEntry* entries = frameBuffer_->GetDib()->GetPaletteEntries();
    std::copy(entries, entries + kPaletteSize, saved);

    // One throwing pixie or input handler must not leave every timer stalled behind a paused
    // clock, presentation off for good, or the picture dark until the next fade.
    struct Restore {
        VStage& stage;
        const VPaletteEntry* saved;
        bool resumeClock;
        bool quitting = false;
        ~Restore()
        {
            stage.presentHeld_ = false;
            if (resumeClock)
                stage.ResumeClock();
            VDib* dib = stage.frameBuffer_ ? stage.frameBuffer_->GetDib() : nullptr;
            if (!quitting && dib)
                std::copy(saved, saved + kPaletteSize, dib->GetPaletteEntries());
        }
    } restore{*this, saved, !IsClockPaused()};
    PauseClock();

    auto step = [&] {
        Present(*frameBuffer_, 0, 0, nullptr);
        restore.quitting = pace();
        return restore.quitting;
    };
    if (fadeOut) {
        for (int i = 0; i < VPaletteFade::kSteps; ++i) {
            VPaletteFade::Darken(entries);
            if (step())
                return;
        }
    }
    std::copy(saved, saved + kPaletteSize, entries);
    presentHeld_ = true;
    Repaint();
    presentHeld_ = false;
    if (!frameBuffer_ || !frameBuffer_->GetDib())
        return;
    entries = frameBuffer_->GetDib()->GetPaletteEntries();
    VPaletteFade::Black(entries);
    if (fadeIn) {
        for (int i = 0; i < VPaletteFade::kSteps; ++i) {
            VPaletteFade::Lighten(saved, i, entries);
            if (step())
                return;
        }
    }
    std::copy(saved, saved + kPaletteSize, entries);
    Present(*frameBuffer_, 0, 0, nullptr);
}
