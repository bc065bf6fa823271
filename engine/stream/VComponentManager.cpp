#include "engine/stream/VComponentManager.h"

#include <algorithm>
#include <array>

#include "engine/stream/VException.h"
#include "engine/stream/VStreamReaders.h"
#include "engine/stream/VTimer.h"

namespace {

struct FactoryEntry {
    const char* className;
    VComponentCreator creator;
};

VComponent* CreateTimer(const std::string& name, VComponentManager* owner)
{
    return new VTimer(name, owner, 50.0, false);
}

std::array<FactoryEntry, 5>& Factory()
{
    static std::array<FactoryEntry, 5> entries{{
        {"VPicture", nullptr},
        {"VSprite", nullptr},
        {"VTimer", CreateTimer},
        {"VText", nullptr},
        {"VDirector", nullptr},
    }};
    return entries;
}

// Every manager that exists, so a component that goes away can leave all their lists.
std::vector<VComponentManager*>& LiveManagers()
{
    static std::vector<VComponentManager*> managers;
    return managers;
}

}  // namespace

VComponentManager::VComponentManager(std::string name, VComponent* owner)
    : VComponent(std::move(name), owner)
{
    LiveManagers().push_back(this);
}

VComponentManager::~VComponentManager()
{
    auto& managers = LiveManagers();
    managers.erase(std::remove(managers.begin(), managers.end(), this), managers.end());
}

void VComponentManager::ForgetComponent(const VComponent* component)
{
    for (VComponentManager* manager : LiveManagers()) {
        auto& list = manager->children_;
        list.erase(std::remove(list.begin(), list.end(), component), list.end());
    }
}

void VComponentManager::RegisterComponentClass(std::string_view className, VComponentCreator creator)
{
    for (auto& entry : Factory()) {
        if (SameText(entry.className, className)) {
            entry.creator = creator;
            return;
        }
    }
    throw VException("RegisterComponentClass: " + std::string(className) +
                     " is not a class that streams may create.");
}

bool VComponentManager::IsFactoryClass(std::string_view className)
{
    for (const auto& entry : Factory()) {
        if (SameText(entry.className, className))
            return true;
    }
    return false;
}

void VComponentManager::AddComponentStream(std::istream* stream)
{
    if (!stream)
        return;
    for (char expected : {'V', 'C', 'S'}) {
        int c = stream->get();
        if (c != expected)
            throw VStreamException("AddComponentStream encountered an invalid header.");
    }
    int consumed = 0;
    LoadTagsFromStream(*stream, header_, consumed);
    while (stream->good() && !AtEnd(*stream))
        LoadComponentFromStream(*stream, consumed);
}

void VComponentManager::LoadComponentFromStream(std::istream& stream, int& consumed)
{
    std::string className = LoadStringFromStream(stream, consumed);
    if (AtEnd(stream))
        return;
    int n = 0;
    std::string componentName = LoadStringFromStream(stream, n);
    consumed = AddCount(consumed, n);

    VComponent* component = FindComponent(componentName);
    if (!component) {
        component = CreateComponent(className, componentName);
        if (component)
            children_.push_back(component);
    }
    if (!component) {
        int32_t length = LoadLongIntFromStream(stream, n);
        consumed = AddCount(AddCount(consumed, n), length);
        if (stream.good() && length > 0)
            stream.ignore(length);
        return;
    }
    component->LoadFromStream(stream, n);
    consumed = AddCount(consumed, n);
}

VComponent* VComponentManager::CreateComponent(const std::string& className,
                                               const std::string& componentName)
{
    for (const auto& entry : Factory()) {
        if (SameText(entry.className, className))
            return entry.creator ? entry.creator(componentName, this) : nullptr;
    }
    return nullptr;
}

VComponent* VComponentManager::FindComponent(std::string_view name) const
{
    for (VComponent* child : children_) {
        if (SameText(child->GetName(), name))
            return child;
    }
    return nullptr;
}

void VComponentManager::AddComponentsTo(VComponentManager& other) const
{
    other.children_.insert(other.children_.end(), children_.begin(), children_.end());
}

void VComponentManager::RemoveComponentsFrom(VComponentManager& other) const
{
    for (VComponent* child : children_) {
        auto it = std::find(other.children_.begin(), other.children_.end(), child);
        if (it != other.children_.end())
            other.children_.erase(it);
    }
}
