#include <cstdlib>
#include <vector>

#include "engine/pixies/VSprite.h"
#include "engine/stage/VStage.h"
#include "engine/stream/VException.h"
#include "show/VFloater.h"
#include "show/VRandom.h"
#include "show/VSceneManager.h"
#include "show/VShowStage.h"

namespace {

// More copies of one sprite than any sky needs: a number beyond it is a broken file, not a
// wish for a denser sky, and would only exhaust memory.
constexpr int kMaxCopies = 1000;

// Floaters fly at speed x 2 pixels per second.
constexpr float kStep = static_cast<float>(VSceneManager::kInterval * 2.0 / 1000.0);

// The sprite's "Frequency": how many floaters are made of it.
int CopiesOf(const VSprite& sprite)
{
    int copies = std::atoi(GetTagValue(sprite.GetTags(), "Frequency", "1").c_str());
    if (copies > kMaxCopies)
        throw VParamException("Floater " + sprite.GetName() + " asks for " +
                              std::to_string(copies) + " copies; at most " +
                              std::to_string(kMaxCopies) + " are made.");
    return copies;
}

}  // namespace

void VSceneManager::AddFloater(VSprite* sprite, float weight)
{
    VStage& stage = ShowStage();
    VRect rect = StageRect(stage);
    const VTagList& tags = sprite->GetTags();
    float startX = static_cast<float>(std::atof(GetTagValue(tags, "StartX", "-100").c_str()) +
                                      rect.width * 0.5);
    float endX = static_cast<float>(std::atof(GetTagValue(tags, "EndX", "100").c_str()) +
                                    rect.height * 0.5);
    int copies = CopiesOf(*sprite);
    std::string speed = GetTagValue(tags, "Speed", "100");
    for (int i = 0; i < copies; ++i) {
        auto* copy = new VSprite(sprite->GetName(), &stage);
        copy->CopyFrom(*sprite);
        stage.GetChildren().push_back(copy);
        auto floater = std::make_unique<VFloater>(
            copy, startX, endX, GetTagValue(tags, "Pre", ""), GetTagValue(tags, "During", ""),
            GetTagValue(tags, "Post", ""), speed, static_cast<int>(weight));
        floater->SetVisible(false);
        floaterPool_.push_back(floater.get());
        floaters_.push_back(std::move(floater));
    }
}

void VSceneManager::AddFloatersFrom(VComponentManager& components)
{
    std::vector<VSprite*> sprites;
    for (VComponent* component : components.GetChildren()) {
        if (auto* sprite = dynamic_cast<VSprite*>(component))
            sprites.push_back(sprite);
    }
    // A library that asks too much of one sprite is refused whole, before any floater is made.
    for (VSprite* sprite : sprites)
        CopiesOf(*sprite);
    for (VSprite* sprite : sprites)
        AddFloater(sprite, 1.0f);
}

VFloater* VSceneManager::PickFloater()
{
    if (floaterPool_.empty())
        return nullptr;
    long long total = 0;
    for (VFloater* floater : floaterPool_)
        total += floater->GetWeight();
    int r = RandomInt(static_cast<double>(total));
    std::size_t at = 0;
    long long running = floaterPool_[0]->GetWeight();
    while (running < r && at + 1 < floaterPool_.size())
        running += floaterPool_[++at]->GetWeight();
    VFloater* chosen = floaterPool_[at];
    floaterPool_.erase(floaterPool_.begin() + static_cast<std::ptrdiff_t>(at));
    activeFloaters_.push_back(chosen);
    chosen->SetVisible(true);
    chosen->UpdateSequence();
    chosen->DrawSpeed();
    return chosen;
}

void VSceneManager::ScatterFloaters()
{
    if (floaterPool_.empty())
        return;
    VRect rect = StageRect(ShowStage());
    double sum = 0;
    for (VFloater* floater : floaterPool_)
        sum += (floater->GetMinSpeed() + floater->GetMaxSpeed()) * 0.5;
    double average = sum / static_cast<double>(floaterPool_.size());
    // As many as would be in the sky after a while of launching (75 in 1000 per tick).
    double wanted = rect.width / average * 2.0 * 75.0 * kInterval / 1000.0;
    // Speeds of 0 (or below) give no sensible count; one scattered floater is still placed.
    long long n = wanted >= 1.0 && wanted < 1e9 ? static_cast<long long>(wanted) : 1;
    VFloater* floater = nullptr;
    do {
        floater = PickFloater();
        if (floater) {
            // One draw per statement: the order of arguments is the compiler's to choose.
            float x = static_cast<float>(RandomReal(rect.width));
            float y = static_cast<float>(RandomReal(rect.height - floater->GetHeight()));
            floater->SetXY(x, y);
            if (floater->GetSpeed() == 0.0f)
                break;
        }
        --n;
    } while (n > 0 && floater);
}

void VSceneManager::Retire(std::size_t index)
{
    VFloater* floater = activeFloaters_[index];
    floaterPool_.push_back(floater);
    activeFloaters_.erase(activeFloaters_.begin() + static_cast<std::ptrdiff_t>(index));
    floater->GetSprite()->Stop();
    floater->SetVisible(false);
}

void VSceneManager::MoveFloaters()
{
    VRect rect = StageRect(ShowStage());
    // Every floater that was flying at the start of the tick moves exactly once, also the one
    // behind a floater retired in this tick.
    for (std::size_t i = 0; i < activeFloaters_.size();) {
        VFloater* floater = activeFloaters_[i];
        floater->MoveBy(floater->GetSpeed() * kStep, 0.0f, 0.0f);
        floater->UpdateSequence();
        if (floater->GetXPos() > rect.width)
            Retire(i);
        else
            ++i;
    }
    if (RandomInt(1000) <= 75) {
        if (VFloater* floater = PickFloater()) {
            float y = static_cast<float>(RandomReal(rect.height - floater->GetHeight()));
            float z = static_cast<float>(RandomReal(900) + 100);
            floater->SetPos(-100.0f, y, z);
        }
    }
    MaybePlayHeroSound();
}
