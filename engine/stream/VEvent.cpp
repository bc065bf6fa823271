#include "engine/stream/VEvent.h"

void VEvent::Add(VHandler handler, void* userData)
{
    handlers_.emplace_back(handler, userData);
}

bool VEvent::Fire(VComponent* sender, int value)
{
    if (firing_)
        return true;
    firing_ = true;
    value_ = value;
    // Indexes, not iterators: a handler may add handlers to this very event.
    for (std::size_t i = handlers_.size(); i-- > 0;) {
        auto [handler, userData] = handlers_[i];
        try {
            handler(sender, this, userData);
        } catch (...) {
            firing_ = false;
            throw;
        }
    }
    firing_ = false;
    return true;
}
