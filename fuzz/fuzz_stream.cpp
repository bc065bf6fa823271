// Loads arbitrary bytes as the main stream of a headless stage, as the program does with its
// own, then plays it for up to a second of show time (16 loop cycles): pictures, sprites,
// directors, timers and text blocks, each text block spoken in a balloon over the directors
// the stream brought.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/pixies/VBalloon.h"
#include "engine/pixies/VDirector.h"
#include "engine/pixies/VSprite.h"
#include "engine/pixies/VTextBlock.h"
#include "engine/stream/VException.h"
#include "fuzz/BoxTextRenderer.h"
#include "fuzz/FuzzStage.h"

namespace {

// The show starts what a stream only describes: every sprite plays its first sequence over
// and over, every director its timeline in a loop, and every text block is spoken in a
// balloon between the first two directors.
void StartEverything(VHeadlessStage& stage)
{
    std::vector<VDirector*> directors;
    std::vector<VTextBlock*> texts;
    std::vector<VComponent*> components = stage.GetChildren();
    for (VComponent* component : components) {
        try {
            if (auto* sprite = dynamic_cast<VSprite*>(component)) {
                if (!sprite->GetSequences().empty())
                    sprite->Run(sprite->GetSequences().front()->GetName(), -1, VSprite::kUnchanged,
                                VSprite::kUnchanged, VSprite::kUnchanged);
            } else if (auto* director = dynamic_cast<VDirector*>(component)) {
                directors.push_back(director);
                director->SetLoop(true);
                director->SetPlaying(true, 1);
            } else if (auto* text = dynamic_cast<VTextBlock*>(component)) {
                texts.push_back(text);
            }
        } catch (const VException&) {
            // A sequence or timeline that does not start is the stream's fault, not the run's.
        }
    }
    VDirector* first = directors.size() > 0 ? directors[0] : nullptr;
    VDirector* second = directors.size() > 1 ? directors[1] : nullptr;
    for (std::size_t i = 0; i < texts.size() && i < 4; ++i) {
        auto* balloon = new VBalloon("Balloon" + std::to_string(i), &stage);
        stage.GetChildren().push_back(balloon);
        try {
            balloon->Talk(texts[i]->GetLines(), 100, 200, first, second, nullptr, nullptr);
        } catch (const VException&) {
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static BoxTextRenderer renderer;
    SetTextRenderer(&renderer);
    try {
        FuzzStage stage(48, 36, 16);
        stage.SetMainStream(std::string(reinterpret_cast<const char*>(data), size));
        // Engine exceptions while loading and running are caught and reported by the stage.
        stage.Load();
        StartEverything(stage);
        stage.RunFor(1000);
        stage.PaintNow();
    } catch (const VException&) {
        // Malformed streams are expected to be refused with a message.
    }
    return 0;
}
