#include "show/VSceneTexts.h"

#include <algorithm>
#include <string>

#include "engine/pixies/VTextBlock.h"
#include "engine/stream/VComponentManager.h"
#include "engine/stream/VText.h"

namespace {

// Entry `index` of a ","-separated list, empty when the list is shorter.
std::string ListEntry(std::string list, int index)
{
    for (int i = 0; i < index; ++i) {
        if (list.find(',') == std::string::npos)
            return {};
        SplitHead(list, ",");
    }
    return Before(list, ",");
}

VTextBlock* FindText(const VComponentManager& components, const std::string& name)
{
    if (name.empty())
        return nullptr;
    return dynamic_cast<VTextBlock*>(components.FindComponent(name));
}

}  // namespace

VSceneTexts ChooseSceneTexts(const VComponentManager& components, int& textIndex)
{
    std::string intro = GetTagValue(components.GetHeader(), "Intro", "Intro");
    std::string exit = GetTagValue(components.GetHeader(), "Exit", "Exit");
    if (std::count(intro.begin(), intro.end(), ',') < textIndex || textIndex < 0)
        textIndex = 0;
    VSceneTexts texts;
    texts.intro = FindText(components, ListEntry(intro, textIndex));
    texts.exit = FindText(components, ListEntry(exit, textIndex));
    ++textIndex;
    return texts;
}
