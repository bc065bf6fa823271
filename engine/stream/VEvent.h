#pragma once

#include <string>
#include <utility>
#include <vector>

#include "engine/stream/VObject.h"

class VComponent;
class VEvent;

// A handler gets the component that raised the event, the event, and the user data it was added with.
using VHandler = void (*)(VComponent* sender, VEvent* event, void* userData);

class VEvent : public VObject {
public:
    explicit VEvent(std::string name) : name_(std::move(name)) {}
    virtual ~VEvent() = default;

    const std::string& GetName() const { return name_; }
    int GetValue() const { return value_; }
    bool IsFiring() const { return firing_; }

    void Add(VHandler handler, void* userData);
    // Runs the handlers from the last added to the first; a raise from inside them is dropped.
    bool Fire(VComponent* sender, int value);

private:
    bool firing_ = false;
    int value_ = 0;
    std::string name_;
    std::vector<std::pair<VHandler, void*>> handlers_;
};
