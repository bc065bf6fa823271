#include "engine/pixies/VPixieListWriter.h"

#include "engine/stream/VText.h"

VPropertyWriter FrameEntries(const std::string& name, const std::string& bmp,
                             const std::string& transparent, float hotSpotX, float hotSpotY)
{
    VPropertyWriter entries;
    entries.Text("Name", name);
    if (!transparent.empty())
        entries.Text("Transparent", transparent);
    entries.Coo("HotSpotX", hotSpotX).Coo("HotSpotY", hotSpotY).Raw("Surface", bmp);
    return entries;
}

std::string FrameListPayload(const std::vector<VPropertyWriter>& frames)
{
    std::string payload = NumberToken(static_cast<long long>(frames.size()));
    for (const auto& frame : frames)
        payload += frame.Block();
    return payload;
}

std::string StepBytes(const VStepEntry& step)
{
    std::string entries = CountedToken("Name") + CountedToken(step.frame);
    entries += CountedToken("DeltaX") + NumberToken(step.deltaX);
    entries += CountedToken("DeltaY") + NumberToken(step.deltaY);
    entries += CountedToken("DeltaZ") + NumberToken(step.deltaZ);
    entries += CountedToken("Time") + CountedToken(step.time);
    return CountedToken("FrameRef") + NumberToken(static_cast<long long>(entries.size())) + entries;
}

std::string SequenceListPayload(const std::vector<VSequenceEntry>& sequences)
{
    std::string payload = NumberToken(static_cast<long long>(sequences.size()));
    for (const auto& sequence : sequences) {
        std::string body = CountedToken(sequence.name) +
                           NumberToken(static_cast<long long>(sequence.steps.size()));
        for (const auto& step : sequence.steps)
            body += StepBytes(step);
        payload += NumberToken(static_cast<long long>(body.size())) + body;
    }
    return payload;
}

std::string TupelsPayload(const std::vector<VTupleEntry>& tuples)
{
    std::string names;
    std::vector<std::string> seen;
    std::string body;
    for (const auto& tuple : tuples) {
        bool known = false;
        for (const auto& name : seen)
            known = known || SameText(name, tuple.pixie);
        if (!known) {
            seen.push_back(tuple.pixie);
            names += tuple.pixie + ";";
        }
        std::string items =
            CountedToken(tuple.frame) + CountedToken(tuple.pixie) + CountedToken(tuple.assignments);
        body += NumberToken(static_cast<long long>(items.size())) + items;
    }
    return CountedToken(names) + NumberToken(static_cast<long long>(body.size())) + body;
}
