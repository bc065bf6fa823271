#pragma once

#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/stream/VComponent.h"

class VComponentManager;

// Makes a component of one stream class, owned by the manager.
using VComponentCreator = VComponent* (*)(const std::string& name, VComponentManager* owner);

class VComponentManager : public VComponent {
public:
    VComponentManager(std::string name, VComponent* owner);
    ~VComponentManager() override;

    // Reads a whole component stream; nothing happens when there is no stream.
    virtual void AddComponentStream(std::istream* stream);

    void LoadComponentFromStream(std::istream& stream, int& consumed);
    VComponent* CreateComponent(const std::string& className, const std::string& componentName);
    VComponent* FindComponent(std::string_view name) const;
    void AddComponentsTo(VComponentManager& other) const;
    void RemoveComponentsFrom(VComponentManager& other) const;

    std::vector<VComponent*>& GetChildren() { return children_; }
    const std::vector<VComponent*>& GetChildren() const { return children_; }
    VTagList& GetHeader() { return header_; }
    const VTagList& GetHeader() const { return header_; }

    // The factory knows five stream classes, in a fixed order. Each library that builds one of
    // them plugs its creator in here; a record of a class with no creator is skipped.
    static void RegisterComponentClass(std::string_view className, VComponentCreator creator);
    static bool IsFactoryClass(std::string_view className);

    // Takes a component that is going away out of every manager's list, so no lookup ever
    // meets it after its destruction. Called by the component's destructor.
    static void ForgetComponent(const VComponent* component);

private:
    std::vector<VComponent*> children_;
    VTagList header_;
};
