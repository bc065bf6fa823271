#pragma once

#include <string>

#include "engine/stream/VEvent.h"

class VComponentManager;

// "When the component named source raises event, call handler": registered before any
// component exists and connected once the source can be found.
class EventBinding {
public:
    EventBinding(std::string sourceName, std::string eventName, VHandler handler,
                 std::string targetName);
    ~EventBinding();
    EventBinding(const EventBinding&) = delete;
    EventBinding& operator=(const EventBinding&) = delete;

    const std::string& GetSourceName() const { return sourceName_; }
    const std::string& GetEventName() const { return eventName_; }
    VHandler GetHandler() const { return handler_; }
    const std::string& GetTargetName() const { return targetName_; }

private:
    std::string sourceName_;
    std::string eventName_;
    VHandler handler_;
    std::string targetName_;
};

// Connects every registered binding whose source the manager can find, and forgets those.
void ConnectBindings(VComponentManager& manager);
// How many bindings still wait for their source.
std::size_t PendingBindingCount();
