#pragma once

#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/stream/VEvent.h"
#include "engine/stream/VObject.h"
#include "engine/stream/VText.h"

class VComponent : public VObject {
public:
    VComponent(std::string name, VComponent* owner);
    VComponent(const VComponent&) = delete;
    VComponent& operator=(const VComponent&) = delete;

    // Reads the property `name` whose value stands next in the stream; false when unknown.
    virtual bool LoadPropFromStream(const std::string& name, std::istream& stream, int& consumed);
    virtual void Notify(const std::string& text, int value) {}
    // Reads a whole property block; true when its entries used exactly its declared length.
    virtual bool LoadFromStream(std::istream& stream, int& consumed);
    virtual void SaveToStream(std::ostream& stream) {}
    virtual ~VComponent();
    virtual std::string GetClassName() const { return "VComponent"; }
    // Called for listeners attached with Connect.
    virtual void OnEvent(const std::string& eventName, VComponent* sender, VEvent* event) {}

    const std::string& GetName() const { return name_; }
    VComponent* GetOwner() const { return owner_; }
    const std::vector<VComponent*>& GetOwned() const { return owned_; }
    VTagList& GetTags() { return tags_; }
    const VTagList& GetTags() const { return tags_; }

    VEvent* FindEvent(std::string_view eventName) const;
    void AddHandler(std::string_view eventName, VHandler handler, void* userData);
    void Connect(std::string_view eventName, VComponent* listener);
    bool FireEvent(std::string_view eventName, int value);

    // True while `pointer` is a component that has been constructed and not yet destroyed;
    // the dispatchers use it to check the run-time class of untyped user data.
    static VComponent* FromUserData(void* pointer);

protected:
    // Called while a component that this one owns is being destroyed, so lists kept beside
    // the owned list can let go of it at once.
    virtual void OwnedComponentGone(VComponent* component) {}
    // Only for a behaviour that receives its name after construction.
    void SetName(std::string name) { name_ = std::move(name); }

private:
    std::string name_;
    std::vector<std::unique_ptr<VEvent>> events_;
    std::vector<VComponent*> owned_;
    VComponent* owner_;
    VTagList tags_;
};
