#include "engine/stream/VComponent.h"

#include <algorithm>
#include <unordered_set>

#include "engine/stream/VComponentManager.h"
#include "engine/stream/VException.h"
#include "engine/stream/VStageCore.h"
#include "engine/stream/VStreamReaders.h"

namespace {

std::unordered_set<void*>& LiveComponents()
{
    static std::unordered_set<void*> live;
    return live;
}

void ComponentDispatcher(VComponent* sender, VEvent* event, void* userData)
{
    if (VComponent* listener = VComponent::FromUserData(userData))
        listener->OnEvent(event->GetName(), sender, event);
}

}  // namespace

VComponent::VComponent(std::string name, VComponent* owner) : name_(std::move(name)), owner_(owner)
{
    if (owner_)
        owner_->owned_.push_back(this);
    LiveComponents().insert(static_cast<void*>(this));
}

VComponent::~VComponent()
{
    LiveComponents().erase(static_cast<void*>(this));
    // Lookups (a manager's list, its owner's own lists) must not meet it from now on.
    VComponentManager::ForgetComponent(this);
    if (owner_) {
        auto& siblings = owner_->owned_;
        auto it = std::find(siblings.begin(), siblings.end(), this);
        if (it != siblings.end())
            siblings.erase(it);
        owner_->OwnedComponentGone(this);
    }
    // Children forget their owner first so that they leave this list alone while it is walked.
    std::vector<VComponent*> owned;
    owned.swap(owned_);
    for (VComponent* child : owned) {
        child->owner_ = nullptr;
        delete child;
    }
}

VComponent* VComponent::FromUserData(void* pointer)
{
    return LiveComponents().count(pointer) ? static_cast<VComponent*>(pointer) : nullptr;
}

bool VComponent::LoadPropFromStream(const std::string& name, std::istream& stream, int& consumed)
{
    if (!SameText(name, "Tag"))
        return false;
    int outer = 0;
    LoadLongIntFromStream(stream, outer);
    LoadTagsFromStream(stream, tags_, consumed);
    consumed = AddCount(consumed, outer);
    return true;
}

bool VComponent::LoadFromStream(std::istream& stream, int& consumed)
{
    int lengthBytes = 0;
    int32_t length = LoadLongIntFromStream(stream, lengthBytes);
    consumed = AddCount(lengthBytes, length);
    long long remaining = length;
    bool ok = true;
    while (ok && remaining > 0) {
        std::string name;
        int nameBytes = 0;
        ok = TryLoadStringFromStream(stream, name, nameBytes);
        // A cut name, or a block that claims more than the data holds, ends the block here:
        // reading on would only spin at the end of the stream.
        if (!ok || nameBytes == 0)
            break;
        int valueBytes = 0;
        if (!LoadPropFromStream(name, stream, valueBytes)) {
            try {
                LoadStringFromStream(stream, valueBytes);
            } catch (const VStreamException&) {
                remaining = -1;
            }
        }
        if (remaining >= 0)
            remaining -= static_cast<long long>(nameBytes) + valueBytes;
    }
    return remaining == 0 && ok;
}

VEvent* VComponent::FindEvent(std::string_view eventName) const
{
    for (const auto& event : events_) {
        if (SameText(event->GetName(), eventName))
            return event.get();
    }
    return nullptr;
}

void VComponent::AddHandler(std::string_view eventName, VHandler handler, void* userData)
{
    VEvent* event = FindEvent(eventName);
    if (!event) {
        events_.push_back(std::make_unique<VEvent>(std::string(eventName)));
        event = events_.back().get();
    }
    if (!userData)
        userData = static_cast<VComponent*>(CurrentStage());
    event->Add(handler, userData);
}

void VComponent::Connect(std::string_view eventName, VComponent* listener)
{
    AddHandler(eventName, ComponentDispatcher, static_cast<void*>(listener));
}

bool VComponent::FireEvent(std::string_view eventName, int value)
{
    VEvent* event = FindEvent(eventName);
    return event ? event->Fire(this, value) : false;
}
