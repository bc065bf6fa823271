#include "show/RegisterShowClasses.h"

#include "show/VInShipScene.h"
#include "show/VMeetingScene.h"
#include "show/VMovingScene.h"
#include "show/VPlanetScene.h"
#include "show/VSceneKinds.h"

void RegisterShowClasses()
{
    // Each scene kind adds its line here: RegisterSceneKind("V...Scene", creator).
    RegisterSceneKind("VPlanetScene", [](const std::string& name, VComponentManager* components,
                                         VComponent* parent) -> VScene* {
        return new VPlanetScene(name, components, parent);
    });
    RegisterSceneKind("VMeetingScene", [](const std::string& name, VComponentManager* components,
                                          VComponent* parent) -> VScene* {
        return new VMeetingScene(name, components, parent);
    });
    RegisterSceneKind("VMovingScene", [](const std::string& name, VComponentManager* components,
                                         VComponent* parent) -> VScene* {
        return new VMovingScene(name, components, parent);
    });
    RegisterSceneKind("VInShipScene", [](const std::string& name, VComponentManager* components,
                                         VComponent* parent) -> VScene* {
        return new VInShipScene(name, components, parent);
    });
}
