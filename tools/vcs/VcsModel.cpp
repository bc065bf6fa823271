#include "tools/vcs/VcsModel.h"

#include <cstdlib>

#include "engine/stream/VStreamReaders.h"
#include "engine/stream/VStreamWriter.h"

std::string TokenBytes(const VcsToken& token)
{
    if (!token.lengthText)
        return CountedToken(token.bytes);
    return *token.lengthText + "#" + token.bytes;
}

std::string EntriesBytes(const std::vector<VcsProperty>& properties)
{
    std::string out;
    for (const auto& property : properties) {
        out += TokenBytes(property.name);
        out += TokenBytes(property.value);
    }
    return out;
}

bool IsStreamEnd(std::string_view rest)
{
    std::size_t hash = rest.find('#');
    if (hash == std::string_view::npos)
        return rest.size() <= static_cast<std::size_t>(kMaxNumberChars);
    if (hash > static_cast<std::size_t>(kMaxNumberChars))
        return false;
    // The length is read as the engine reads it, with atol's rules.
    long n = std::atol(std::string(rest.substr(0, hash)).c_str());
    return n >= 0 && rest.size() - hash - 1 == static_cast<std::size_t>(n);
}

std::string RecordBytes(const VcsRecord& record)
{
    std::string entries = record.rawBlock ? *record.rawBlock : EntriesBytes(record.properties);
    std::string out = TokenBytes(record.className) + TokenBytes(record.name);
    out += record.blockLengthText ? *record.blockLengthText + "#"
                                  : NumberToken(static_cast<long long>(entries.size()));
    out += entries;
    return out;
}

std::string StreamBytes(const VcsStream& stream)
{
    std::string out = "VCS";
    if (!stream.headerMissing)
        out += TokenBytes(stream.header);
    for (const auto& record : stream.records)
        out += RecordBytes(record);
    return out + stream.tail;
}
