#pragma once

#include <string>

#include "engine/stream/VException.h"
#include "engine/stream/VStageCore.h"

// A named component of class T on the current stage, found once at construction.
template <class T>
class ComponentRef {
public:
    explicit ComponentRef(const std::string& name)
    {
        VStageCore* stage = CurrentStage();
        component_ = stage ? dynamic_cast<T*>(stage->FindComponent(name)) : nullptr;
        Assert(component_ != nullptr, "component " + name + " not found.");
    }

    T* Get() const { return component_; }
    T* operator->() const { return component_; }
    T& operator*() const { return *component_; }

private:
    T* component_ = nullptr;
};
