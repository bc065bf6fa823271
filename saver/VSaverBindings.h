#pragma once

#include "engine/stream/VEventBinding.h"

// The five start-up bindings on the component "Stage", in their order: "OnBeforeEverything"
// sets up the saver, "OnAboutBox" starts the about program and stops, "OnRunSaver" builds the
// show, "OnKeyUp" of S switches the sound, "OnKeyDown" of any other key but a modifier
// (IsModifierKey) ends the saver.
// The program registers one set at start (VSaverStartup.cpp); every set connects to one
// stage only, so a test makes a set for each stage it builds.
class VSaverBindings {
public:
    VSaverBindings();

    static constexpr int kKeyS = 83;
    static constexpr int kKeySmallS = 115;

private:
    EventBinding beforeEverything_;
    EventBinding aboutBox_;
    EventBinding runSaver_;
    EventBinding keyUp_;
    EventBinding keyDown_;
};
