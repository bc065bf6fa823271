#include "engine/stream/VEventBinding.h"

#include <algorithm>
#include <vector>

#include "engine/stream/VComponentManager.h"

namespace {

// Created on first use: bindings register from static initialisers in any order.
std::vector<EventBinding*>& Registry()
{
    static std::vector<EventBinding*> registry;
    return registry;
}

}  // namespace

EventBinding::EventBinding(std::string sourceName, std::string eventName, VHandler handler,
                           std::string targetName)
    : sourceName_(std::move(sourceName)),
      eventName_(std::move(eventName)),
      handler_(handler),
      targetName_(std::move(targetName))
{
    Registry().push_back(this);
}

EventBinding::~EventBinding()
{
    auto& registry = Registry();
    registry.erase(std::remove(registry.begin(), registry.end(), this), registry.end());
}

void ConnectBindings(VComponentManager& manager)
{
    // Copy first: a handler connected here cannot run yet, but keep the walk independent anyway.
    std::vector<EventBinding*> waiting = Registry();
    std::vector<EventBinding*> connected;
    for (EventBinding* binding : waiting) {
        VComponent* source = manager.FindComponent(binding->GetSourceName());
        if (!source)
            continue;
        VComponent* target = binding->GetTargetName().empty()
                                 ? nullptr
                                 : manager.FindComponent(binding->GetTargetName());
        source->AddHandler(binding->GetEventName(), binding->GetHandler(), target);
        connected.push_back(binding);
    }
    auto& registry = Registry();
    registry.erase(std::remove_if(registry.begin(), registry.end(),
                                  [&](EventBinding* b) {
                                      return std::find(connected.begin(), connected.end(), b) !=
                                             connected.end();
                                  }),
                   registry.end());
}

std::size_t PendingBindingCount()
{
    return Registry().size();
}
