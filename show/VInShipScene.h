#pragma once

#include <string>

#include "show/VScene.h"

class VDirector;

// One animation inside the ship while it flies on over the running sky: the file's director
// "Scene" is laid over the ship, whose own inside is hidden meanwhile, and the scene ends
// when the director reaches its end.
class VInShipScene : public VScene {
public:
    VInShipScene(std::string name, VComponentManager* components, VComponent* parent);

    std::string GetClassName() const override { return "VInShipScene"; }

    // Ends the scene on the director's "OnReachEnd".
    void OnEvent(const std::string& eventName, VComponent* sender, VEvent* event) override;
    void Begin() override;

    VDirector* GetDirector() const { return director_; }

private:
    VDirector* director_ = nullptr;
};
