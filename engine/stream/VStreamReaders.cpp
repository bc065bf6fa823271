#include "engine/stream/VStreamReaders.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "engine/stream/VException.h"

namespace {

constexpr int kEof = std::char_traits<char>::eof();
// Payloads are read in pieces of this size so that a lying length allocates no more than
// the data actually holds.
constexpr std::size_t kReadChunk = 64 * 1024;

}  // namespace

bool AtEnd(std::istream& stream)
{
    return stream.peek() == kEof;
}

int AddCount(int a, long long b)
{
    long long sum = static_cast<long long>(a) + b;
    return static_cast<int>(std::clamp<long long>(sum, INT_MIN, INT_MAX));
}

int32_t LoadLongIntFromStream(std::istream& stream, int& consumed)
{
    consumed = 0;
    if (AtEnd(stream))
        throw VStreamException("LoadLongIntFromStream started at end of stream.");
    long long value = 0;
    bool negative = false;
    int chars = 0;
    for (;;) {
        int c = stream.get();
        if (c == kEof)
            throw VStreamException("LoadLongIntFromStream reached unexpected end of stream.");
        ++consumed;
        if (c == '#')
            break;
        if (++chars > kMaxNumberChars)
            throw VStreamException("LoadLongIntFromStream: number token longer than 18 characters.");
        if (c >= '0' && c <= '9')
            value = value * 10 + (c - '0');
        else if (c == '-')
            negative = true;
        else
            throw VStreamException("Invalid char encountered in function LoadLongIntFromStream.");
    }
    if (negative)
        value = -value;
    if (value < INT32_MIN || value > INT32_MAX)
        throw VStreamException("LoadLongIntFromStream: number " + std::to_string(value) +
                               " is outside the 32-bit range.");
    return static_cast<int32_t>(value);
}

float LoadCooFromStream(std::istream& stream, int& consumed)
{
    if (AtEnd(stream))
        throw VStreamException("LoadCooFromStream started at end of stream.");
    int32_t n = LoadLongIntFromStream(stream, consumed);
    if (n > 0 && AtEnd(stream))
        throw VStreamException("LoadCooFromStream reached unexpected end of stream.");
    VCooDigits digits;
    for (int32_t i = 0; i < n; ++i) {
        int c = stream.get();
        if (c == kEof)
            throw VStreamException("LoadCooFromStream reached unexpected end of stream.");
        ++consumed;
        if (!digits.Add(static_cast<char>(c)))
            throw VStreamException("Invalid char encountered in function LoadCooFromStream.");
    }
    return digits.Value();
}

bool VCooDigits::Add(char c)
{
    if (c == '-') {
        negative_ = true;
    } else if (c == '.') {
        if (place_ > 0.0f)
            return false;
        place_ = 0.1f;
    } else if (c >= '0' && c <= '9') {
        float d = static_cast<float>(c - '0');
        if (place_ == -1.0f) {
            result_ = result_ * 10.0f + d;
        } else {
            result_ = result_ + d * place_;
            place_ = place_ * 0.1f;
        }
    } else {
        return false;
    }
    return true;
}

std::string LoadStringFromStream(std::istream& stream, int& consumed)
{
    std::string prefix;
    for (;;) {
        int c = stream.get();
        if (c == kEof)
            return std::string();
        if (c == '#')
            break;
        if (prefix.size() >= static_cast<std::size_t>(kMaxNumberChars))
            throw VStreamException("LoadStringFromStream: length of counted token \"" + prefix +
                                   "...\" is longer than 18 characters.");
        prefix.push_back(static_cast<char>(c));
    }
    long n = std::atol(prefix.c_str());
    if (n < 0)
        throw VStreamException("LoadStringFromStream: counted token \"" + prefix +
                               "#\" has a negative length.");
    consumed = static_cast<int>(prefix.size()) + 1;

    std::string payload;
    std::size_t wanted = static_cast<std::size_t>(n);
    while (payload.size() < wanted) {
        std::size_t piece = std::min(kReadChunk, wanted - payload.size());
        std::size_t had = payload.size();
        payload.resize(had + piece);
        stream.read(payload.data() + had, static_cast<std::streamsize>(piece));
        std::size_t got = static_cast<std::size_t>(stream.gcount());
        if (got < piece) {
            throw VStreamException("LoadStringFromStream: counted token \"" + prefix +
                                   "#\" is cut short: it declares " + std::to_string(n) +
                                   " bytes but the stream ends after " +
                                   std::to_string(had + got) + ".");
        }
    }
    consumed = AddCount(consumed, n);
    return payload;
}

bool TryLoadStringFromStream(std::istream& stream, std::string& text, int& consumed)
{
    try {
        text = LoadStringFromStream(stream, consumed);
        return true;
    } catch (const VStreamException&) {
        return false;
    }
}

int32_t LoadColorFromStream(std::istream& stream, int& consumed)
{
    std::string text = LoadStringFromStream(stream, consumed);
    std::string head = SplitHead(text, ":");
    if (!SameText(head, "RGB24"))
        return -1;
    return static_cast<int32_t>(std::strtol(text.c_str(), nullptr, 16));
}

void LoadTagsFromStream(std::istream& stream, VTagList& tags, int& consumed)
{
    std::string text = LoadStringFromStream(stream, consumed);
    while (!text.empty())
        tags.push_back(SplitHead(text, "\n"));
}
