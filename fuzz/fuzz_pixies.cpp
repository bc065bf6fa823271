// Loads arbitrary bytes as a component stream of pictures, sprites and directors, then paints
// them, plays their sequences and timelines for a little while on a virtual clock.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/graphics/VDibSurface.h"
#include "engine/pixies/RegisterPixieClasses.h"
#include "engine/pixies/VDirector.h"
#include "engine/pixies/VPixieHost.h"
#include "engine/pixies/VSprite.h"
#include "engine/stream/VException.h"
#include "engine/stream/VMemoryStream.h"
#include "engine/stream/VTimer.h"

namespace {

class FuzzHost : public VPixieHost {
public:
    FuzzHost()
    {
        RegisterPixieClasses();
        GetChildren().push_back(this);
        SetCurrentStage(this);
    }
    double GetTime() override { return now; }
    std::unique_ptr<VSurface> CreateSurface(int width, int height) override
    {
        return std::make_unique<VDibSurface>(static_cast<float>(width), static_cast<float>(height));
    }
    void InvalidRect(const VRect&) override {}

    double now = 0.0;
};

// Half a second on the clock in steps of 20 ms, at most 250 ticks in all: a timer of a
// millisecond or less would otherwise take thousands of ticks per input for nothing new.
constexpr int kSteps = 25;
constexpr int kMaxTicks = 250;

void Play(FuzzHost& host)
{
    int ticks = 0;
    for (int step = 0; step < kSteps && ticks < kMaxTicks; ++step) {
        host.now += 20.0;
        while (VTimer* next = NextTimer(host.GetTimers())) {
            if (!(next->GetNextDue() < host.now) || ++ticks > kMaxTicks)
                break;
            try {
                next->Tick();
            } catch (const VException&) {
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzHost host;
    VMemoryStream in(data, size);
    try {
        host.AddComponentStream(&in);
    } catch (const VException&) {
        // Malformed streams are expected to be refused with a message.
    }
    VDibSurface target(64, 48);
    for (VComponent* child : host.GetChildren()) {
        auto* pixie = dynamic_cast<VPixie*>(child);
        if (!pixie)
            continue;
        try {
            pixie->UpdateRect();
            pixie->Draw(target, pixie->GetXPos(), pixie->GetYPos(), nullptr);
            if (auto* sprite = dynamic_cast<VSprite*>(pixie)) {
                if (!sprite->GetSequences().empty())
                    sprite->Run(sprite->GetSequences().front()->GetName(), -1, 0, 0, 0);
            } else if (auto* director = dynamic_cast<VDirector*>(pixie)) {
                director->SetLoop(true);
                director->SetPlaying(true, 1);
            }
        } catch (const VException&) {
        }
    }
    Play(host);
    return 0;
}
