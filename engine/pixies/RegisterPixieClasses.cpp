#include "engine/pixies/RegisterPixieClasses.h"

#include "engine/pixies/VDirector.h"
#include "engine/pixies/VPicture.h"
#include "engine/pixies/VSprite.h"
#include "engine/pixies/VTextBlock.h"
#include "engine/stream/VComponentManager.h"

namespace {

template <class T>
VComponent* Create(const std::string& name, VComponentManager* owner)
{
    return new T(name, owner);
}

}  // namespace

void RegisterPixieClasses()
{
    VComponentManager::RegisterComponentClass("VPicture", Create<VPicture>);
    VComponentManager::RegisterComponentClass("VSprite", Create<VSprite>);
    VComponentManager::RegisterComponentClass("VDirector", Create<VDirector>);
    VComponentManager::RegisterComponentClass("VText", Create<VTextBlock>);
}
