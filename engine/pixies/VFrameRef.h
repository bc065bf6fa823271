#pragma once

#include <istream>
#include <string>

#include "engine/pixies/VPlaceModifier.h"

// The step that sequences are made of: shows a frame for its time, then moves by its deltas.
class VFrameRef : public VPlaceModifier {
public:
    VFrameRef() : VPlaceModifier(0, 0, 0, 0) {}

    // Makes the named frame the sprite's current one (its current frame name stays).
    void BeginStep(VPixie* pixie) override;

    // Reads the step's entries: their byte length, then "Name", "DeltaX", "DeltaY", "DeltaZ"
    // and "Time" in any order.
    void LoadFromStream(std::istream& stream, int& consumed);

    const std::string& GetFrameName() const { return frameName_; }

private:
    std::string frameName_;
};
