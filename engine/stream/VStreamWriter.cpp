#include "engine/stream/VStreamWriter.h"

#include <charconv>
#include <cstdio>
#include <fstream>

#include "engine/stream/VException.h"

std::string TagText(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

std::string CooText(float value)
{
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    std::string text(buffer, result.ptr);
    return text;
}

std::string ColorText(uint32_t colour)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "RGB24:%06X", colour & 0xFFFFFFu);
    return buffer;
}

VPropertyWriter& VPropertyWriter::Raw(std::string_view name, std::string_view payload)
{
    entries_ += CountedToken(name);
    entries_ += CountedToken(payload);
    return *this;
}

VPropertyWriter& VPropertyWriter::Number(std::string_view name, double value)
{
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return Raw(name, std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

VPropertyWriter& VPropertyWriter::Wrapped(std::string_view name, std::string_view text)
{
    return Raw(name, CountedToken(text));
}

VPropertyWriter& VPropertyWriter::Tags(std::string_view name, const std::vector<std::string>& lines)
{
    return Wrapped(name, TagText(lines));
}

VPropertyWriter& VPropertyWriter::Nested(std::string_view name, const VPropertyWriter& entries)
{
    return Raw(name, entries.Entries());
}

VPropertyWriter& VPropertyWriter::RecordList(std::string_view name,
                                             const std::vector<VPropertyWriter>& records)
{
    std::string payload = NumberToken(static_cast<long long>(records.size()));
    for (const auto& record : records)
        payload += record.Block();
    return Raw(name, payload);
}

VStreamWriter& VStreamWriter::HeaderRaw(std::string_view payload)
{
    header_ = payload;
    return *this;
}

VStreamWriter& VStreamWriter::Record(std::string_view className, std::string_view name,
                                     const VPropertyWriter& properties)
{
    return RecordRaw(className, name, properties.Block());
}

VStreamWriter& VStreamWriter::RecordRaw(std::string_view className, std::string_view name,
                                        std::string_view block)
{
    records_ += CountedToken(className);
    records_ += CountedToken(name);
    records_ += block;
    return *this;
}

void VStreamWriter::WriteFile(const std::string& path) const
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::string bytes = Bytes();
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw VException("Could not write the stream file " + path + ".");
}
