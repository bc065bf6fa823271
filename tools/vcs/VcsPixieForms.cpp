#include "tools/vcs/VcsPixieForms.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <initializer_list>
#include <limits>

#include "engine/pixies/VPixieListWriter.h"
#include "engine/stream/VException.h"
#include "engine/stream/VText.h"
#include "tools/vcs/VcsBytes.h"
#include "tools/vcs/VcsErrors.h"
#include "tools/vcs/VcsFiles.h"
#include "tools/vcs/VcsImages.h"
#include "tools/vcs/VcsValueForms.h"

namespace {

std::string At(const std::string& where, const std::string& what)
{
    return where.empty() ? what : where + ", " + what;
}

const VcsJson& CheckedList(const VcsJson& argument, const char* form, const char* items, const std::string& where)
{
    if (!argument.is_array())
        throw VcsBuildError(where, "the form \"" + std::string(form) + "\" takes a JSON array of " + items +
                                       ", not " + JsonPreview(argument) + ".");
    return argument;
}


const VcsJson* Optional(const VcsJson& object, const char* key)
{
    auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

const VcsJson& Required(const VcsJson& object, const char* key, const std::string& where, const std::string& what)
{
    const VcsJson* value = Optional(object, key);
    if (!value)
        throw VcsBuildError(where, what + " has no " + Quoted(key) + ".");
    return *value;
}

// A name that the lists carry as a counted token; `separator` is a byte it must not hold.
std::string NameText(const VcsJson& value, const std::string& where, const std::string& what,
                     const char* forbidden = "")
{
    std::string text = AsciiText(value, where, what);
    if (text.empty())
        throw VcsBuildError(where, what + " is empty.");
    for (const char* c = forbidden; *c; ++c) {
        if (text.find(*c) != std::string::npos)
            throw VcsBuildError(where, what + " " + Quoted(text) + " holds " + Quoted(std::string(1, *c)) + ".");
    }
    return text;
}

int32_t Int32(const VcsJson& value, const std::string& where, const std::string& what)
{
    if (!value.is_number_integer() || value.get<std::int64_t>() < INT32_MIN || value.get<std::int64_t>() > INT32_MAX)
        throw VcsBuildError(where, what + " must be a whole number in the 32-bit range, not " + JsonPreview(value) + ".");
    return static_cast<int32_t>(value.get<std::int64_t>());
}

float Coordinate(const VcsJson& value, const std::string& where, const std::string& what)
{
    if (!value.is_number())
        throw VcsBuildError(where, what + " must be a JSON number, not " + JsonPreview(value) + ".");
    double number = value.get<double>();
    if (!std::isfinite(number) || std::fabs(number) > std::numeric_limits<float>::max())
        throw VcsBuildError(where, what + " " + JsonPreview(value) + " does not fit a 32-bit float.");
    return static_cast<float>(number);
}

std::string NumberText(double value)
{
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string Checked(std::string payload, const std::string& where)
{
    if (payload.size() > static_cast<std::size_t>(INT32_MAX))
        throw VcsBuildError(where, "the list is longer than a length token can say.");
    return payload;
}

std::string FramesForm(const VcsJson& argument, VcsBuildContext& context, const std::string& where)
{
    const VcsJson& list = CheckedList(argument, "frames", "frame objects", where);
    std::vector<VPropertyWriter> frames;
    for (std::size_t i = 0; i < list.size(); ++i) {
        std::string at = At(where, "frame " + std::to_string(i));
        const VcsJson& frame = list[i];
        CheckObject(frame, {"name", "image", "transparent", "hotSpotX", "hotSpotY"}, at, "a frame");
        std::string name = NameText(Required(frame, "name", at, "a frame"), at, "the frame's \"name\"");
        std::string transparent;
        if (const VcsJson* colour = Optional(frame, "transparent")) {
            VcsJson form = {{"color", *colour}};
            transparent = WriteValue(form, context, at);
        }
        float hotSpotX = 0;
        float hotSpotY = 0;
        if (const VcsJson* x = Optional(frame, "hotSpotX"))
            hotSpotX = Coordinate(*x, at, "\"hotSpotX\"");
        if (const VcsJson* y = Optional(frame, "hotSpotY"))
            hotSpotY = Coordinate(*y, at, "\"hotSpotY\"");
        std::string image = ImageValue(Required(frame, "image", at, "a frame"), context, at);
        frames.push_back(FrameEntries(name, image, transparent, hotSpotX, hotSpotY));
    }
    return Checked(FrameListPayload(frames), where);
}

std::string DurationText(const VcsJson& value, const std::string& where)
{
    if (value.is_number()) {
        double ms = value.get<double>();
        if (!std::isfinite(ms) || ms < 0)
            throw VcsBuildError(where, "\"time\" must be a number of milliseconds, 0 or more, not " +
                                           JsonPreview(value) + ".");
        return "MS:" + NumberText(ms);
    }
    std::string text = AsciiText(value, where, "\"time\"");
    std::string rest = text;
    if (!SameText(SplitHead(rest, ":"), "MS") || text.find(':') == std::string::npos)
        throw VcsBuildError(where, "\"time\" is a number of milliseconds or a duration text such as \"MS:100\", not " +
                                       Quoted(text) + ".");
    return text;
}

std::string SequencesForm(const VcsJson& argument, VcsBuildContext& context, const std::string& where)
{
    const VcsJson& list = CheckedList(argument, "sequences", "sequence objects", where);
    std::vector<VSequenceEntry> sequences;
    for (std::size_t i = 0; i < list.size(); ++i) {
        std::string at = At(where, "sequence " + std::to_string(i));
        const VcsJson& sequence = list[i];
        CheckObject(sequence, {"name", "steps"}, at, "a sequence");
        VSequenceEntry entry;
        entry.name = NameText(Required(sequence, "name", at, "a sequence"), at, "the sequence's \"name\"");
        const VcsJson& steps = Required(sequence, "steps", at, "a sequence");
        if (!steps.is_array())
            throw VcsBuildError(at, "\"steps\" must be a JSON array of step objects, not " + JsonPreview(steps) + ".");
        for (std::size_t s = 0; s < steps.size(); ++s) {
            std::string stepAt = At(at, "step " + std::to_string(s));
            const VcsJson& step = steps[s];
            CheckObject(step, {"frame", "time", "deltaX", "deltaY", "deltaZ"}, stepAt, "a step");
            VStepEntry stepEntry;
            stepEntry.frame = NameText(Required(step, "frame", stepAt, "a step"), stepAt, "the step's \"frame\"");
            stepEntry.time = DurationText(Required(step, "time", stepAt, "a step"), stepAt);
            if (const VcsJson* dx = Optional(step, "deltaX"))
                stepEntry.deltaX = Int32(*dx, stepAt, "\"deltaX\"");
            if (const VcsJson* dy = Optional(step, "deltaY"))
                stepEntry.deltaY = Int32(*dy, stepAt, "\"deltaY\"");
            if (const VcsJson* dz = Optional(step, "deltaZ"))
                stepEntry.deltaZ = Int32(*dz, stepAt, "\"deltaZ\"");
            entry.steps.push_back(std::move(stepEntry));
        }
        sequences.push_back(std::move(entry));
    }
    return Checked(SequenceListPayload(sequences), where);
}

// "key=value;" texts from {"XPos": 284, "Visible": true, "CurFrameName": "getin0"}, or a
// string already in that form.
std::string AssignmentsText(const VcsJson& set, const std::string& where)
{
    if (set.is_string()) {
        std::string text = AsciiText(set, where, "\"set\"");
        if (!text.empty() && text.back() != ';')
            text += ';';
        return text;
    }
    if (!set.is_object())
        throw VcsBuildError(where, "\"set\" must be a JSON object of keys and values, or a text "
                                   "\"key=value;...\", not " + JsonPreview(set) + ".");
    std::string text;
    for (auto it = set.begin(); it != set.end(); ++it) {
        std::string key = it.key();
        if (key.empty() || key.find_first_of("=;") != std::string::npos)
            throw VcsBuildError(where, "the key " + Quoted(key) + " in \"set\" is empty or holds '=' or ';'.");
        const VcsJson& value = it.value();
        std::string valueText;
        if (value.is_boolean())
            valueText = value.get<bool>() ? "True" : "False";
        else if (value.is_number_integer())
            valueText = std::to_string(value.get<std::int64_t>());
        else if (value.is_number())
            valueText = NumberText(value.get<double>());
        else if (value.is_string())
            valueText = AsciiText(value, where, "the value of " + Quoted(key));
        else
            throw VcsBuildError(where, "the value of " + Quoted(key) + " must be a string, number or boolean, not " +
                                           JsonPreview(value) + ".");
        if (valueText.find(';') != std::string::npos)
            throw VcsBuildError(where, "the value of " + Quoted(key) + " holds ';'.");
        text += key + "=" + valueText + ";";
    }
    return text;
}

std::string TupelsForm(const VcsJson& argument, VcsBuildContext&, const std::string& where)
{
    const VcsJson& list = CheckedList(argument, "tupels", "key frame objects", where);
    std::vector<VTupleEntry> tuples;
    for (std::size_t i = 0; i < list.size(); ++i) {
        std::string at = At(where, "key frame " + std::to_string(i));
        const VcsJson& tuple = list[i];
        CheckObject(tuple, {"frame", "pixie", "set"}, at, "a key frame");
        VTupleEntry entry;
        entry.frame = std::to_string(Int32(Required(tuple, "frame", at, "a key frame"), at, "\"frame\""));
        entry.pixie = NameText(Required(tuple, "pixie", at, "a key frame"), at, "\"pixie\"", ";");
        entry.assignments = AssignmentsText(Required(tuple, "set", at, "a key frame"), at);
        tuples.push_back(std::move(entry));
    }
    return Checked(TupelsPayload(tuples), where);
}

}  // namespace

void RegisterPixieValueForms()
{
    RegisterValueForm("frames", FramesForm);
    RegisterValueForm("sequences", SequencesForm);
    RegisterValueForm("tupels", TupelsForm);
    RegisterImageValueForm();
}
