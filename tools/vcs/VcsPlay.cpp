#include "tools/vcs/VcsPlay.h"

#include "engine/pixies/VDirector.h"
#include "engine/pixies/VSprite.h"
#include "engine/stream/VException.h"
#include "engine/stream/VText.h"
#include "platform/headless/VHeadlessStage.h"
#include "tools/vcs/VcsBytes.h"
#include "tools/vcs/VcsStageView.h"

namespace {

void PlaySprite(VSprite& sprite, const std::string& sequence)
{
    std::string name = sequence;
    if (name.empty()) {
        if (sprite.GetSequences().empty())
            throw VcsEngineError("the sprite " + Quoted(sprite.GetName()) + " has no sequences to play.");
        name = sprite.GetSequences().front()->GetName();
    }
    sprite.Run(name, -1, VSprite::kUnchanged, VSprite::kUnchanged, VSprite::kUnchanged);
}

void PlayDirector(VDirector& director)
{
    director.SetLoop(true);
    director.SetPlaying(true, 1);
}

void StartOne(VHeadlessStage& stage, std::string entry)
{
    std::string name = SplitHead(entry, ":");
    VComponent* component = stage.FindComponent(name);
    if (auto* sprite = dynamic_cast<VSprite*>(component)) {
        PlaySprite(*sprite, entry);
    } else if (auto* director = dynamic_cast<VDirector*>(component)) {
        if (!entry.empty())
            throw VcsEngineError(Quoted(name) + " is a director; it plays no named sequence.");
        PlayDirector(*director);
    } else {
        throw VcsEngineError("there is no sprite or director named " + Quoted(name) + " to play.");
    }
}

}  // namespace

void StartPlaying(VHeadlessStage& stage, const std::string& what)
{
    try {
        if (what == "*") {
            for (VComponent* component : stage.GetChildren()) {
                if (auto* sprite = dynamic_cast<VSprite*>(component)) {
                    if (!sprite->GetSequences().empty())
                        PlaySprite(*sprite, "");
                } else if (auto* director = dynamic_cast<VDirector*>(component)) {
                    PlayDirector(*director);
                }
            }
            return;
        }
        std::string rest = what;
        while (!rest.empty()) {
            std::string entry = SplitHead(rest, ",");
            if (!entry.empty())
                StartOne(stage, entry);
        }
    } catch (const VException& e) {
        throw VcsEngineError(e.GetMessage());
    }
}
