#include "show/VSceneKinds.h"

#include <array>

#include "engine/stream/VException.h"
#include "engine/stream/VText.h"

namespace {

struct SceneKind {
    const char* type;
    VSceneCreator creator;
};

std::array<SceneKind, 4>& Kinds()
{
    static std::array<SceneKind, 4> kinds{{
        {"VPlanetScene", nullptr},
        {"VMeetingScene", nullptr},
        {"VMovingScene", nullptr},
        {"VInShipScene", nullptr},
    }};
    return kinds;
}

}  // namespace

VSceneCreator RegisterSceneKind(std::string_view type, VSceneCreator creator)
{
    for (auto& kind : Kinds()) {
        if (SameText(kind.type, type)) {
            VSceneCreator previous = kind.creator;
            kind.creator = creator;
            return previous;
        }
    }
    throw VException("RegisterSceneKind: " + std::string(type) + " is not a scene kind.");
}

VScene* CreateScene(const std::string& type, const std::string& name,
                    VComponentManager* components, VComponent* parent)
{
    for (const auto& kind : Kinds()) {
        if (SameText(kind.type, type))
            return kind.creator ? kind.creator(name, components, parent) : nullptr;
    }
    return nullptr;
}

bool IsFloatLibraryType(std::string_view type)
{
    return SameText(type, "VFloatLib") || SameText(type, "VFloatScene");
}
