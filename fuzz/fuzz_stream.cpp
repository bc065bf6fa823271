// Loads arbitrary bytes as the main stream of a headless stage, as the program does with its
// own, then plays it for a few seconds of show time: pictures, sprites, directors, timers and
// text blocks, each text block spoken in a balloon over the directors the stream brought.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/graphics/VDib.h"
#include "engine/graphics/VPolygon.h"
#include "engine/graphics/VTextRenderer.h"
#include "engine/pixies/VBalloon.h"
#include "engine/pixies/VDirector.h"
#include "engine/pixies/VSprite.h"
#include "engine/pixies/VTextBlock.h"
#include "engine/stream/VException.h"
#include "platform/headless/VHeadlessStage.h"

namespace {

// Fixed-size letters, so balloons lay out and paint without a font library in the loop.
class BoxPainter : public VTextPainter {
public:
    explicit BoxPainter(VDib& target) : target_(target) {}
    VTextExtent MeasureLine(std::string_view text) override
    {
        return {static_cast<int32_t>(std::min<std::size_t>(text.size(), 4096)) * 8, 16};
    }
    VTextBox MeasureWrapped(std::string_view text, VTextBox box) override
    {
        int32_t width = std::max<int32_t>(box.Width(), 8);
        int32_t lines = 1 + static_cast<int32_t>(std::min<std::size_t>(text.size() * 8 / width, 256));
        box.bottom = box.top + 16 * lines;
        return box;
    }
    void DrawWrapped(std::string_view, const VTextBox& box) override
    {
        VPoint corners[] = {{box.left, box.top}, {box.right, box.top}, {box.right, box.bottom}, {box.left, box.bottom}};
        OutlinePolygon(target_, corners, 4, 0);
    }
    void Polygon(const VPoint* points, std::size_t count) override
    {
        FillPolygon(target_, points, count, 255);
        OutlinePolygon(target_, points, count, 0);
    }

private:
    VDib& target_;
};

class BoxRenderer : public VTextRenderer {
public:
    std::unique_ptr<VTextPainter> Begin(VDib& target, const VTextFont& font) override
    {
        CheckFontHeight(font.height);
        return std::make_unique<BoxPainter>(target);
    }
};

// A stage of a few dozen pixels: the loop repaints and presents the whole window at every
// frame, and at the usual 320 x 240 that copying, not the stream, took nearly all of each run.
class SmallStage : public VHeadlessStage {
public:
    SmallStage() { SetScreenSize(kWidth, kHeight); }
    void CreateStageWindow() override
    {
        VRect& window = GetSetup().windowRect;
        window.width = std::min<float>(window.width, kWidth);
        window.height = std::min<float>(window.height, kHeight);
        VHeadlessStage::CreateStageWindow();
    }
    // Frames are composed as on screen but not kept: copying each out is the headless
    // stage's own business, not the stream's.
    void Present(VSurface&, float, float, const VRectList*) override {}
    // A stream may bring a timer of a millisecond or less; the loop then repaints at every
    // cycle, hundreds of times per input. A bounded number of cycles keeps each input short.
    bool PumpMessages(double waitMs) override
    {
        return ++cycles_ > kMaxCycles || VHeadlessStage::PumpMessages(waitMs);
    }
    static constexpr int kWidth = 48;
    static constexpr int kHeight = 36;
    static constexpr int kMaxCycles = 16;

private:
    int cycles_ = 0;
};

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
    static BoxRenderer renderer;
    SetTextRenderer(&renderer);
    try {
        SmallStage stage;
        stage.SetMainStream(std::string(reinterpret_cast<const char*>(data), size));
        // Engine exceptions while loading and running are caught and reported by the stage.
        stage.Load();
        StartEverything(stage);
        stage.RunFor(1000);
        stage.Repaint();
    } catch (const VException&) {
        // Malformed streams are expected to be refused with a message.
    }
    return 0;
}
