#pragma once

#include <cstdint>
#include <istream>
#include <string>

#include "engine/graphics/VRect.h"

// The stage's window settings, read from the "Stage" record of the main stream.
class VStageSetup {
public:
    virtual ~VStageSetup() = default;

    // True when `name` is one of the settings; its value has then been read.
    virtual bool LoadPropFromStream(const std::string& name, std::istream& stream, int& consumed);

    bool showCursor = true;
    bool fullScreen = false;
    bool hasFrame = true;
    // The stream's "WindowRect" is read and dropped: the window keeps this size unless the
    // host or full-screen mode changes it.
    VRect windowRect{0, 0, 320, 240};
    int32_t backColor = 0;
    bool useColor = true;
};
