// The value forms every build knows. Each turns the argument of {"form": argument} into bytes.
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/stream/VStreamWriter.h"
#include "engine/stream/VText.h"
#include "tools/vcs/VcsBytes.h"
#include "tools/vcs/VcsErrors.h"
#include "tools/vcs/VcsFiles.h"
#include "tools/vcs/VcsJsonReader.h"
#include "tools/vcs/VcsValueForms.h"

namespace {

// A file given as a value must fit one length token.
constexpr std::uintmax_t kMaxFileBytes = INT32_MAX;

[[noreturn]] void Refuse(const std::string& where, const char* form, const std::string& needs, const VcsJson& got)
{
    throw VcsBuildError(where, "the form \"" + std::string(form) + "\" takes " + needs + ", not " +
                                   JsonPreview(got) + ".");
}

std::string Base64Form(const VcsJson& argument, VcsBuildContext&, const std::string& where)
{
    if (!argument.is_string())
        Refuse(where, "base64", "a JSON string", argument);
    auto bytes = DecodeBase64(argument.get_ref<const std::string&>());
    if (!bytes)
        throw VcsBuildError(where, "the \"base64\" text is not standard base64 with '=' padding.");
    return *bytes;
}

std::string WrappedForm(const VcsJson& argument, VcsBuildContext& context, const std::string& where)
{
    VcsDepthGuard guard(context, where);
    return CountedToken(WriteValue(argument, context, where));
}

std::string TagsForm(const VcsJson& argument, VcsBuildContext&, const std::string& where)
{
    if (!argument.is_array())
        Refuse(where, "tags", "a JSON array of \"key=value\" strings", argument);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < argument.size(); ++i) {
        std::string what = "tag " + std::to_string(i);
        std::string line = AsciiText(argument[i], where, what);
        if (line.find('\n') != std::string::npos)
            throw VcsBuildError(where, what + " holds a line feed; give each tag as its own string.");
        lines.push_back(std::move(line));
    }
    return CountedToken(TagText(lines));
}

std::string NestedForm(const VcsJson& argument, VcsBuildContext& context, const std::string& where)
{
    VcsDepthGuard guard(context, where);
    return CheckedEntries(PropertiesFromJson(argument, context, where), where);
}

std::string RecordsForm(const VcsJson& argument, VcsBuildContext& context, const std::string& where)
{
    VcsDepthGuard guard(context, where);
    if (!argument.is_array())
        Refuse(where, "records", "a JSON array of property lists", argument);
    std::string payload = NumberToken(static_cast<long long>(argument.size()));
    for (std::size_t i = 0; i < argument.size(); ++i) {
        std::string at = where + ", record " + std::to_string(i);
        payload += EntriesBlock(PropertiesFromJson(argument[i], context, at), at);
    }
    return payload;
}

std::string FileForm(const VcsJson& argument, VcsBuildContext& context, const std::string& where)
{
    std::string name = AsciiText(argument, where, "the \"file\" path");
    if (name.empty())
        throw VcsBuildError(where, "the \"file\" path is empty.");
    try {
        return ReadFileBytes(context.baseDir / name, kMaxFileBytes);
    } catch (const VcsFileError& e) {
        throw VcsBuildError(where, Quoted(name) + ": " + e.Reason() + ".");
    }
}

std::string CooForm(const VcsJson& argument, VcsBuildContext&, const std::string& where)
{
    if (!argument.is_number())
        Refuse(where, "coo", "a JSON number", argument);
    double value = argument.get<double>();
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
        throw VcsBuildError(where, "the coordinate " + JsonPreview(argument) + " does not fit a 32-bit float.");
    return CooText(static_cast<float>(value));
}

std::string NumberForm(const VcsJson& argument, VcsBuildContext&, const std::string& where)
{
    if (argument.is_number_unsigned())
        return std::to_string(argument.get<std::uint64_t>());
    if (argument.is_number_integer())
        return std::to_string(argument.get<std::int64_t>());
    if (!argument.is_number())
        Refuse(where, "number", "a JSON number", argument);
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, argument.get<double>());
    return std::string(buffer, result.ptr);
}

std::string BoolForm(const VcsJson& argument, VcsBuildContext&, const std::string& where)
{
    if (!argument.is_boolean())
        Refuse(where, "bool", "true or false", argument);
    return argument.get<bool>() ? "True" : "False";
}

bool AllHex(std::string_view text)
{
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

std::string ColorForm(const VcsJson& argument, VcsBuildContext&, const std::string& where)
{
    const char* needs = "\"RGB24:\" and 1 to 6 hex digits as the stream holds it, \"#RRGGBB\", "
                        "or a colour number 0 to 16777215 (red in the low byte)";
    if (argument.is_number_integer()) {
        auto value = argument.get<std::int64_t>();
        if (value < 0 || value > 0xFFFFFF)
            Refuse(where, "color", needs, argument);
        return ColorText(static_cast<uint32_t>(value));
    }
    if (!argument.is_string())
        Refuse(where, "color", needs, argument);
    std::string text = argument.get<std::string>();
    if (text.size() == 7 && text[0] == '#' && AllHex(text.substr(1))) {
        // Written red first, as web colours are; the stream's number has red in its low byte.
        uint32_t rgb = static_cast<uint32_t>(std::stoul(text.substr(1), nullptr, 16));
        uint32_t colour = (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
        return ColorText(colour);
    }
    std::string digits = text;
    std::string head = SplitHead(digits, ":");
    if (SameText(head, "RGB24") && text.find(':') != std::string::npos && !digits.empty() &&
        digits.size() <= 6 && AllHex(digits))
        return text;
    Refuse(where, "color", needs, argument);
}

}  // namespace

void AddBuiltinValueForms(VcsValueFormTable& table)
{
    table["base64"] = Base64Form;
    table["wrapped"] = WrappedForm;
    table["tags"] = TagsForm;
    table["nested"] = NestedForm;
    table["records"] = RecordsForm;
    table["file"] = FileForm;
    table["coo"] = CooForm;
    table["number"] = NumberForm;
    table["bool"] = BoolForm;
    table["color"] = ColorForm;
}
