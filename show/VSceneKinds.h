#pragma once

#include <string>
#include <string_view>

class VComponent;
class VComponentManager;
class VScene;

// Makes one scene kind from a scene file's components.
using VSceneCreator = VScene* (*)(const std::string& name, VComponentManager* components,
                                  VComponent* parent);

// The four scene kinds a file's "Type" may name, in the order they are compared:
// "VPlanetScene", "VMeetingScene", "VMovingScene", "VInShipScene". Each kind plugs its
// creator in here (RegisterShowClasses); any other name throws. Returns the creator it replaces.
VSceneCreator RegisterSceneKind(std::string_view type, VSceneCreator creator);
// The scene of kind `type` (letter case ignored), or null for an unknown or unplugged kind.
VScene* CreateScene(const std::string& type, const std::string& name,
                    VComponentManager* components, VComponent* parent);
// True for "VFloatLib" and "VFloatScene": files whose sprites become floaters.
bool IsFloatLibraryType(std::string_view type);
