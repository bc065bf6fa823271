#include "engine/stream/VStreamWriter.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <fstream>

#include "engine/stream/VException.h"
#include "engine/stream/VMemoryStream.h"
#include "engine/stream/VStreamReaders.h"

std::string NumberToken(long long value)
{
    return std::to_string(value) + "#";
}

std::string CountedToken(std::string_view payload)
{
    std::string token = NumberToken(static_cast<long long>(payload.size()));
    token.append(payload);
    return token;
}

std::string TagText(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

namespace {

// The most decimals tried; floats this small cannot be read back exactly anyway.
constexpr int kMaxCooDecimals = 60;

std::string FixedText(double value, int decimals)
{
    char buffer[512];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

// What the engine's own coordinate reader makes of `text`, bit for bit.
bool ReadsBackAs(const std::string& text, float value)
{
    VMemoryStream in(NumberToken(static_cast<long long>(text.size())) + text);
    int consumed = 0;
    float read = LoadCooFromStream(in, consumed);
    return std::memcmp(&read, &value, sizeof value) == 0;
}

}  // namespace

std::string CooText(float value)
{
    // The reader adds up digits in single precision, which is not the exact rounding of a
    // decimal: the correctly rounded text of a few digits may read back one step off. So at
    // each number of decimals, from none upwards, the rounded text and its neighbours in the
    // last decimal are tried until one reads back as the very same float.
    if (!std::isfinite(value))
        return FixedText(value, 0);
    std::string closest;
    for (int decimals = 0; decimals <= kMaxCooDecimals; ++decimals) {
        std::string rounded = FixedText(value, decimals);
        double step = std::pow(10.0, -decimals);
        double at = std::strtod(rounded.c_str(), nullptr);
        for (int delta : {0, -1, 1, -2, 2}) {
            std::string text = delta == 0 ? rounded : FixedText(at + delta * step, decimals);
            // A neighbour of zero keeps the sign of the value it stands for.
            if (std::signbit(value) != (text[0] == '-'))
                continue;
            if (ReadsBackAs(text, value))
                return text;
        }
        closest = rounded;
    }
    return closest;
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
