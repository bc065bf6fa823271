#include "tools/vcs/VcsModel.h"

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

std::string RecordBytes(const VcsRecord& record)
{
    std::string entries = EntriesBytes(record.properties);
    std::string out = TokenBytes(record.className) + TokenBytes(record.name);
    out += record.blockLengthText ? *record.blockLengthText + "#"
                                  : NumberToken(static_cast<long long>(entries.size()));
    out += entries;
    return out;
}

std::string StreamBytes(const VcsStream& stream)
{
    std::string out = "VCS" + TokenBytes(stream.header);
    for (const auto& record : stream.records)
        out += RecordBytes(record);
    return out;
}
