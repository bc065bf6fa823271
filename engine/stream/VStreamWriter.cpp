#include "engine/stream/VStreamWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>

#include "engine/stream/VException.h"
#include "engine/stream/VStreamReaders.h"

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

using Digits = unsigned __int128;

// Far enough below the top of the digit type that K x 10 never overflows.
constexpr long double kMaxDigits = 1e37L;
constexpr int kMaxCooDecimals = 64;

// K as decimal text with a point before its last `decimals` digits.
std::string DigitsText(Digits k, int decimals)
{
    std::string text;
    do {
        text.insert(text.begin(), static_cast<char>('0' + static_cast<int>(k % 10)));
        k /= 10;
    } while (k != 0);
    if (decimals > 0) {
        if (static_cast<int>(text.size()) <= decimals)
            text.insert(0, static_cast<std::size_t>(decimals + 1) - text.size(), '0');
        text.insert(text.size() - static_cast<std::size_t>(decimals), 1, '.');
    }
    return text;
}

float ReadBack(Digits k, int decimals)
{
    VCooDigits digits;
    for (char c : DigitsText(k, decimals))
        digits.Add(c);
    return digits.Value();
}

// A K whose text of `decimals` decimals reads back as `target` (positive, finite), or none.
// The reader is monotonic but for its rounding, so a gallop and a bisection find where it
// passes the target, and a few neighbours are tried there.
bool FindDigits(float target, int decimals, Digits& found)
{
    long double scaled = static_cast<long double>(target) * std::pow(10.0L, decimals);
    if (!(scaled < kMaxDigits))
        return false;
    Digits start = static_cast<Digits>(std::floor(scaled + 0.5L));
    float at = ReadBack(start, decimals);
    Digits lo = start, hi = start;  // f(lo) < target <= f(hi) once both are found
    if (at < target) {
        for (Digits step = 1;; step *= 2) {
            hi = start + step;
            if (ReadBack(hi, decimals) >= target)
                break;
            lo = hi;
            if (static_cast<long double>(hi) > kMaxDigits)
                return false;
        }
    } else {
        for (Digits step = 1;; step *= 2) {
            if (step > start) {
                lo = 0;
                break;
            }
            lo = start - step;
            if (ReadBack(lo, decimals) < target)
                break;
            hi = lo;
        }
    }
    while (hi - lo > 1) {
        Digits mid = lo + (hi - lo) / 2;
        if (ReadBack(mid, decimals) >= target)
            hi = mid;
        else
            lo = mid;
    }
    for (Digits k = hi > 12 ? hi - 12 : 0; k <= hi + 12; ++k) {
        if (ReadBack(k, decimals) == target) {
            found = k;
            return true;
        }
    }
    return false;
}

}  // namespace

std::string CooText(float value)
{
    // The reader adds up digits in single precision, which is not the exact rounding of a
    // decimal: the correctly rounded text often reads back a step off. So for each number of
    // decimals, from none upwards, the digits that read back as this very float are searched.
    if (value == 0.0f)
        return std::signbit(value) ? "-0" : "0";
    if (!std::isfinite(value))
        return std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf";
    const std::string sign = value < 0 ? "-" : "";
    const float magnitude = std::fabs(value);
    for (int decimals = 0; decimals <= kMaxCooDecimals; ++decimals) {
        Digits k = 0;
        if (FindDigits(magnitude, decimals, k))
            return sign + DigitsText(k, decimals);
    }
    // Only floats the reader cannot reach (the smallest ones) come here: the nearest text.
    char buffer[128];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
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
