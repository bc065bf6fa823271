#pragma once

#include <string>

#include "engine/stream/VComponent.h"
#include "engine/stream/VText.h"

// Lines of text from a scene file, as conversations are written there.
class VTextBlock : public VComponent {
public:
    using VComponent::VComponent;

    // Knows only "Contents"; even "Tag" is left for the caller to skip.
    bool LoadPropFromStream(const std::string& name, std::istream& stream, int& consumed) override;
    std::string GetClassName() const override { return "VTextBlock"; }

    const VTagList& GetLines() const { return lines_; }
    VTagList& GetLines() { return lines_; }

private:
    VTagList lines_;
};
