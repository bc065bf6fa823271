#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/stream/VStreamWriter.h"

// Writes the lists that sprites and directors read from their property values, byte for byte
// in the layout their readers take. Tests and the content tools use it.

// The entries of one frame: "Name", "Transparent" (when `transparent` is not empty: a colour
// text such as "RGB24:00FF00"), "HotSpotX", "HotSpotY" and "Surface" (the BMP file's bytes).
VPropertyWriter FrameEntries(const std::string& name, const std::string& bmp,
                             const std::string& transparent, float hotSpotX, float hotSpotY);
// A "FrameList" payload: the frame count, then per frame its entries' length and entries.
std::string FrameListPayload(const std::vector<VPropertyWriter>& frames);

struct VStepEntry {
    std::string frame;
    int32_t deltaX = 0;
    int32_t deltaY = 0;
    int32_t deltaZ = 0;
    std::string time = "MS:100";  // a duration text
};

struct VSequenceEntry {
    std::string name;
    std::vector<VStepEntry> steps;
};

// One "FrameRef" step: its class name, its entries' length, then "Name", "DeltaX", "DeltaY",
// "DeltaZ" (bare number tokens) and "Time".
std::string StepBytes(const VStepEntry& step);
// A "SequenceList" payload: the count, then per sequence the length of what follows, its name,
// its step count and its steps.
std::string SequenceListPayload(const std::vector<VSequenceEntry>& sequences);

struct VTupleEntry {
    std::string frame;        // decimal text
    std::string pixie;        // component name
    std::string assignments;  // "key=value;" texts
};

// A "Tupels" payload: the pixie names ended by ";" (each once, in order of first appearance),
// the tuples' byte length, then each tuple as its length and three counted tokens.
std::string TupelsPayload(const std::vector<VTupleEntry>& tuples);
