#include "tools/vcs/VcsValueForms.h"

#include "tools/vcs/VcsBytes.h"
#include "tools/vcs/VcsErrors.h"

namespace {

constexpr int kMaxDepth = 32;

VcsValueFormTable& Table()
{
    static VcsValueFormTable table = [] {
        VcsValueFormTable builtins;
        AddBuiltinValueForms(builtins);
        return builtins;
    }();
    return table;
}

}  // namespace

void RegisterValueForm(std::string name, VcsValueWriter writer)
{
    Table()[std::move(name)] = std::move(writer);
}

const VcsValueWriter* FindValueForm(std::string_view name)
{
    auto it = Table().find(name);
    return it == Table().end() ? nullptr : &it->second;
}

std::string ValueFormNames()
{
    std::string names;
    for (const auto& entry : Table())
        names += (names.empty() ? "" : ", ") + entry.first;
    return names;
}

std::string JsonPreview(const VcsJson& value)
{
    std::string text = value.dump();
    if (text.size() > 40)
        text = text.substr(0, 40) + "...";
    return OneLine(text);
}

void CheckObject(const VcsJson& object, std::initializer_list<const char*> keys, const std::string& where,
                 const std::string& what)
{
    if (!object.is_object())
        throw VcsBuildError(where, what + " must be a JSON object, not " + JsonPreview(object) + ".");
    for (auto it = object.begin(); it != object.end(); ++it) {
        bool known = false;
        std::string list;
        for (const char* key : keys) {
            known = known || it.key() == key;
            list += (list.empty() ? "" : ", ") + std::string(key);
        }
        if (!known)
            throw VcsBuildError(where, "unknown key " + Quoted(it.key()) + " in " + what + " (it takes " +
                                           list + ").");
    }
}

std::string AsciiText(const VcsJson& text, const std::string& where, const std::string& what)
{
    if (!text.is_string())
        throw VcsBuildError(where, what + " must be a JSON string, not " + JsonPreview(text) + ".");
    const std::string& bytes = text.get_ref<const std::string&>();
    for (unsigned char c : bytes) {
        if (c >= 0x80)
            throw VcsBuildError(where, what + " holds a character outside ASCII; give such bytes as "
                                              "{\"base64\": ...}.");
    }
    return bytes;
}

std::string WriteValue(const VcsJson& value, VcsBuildContext& context, const std::string& where)
{
    if (value.is_string())
        return AsciiText(value, where, "the value");
    if (!value.is_object() || value.size() != 1)
        throw VcsBuildError(where, "a value is a JSON string or an object with exactly one key naming "
                                   "its form (" + ValueFormNames() + "), not " + JsonPreview(value) + ".");
    auto form = value.begin();
    const VcsValueWriter* writer = FindValueForm(form.key());
    if (!writer)
        throw VcsBuildError(where, "unknown value form " + Quoted(form.key()) + "; the forms are " +
                                       ValueFormNames() + ".");
    return (*writer)(form.value(), context, where);
}

VcsDepthGuard::VcsDepthGuard(VcsBuildContext& context, const std::string& where) : context_(context)
{
    if (context_.depth >= kMaxDepth)
        throw VcsBuildError(where, "values are nested more than " + std::to_string(kMaxDepth) +
                                       " levels deep.");
    ++context_.depth;
}
