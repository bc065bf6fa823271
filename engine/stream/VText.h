#pragma once

#include <list>
#include <string>
#include <string_view>

// Text helpers shared by every property reader and by the show's settings.

using VTagList = std::list<std::string>;

// ASCII-only case folding that stops at the first NUL, as every name comparison does.
bool SameText(std::string_view a, std::string_view b);

bool IsTrue(std::string_view text);
int AsInt(const std::string& text);
long AsLong(const std::string& text);
double AsReal(const std::string& text);
float AsSeconds(std::string text);

// Cuts text at the first separator: returns what stands before it and leaves the rest in text.
std::string SplitHead(std::string& text, std::string_view separator);
std::string Before(const std::string& text, std::string_view separator);

VTagList::const_iterator FindTag(const VTagList& tags, std::string_view key);
std::string GetTagValue(const VTagList& tags, std::string_view key, const std::string& fallback);
