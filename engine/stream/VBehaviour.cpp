#include "engine/stream/VBehaviour.h"

#include "engine/stream/VException.h"

namespace {

void BehaviourDispatcher(VComponent* sender, VEvent* event, void* userData)
{
    if (auto* behaviour = dynamic_cast<VBehaviour*>(VComponent::FromUserData(userData)))
        behaviour->HandleEvent(event->GetName(), sender);
}

}  // namespace

VBehaviour::VBehaviour(VComponent* owner, std::string name, VComponent* subject)
    : VComponent(std::move(name), owner), subject_(subject)
{
}

void VBehaviour::SetValues(VComponent* subject, const std::string& name)
{
    if (subject_ || !GetName().empty())
        throw VException("Behaviour::SetValues: values already set.");
    subject_ = subject;
    SetName(name);
}

void VBehaviour::Listen(std::string_view eventName)
{
    if (subject_)
        subject_->AddHandler(eventName, BehaviourDispatcher, static_cast<VComponent*>(this));
}
