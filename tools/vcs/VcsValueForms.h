#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "tools/vcs/VcsJson.h"
#include "tools/vcs/VcsPalette.h"

// What a build carries while it turns JSON values into payload bytes.
struct VcsBuildContext {
    std::filesystem::path baseDir;  // relative file paths are taken from here
    int depth = 0;                  // values inside values, bounded against hostile input
    std::filesystem::path palettePath;       // empty: the source tree's master palette
    std::optional<VcsPalette> palette;       // read at the first image
};

// Turns the argument of one value form, {"name": argument}, into the value's payload bytes.
// `where` names the record and property for messages; failures throw VcsBuildError.
using VcsValueWriter =
    std::function<std::string(const VcsJson& argument, VcsBuildContext& context, const std::string& where)>;
using VcsValueFormTable = std::map<std::string, VcsValueWriter, std::less<>>;

// Adds or replaces a form by its key; later features (images, frame lists) plug theirs in here.
void RegisterValueForm(std::string name, VcsValueWriter writer);
const VcsValueWriter* FindValueForm(std::string_view name);
// The known keys, for messages: "base64, bool, ...".
std::string ValueFormNames();

// A value's payload: a JSON string is its own bytes; an object with one key is written by the
// form of that name.
std::string WriteValue(const VcsJson& value, VcsBuildContext& context, const std::string& where);

// The bytes of a JSON string that must be ASCII; `what` names it in the message.
std::string AsciiText(const VcsJson& text, const std::string& where, const std::string& what);

// A short, one-line picture of a JSON value for messages.
std::string JsonPreview(const VcsJson& value);

// Refuses anything but a JSON object whose keys are all among `keys`; `what` names it.
void CheckObject(const VcsJson& object, std::initializer_list<const char*> keys,
                 const std::string& where, const std::string& what);

// Counts one level of values inside values for as long as it lives.
class VcsDepthGuard {
public:
    VcsDepthGuard(VcsBuildContext& context, const std::string& where);
    ~VcsDepthGuard() { --context_.depth; }
    VcsDepthGuard(const VcsDepthGuard&) = delete;
    VcsDepthGuard& operator=(const VcsDepthGuard&) = delete;

private:
    VcsBuildContext& context_;
};

// The forms every build knows (VcsBuiltinForms.cpp).
void AddBuiltinValueForms(VcsValueFormTable& table);
