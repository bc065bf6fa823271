#include "engine/stream/VText.h"

#include <cstdlib>

namespace {

char Fold(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool SameText(std::string_view a, std::string_view b)
{
    // Like a C string comparison: the first NUL ends either text.
    std::size_t i = 0;
    for (;; ++i) {
        char ca = i < a.size() ? a[i] : '\0';
        char cb = i < b.size() ? b[i] : '\0';
        if (Fold(ca) != Fold(cb))
            return false;
        if (ca == '\0')
            return true;
    }
}

bool IsTrue(std::string_view text)
{
    return SameText(text, "True");
}

int AsInt(const std::string& text)
{
    return std::atoi(text.c_str());
}

long AsLong(const std::string& text)
{
    return std::atol(text.c_str());
}

double AsReal(const std::string& text)
{
    return std::atof(text.c_str());
}

float AsSeconds(std::string text)
{
    std::string head = SplitHead(text, ":");
    if (SameText(head, "MS"))
        return static_cast<float>(AsReal(text) * 0.001);
    return 0.0f;
}

std::string SplitHead(std::string& text, std::string_view separator)
{
    std::size_t at = text.find(separator);
    if (at == std::string::npos) {
        std::string all;
        all.swap(text);
        return all;
    }
    std::string head = text.substr(0, at);
    text.erase(0, at + separator.size());
    return head;
}

std::string Before(const std::string& text, std::string_view separator)
{
    std::size_t at = text.find(separator);
    return at == std::string::npos ? text : text.substr(0, at);
}

VTagList::const_iterator FindTag(const VTagList& tags, std::string_view key)
{
    for (auto it = tags.begin(); it != tags.end(); ++it) {
        if (SameText(Before(*it, "="), key))
            return it;
    }
    return tags.end();
}

std::string GetTagValue(const VTagList& tags, std::string_view key, const std::string& fallback)
{
    auto it = FindTag(tags, key);
    if (it == tags.end())
        return fallback;
    std::size_t eq = it->find('=');
    return eq == std::string::npos ? std::string() : it->substr(eq + 1);
}
