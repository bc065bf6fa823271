#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One scripted input event, handed to the stage at the first message pump at or after its
// show time.
struct VHeadlessInput {
    enum class Kind { MouseMove, MouseDown, MouseUp, MouseWheel, KeyDown, KeyUp, Activate };

    double time = 0;
    Kind kind = Kind::MouseMove;
    float x = 0;
    float y = 0;
    // Key code (and value) for keys, the flag for Activate.
    int32_t code = 0;

    static VHeadlessInput Mouse(double time, Kind kind, float x, float y) { return {time, kind, x, y, 0}; }
    static VHeadlessInput Key(double time, Kind kind, int32_t code) { return {time, kind, 0, 0, code}; }
};

// Reads an input script: one event a line, "TIME move X Y", "TIME down X Y", "TIME up X Y",
// "TIME keydown CODE", "TIME keyup CODE", "TIME key CODE" (down and up), "TIME activate 0|1";
// '#' starts a comment. Raises VException naming the line of a malformed event.
std::vector<VHeadlessInput> ParseInputScript(const std::string& text);
