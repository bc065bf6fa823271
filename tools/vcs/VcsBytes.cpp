#include "tools/vcs/VcsBytes.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::size_t kQuotedMax = 40;

int Sextet(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

void AppendEscaped(std::string& out, unsigned char c, bool escapeQuotes)
{
    if (c == '\n')
        out += "\\n";
    else if (c == '\r')
        out += "\\r";
    else if (c == '\t')
        out += "\\t";
    else if (escapeQuotes && (c == '"' || c == '\\')) {
        out += '\\';
        out += static_cast<char>(c);
    } else if (c < 0x20 || c > 0x7E) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        out += hex;
    } else {
        out += static_cast<char>(c);
    }
}

}  // namespace

bool IsPrintableText(std::string_view bytes)
{
    for (unsigned char c : bytes) {
        if ((c < 0x20 || c > 0x7E) && c != '\n' && c != '\r' && c != '\t')
            return false;
    }
    return true;
}

std::string EncodeBase64(std::string_view bytes)
{
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16 |
                     static_cast<unsigned char>(bytes[i + 1]) << 8 | static_cast<unsigned char>(bytes[i + 2]);
        out += kAlphabet[v >> 18 & 63];
        out += kAlphabet[v >> 12 & 63];
        out += kAlphabet[v >> 6 & 63];
        out += kAlphabet[v & 63];
    }
    std::size_t rest = bytes.size() - i;
    if (rest > 0) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
        if (rest == 2)
            v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        out += kAlphabet[v >> 18 & 63];
        out += kAlphabet[v >> 12 & 63];
        out += rest == 2 ? kAlphabet[v >> 6 & 63] : '=';
        out += '=';
    }
    return out;
}

std::optional<std::string> DecodeBase64(std::string_view text)
{
    if (text.size() % 4 != 0)
        return std::nullopt;
    std::string out;
    out.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        bool last = i + 4 == text.size();
        std::array<int, 4> s{};
        int padding = 0;
        for (int k = 0; k < 4; ++k) {
            char c = text[i + k];
            if (c == '=' && last && k >= 2) {
                ++padding;
                s[k] = 0;
                continue;
            }
            if (padding > 0)
                return std::nullopt;  // data after padding
            s[k] = Sextet(c);
            if (s[k] < 0)
                return std::nullopt;
        }
        unsigned v = static_cast<unsigned>(s[0]) << 18 | static_cast<unsigned>(s[1]) << 12 |
                     static_cast<unsigned>(s[2]) << 6 | static_cast<unsigned>(s[3]);
        // Padded groups must not carry stray bits, so every text has one decoding and back.
        if ((padding == 1 && (v & 0xFF)) || (padding == 2 && (v & 0xFFFF)))
            return std::nullopt;
        out += static_cast<char>(v >> 16 & 0xFF);
        if (padding < 2)
            out += static_cast<char>(v >> 8 & 0xFF);
        if (padding < 1)
            out += static_cast<char>(v & 0xFF);
    }
    return out;
}

std::string Quoted(std::string_view bytes)
{
    std::string out = "\"";
    std::size_t shown = std::min(bytes.size(), kQuotedMax);
    for (std::size_t i = 0; i < shown; ++i)
        AppendEscaped(out, static_cast<unsigned char>(bytes[i]), true);
    if (shown < bytes.size())
        out += "...";
    out += '"';
    return out;
}

std::string OneLine(std::string_view text)
{
    std::string out;
    for (unsigned char c : text)
        AppendEscaped(out, c, false);
    return out;
}
