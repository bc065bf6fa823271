#pragma once

#include <string>
#include <string_view>

#include "engine/stream/VComponent.h"

// Reacts to the events of another component, its subject, through HandleEvent.
class VBehaviour : public VComponent {
public:
    VBehaviour(VComponent* owner, std::string name, VComponent* subject);
    ~VBehaviour() override = default;

    // True when the behaviour acted on the event.
    virtual bool HandleEvent(const std::string& eventName, VComponent* sender) { return false; }
    // Gives subject and name to a behaviour made without both, once.
    virtual void SetValues(VComponent* subject, const std::string& name);

    void Listen(std::string_view eventName);
    VComponent* GetSubject() const { return subject_; }

private:
    VComponent* subject_;
};
