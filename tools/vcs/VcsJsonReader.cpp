#include "tools/vcs/VcsJsonReader.h"

#include <climits>
#include <cstdlib>
#include <initializer_list>
#include <optional>

#include "engine/stream/VException.h"
#include "engine/stream/VMemoryStream.h"
#include "engine/stream/VStreamReaders.h"
#include "engine/stream/VStreamWriter.h"
#include "tools/vcs/VcsBytes.h"
#include "tools/vcs/VcsErrors.h"

namespace {

std::string Join(const std::string& where, const std::string& more)
{
    return where.empty() ? more : where + ", " + more;
}


const VcsJson& Required(const VcsJson& object, const char* key, const std::string& where, const std::string& what)
{
    auto it = object.find(key);
    if (it == object.end())
        throw VcsBuildError(where, what + " has no " + Quoted(key) + ".");
    return *it;
}

// Names are bytes: a string, or {"base64": ...} for bytes that a string cannot carry.
std::string NameBytes(const VcsJson& name, const std::string& where, const std::string& what)
{
    if (name.is_string())
        return AsciiText(name, where, what);
    if (name.is_object() && name.size() == 1 && name.contains("base64")) {
        VcsBuildContext unused;
        return WriteValue(name, unused, where);
    }
    throw VcsBuildError(where, what + " must be a JSON string or {\"base64\": ...}, not " + JsonPreview(name) + ".");
}

// The exact text kept for a length: what stands before the '#', as many characters as a
// length may have. Whether it reads as the right number is checked where it is used.
std::optional<std::string> LengthText(const VcsJson& object, const char* key, const std::string& where)
{
    auto it = object.find(key);
    if (it == object.end())
        return std::nullopt;
    if (!it->is_string() && !(it->is_object() && it->size() == 1 && it->contains("base64")))
        throw VcsBuildError(where, Quoted(key) + " must be a JSON string (or {\"base64\": ...}) holding the "
                                                "length's exact text.");
    std::string text = NameBytes(*it, where, Quoted(key));
    if (text.size() > static_cast<std::size_t>(kMaxNumberChars))
        throw VcsBuildError(where, Quoted(key) + " is longer than " + std::to_string(kMaxNumberChars) +
                                       " characters.");
    if (text.find('#') != std::string::npos)
        throw VcsBuildError(where, Quoted(key) + " " + Quoted(text) + " holds a '#', which would end it.");
    return text;
}

// A counted token whose kept length text must read as the payload's size.
VcsToken Token(std::string bytes, const VcsJson& object, const char* key, const std::string& where)
{
    VcsToken token{std::move(bytes), LengthText(object, key, where)};
    if (token.lengthText) {
        // The reader converts a counted token's length with atol rules.
        std::size_t wanted = token.bytes.size();
        long declared = std::atol(token.lengthText->c_str());
        if (declared < 0 || static_cast<std::size_t>(declared) != wanted)
            throw VcsBuildError(where, Quoted(key) + " " + Quoted(*token.lengthText) + " reads as " +
                                           std::to_string(declared) + " but the payload has " +
                                           std::to_string(wanted) + " bytes.");
    }
    return token;
}

std::string HeaderBytes(const VcsJson& header, VcsBuildContext& context)
{
    if (!header.is_array())
        return WriteValue(header, context, "header");
    std::string text;
    for (std::size_t i = 0; i < header.size(); ++i) {
        std::string where = "header line " + std::to_string(i);
        std::string line = AsciiText(header[i], where, "a header line");
        if (line.find('\n') != std::string::npos)
            throw VcsBuildError(where, "a header line holds a line feed; give each line as its own string.");
        text += line + '\n';
    }
    return text;
}

// `last`: the stream's last record, after which nothing follows; only its raw block may
// declare another length than it holds (the engine stops at the data's end).
VcsRecord RecordFromJson(const VcsJson& object, VcsBuildContext& context, const std::string& at, bool last)
{
    std::string where = at;
    CheckObject(object, {"class", "name", "classLength", "nameLength", "blockLength", "properties", "block"},
                where, "a record");
    VcsRecord record;
    std::string className = NameBytes(Required(object, "class", where, "the record"), where, "\"class\"");
    std::string name = NameBytes(Required(object, "name", where, "the record"), where, "\"name\"");
    where = at + " (" + Quoted(name) + ")";
    record.className = Token(std::move(className), object, "classLength", where);
    record.name = Token(std::move(name), object, "nameLength", where);
    auto properties = object.find("properties");
    auto block = object.find("block");
    if (properties != object.end() && block != object.end())
        throw VcsBuildError(where, "a record has \"properties\" or a raw \"block\", not both.");
    if (properties != object.end())
        record.properties = PropertiesFromJson(*properties, context, where);
    if (block != object.end())
        record.rawBlock = WriteValue(*block, context, where + ", the block");

    std::size_t size = record.rawBlock ? record.rawBlock->size() : CheckedEntries(record.properties, where).size();
    record.blockLengthText = LengthText(object, "blockLength", where);
    if (record.blockLengthText) {
        std::string token = *record.blockLengthText + "#";
        VMemoryStream in(token);
        int consumed = 0;
        long long declared = 0;
        try {
            declared = LoadLongIntFromStream(in, consumed);
        } catch (const VStreamException& e) {
            throw VcsBuildError(where, "\"blockLength\" " + Quoted(*record.blockLengthText) +
                                           " does not read: " + e.GetMessage());
        }
        bool fits = declared >= 0 && static_cast<std::size_t>(declared) == size;
        // A raw block may declare nothing; the last one may declare what it likes.
        if (record.rawBlock)
            fits = fits || (declared < 0 && size == 0) || last;
        if (!fits)
            throw VcsBuildError(where, "\"blockLength\" " + Quoted(*record.blockLengthText) + " reads as " +
                                           std::to_string(declared) + " but the " +
                                           (record.rawBlock ? "block holds " : "properties take ") +
                                           std::to_string(size) + " bytes.");
    }
    return record;
}

}  // namespace

std::string CheckedEntries(const std::vector<VcsProperty>& properties, const std::string& where)
{
    std::string entries = EntriesBytes(properties);
    if (entries.size() > static_cast<std::size_t>(INT32_MAX))
        throw VcsBuildError(where, "the properties take " + std::to_string(entries.size()) +
                                       " bytes, more than a length token can declare.");
    return entries;
}

std::string EntriesBlock(const std::vector<VcsProperty>& properties, const std::string& where)
{
    std::string entries = CheckedEntries(properties, where);
    return NumberToken(static_cast<long long>(entries.size())) + entries;
}

std::vector<VcsProperty> PropertiesFromJson(const VcsJson& list, VcsBuildContext& context,
                                            const std::string& where)
{
    if (!list.is_array())
        throw VcsBuildError(where, "the properties must be a JSON array of {\"name\": ..., \"value\": ...}, not " +
                                       JsonPreview(list) + ".");
    std::vector<VcsProperty> properties;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const VcsJson& object = list[i];
        std::string at = Join(where, "property " + std::to_string(i));
        CheckObject(object, {"name", "value", "nameLength", "valueLength"}, at, "a property");
        std::string name = NameBytes(Required(object, "name", at, "the property"), at, "\"name\"");
        at = Join(where, "property " + Quoted(name));
        VcsProperty property;
        property.name = Token(std::move(name), object, "nameLength", at);
        property.value =
            Token(WriteValue(Required(object, "value", at, "the property"), context, at), object, "valueLength", at);
        properties.push_back(std::move(property));
    }
    return properties;
}

VcsStream StreamFromJson(const VcsJson& root, VcsBuildContext& context)
{
    CheckObject(root, {"format", "header", "headerLength", "records", "tail"}, "", "the top level");
    const VcsJson& format = Required(root, "format", "", "the top level");
    if (format != kVcsFormat)
        throw VcsBuildError("", "\"format\" must be \"" + std::string(kVcsFormat) + "\", not " +
                                    JsonPreview(format) + ".");
    VcsStream stream;
    auto tail = root.find("tail");
    if (tail != root.end())
        stream.tail = WriteValue(*tail, context, "tail");
    auto header = root.find("header");
    stream.headerMissing = header != root.end() && header->is_null();
    stream.header = Token(header == root.end() || stream.headerMissing ? std::string() : HeaderBytes(*header, context),
                          root, "headerLength", "header");
    auto records = root.find("records");
    if (records != root.end() && !records->is_array())
        throw VcsBuildError("", "\"records\" must be a JSON array, not " + JsonPreview(*records) + ".");
    std::size_t count = records == root.end() ? 0 : records->size();
    for (std::size_t i = 0; i < count; ++i)
        stream.records.push_back(
            RecordFromJson((*records)[i], context, "record " + std::to_string(i), i + 1 == count && stream.tail.empty()));
    if (stream.headerMissing) {
        // Only a few bytes without a '#' may follow "VCS" where no header token stands.
        if (count > 0 || root.contains("headerLength") || stream.tail.find('#') != std::string::npos ||
            stream.tail.size() > static_cast<std::size_t>(kMaxNumberChars))
            throw VcsBuildError("header", "a missing header (null) takes no records and no \"headerLength\", only a "
                                          "\"tail\" of at most " + std::to_string(kMaxNumberChars) + " bytes without '#'.");
    } else if (!stream.tail.empty() && !IsStreamEnd(stream.tail)) {
        throw VcsBuildError("tail", "the tail " + Quoted(stream.tail) + " is not what the engine reads as the end of a "
                                    "stream: bytes without '#' (at most " + std::to_string(kMaxNumberChars) +
                                    "), or one whole counted token.");
    }
    return stream;
}
