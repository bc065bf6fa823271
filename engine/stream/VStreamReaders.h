#pragma once

#include <cstdint>
#include <istream>
#include <string>

#include "engine/stream/VText.h"

// Readers of the component stream's tokens. Each leaves the stream just after what it read
// and reports the bytes it consumed through `consumed`.

// Number tokens and counted-token lengths longer than this are refused.
constexpr int kMaxNumberChars = 18;

// True when no further byte can be read.
bool AtEnd(std::istream& stream);

int32_t LoadLongIntFromStream(std::istream& stream, int& consumed);
float LoadCooFromStream(std::istream& stream, int& consumed);
std::string LoadStringFromStream(std::istream& stream, int& consumed);
bool TryLoadStringFromStream(std::istream& stream, std::string& text, int& consumed);
int32_t LoadColorFromStream(std::istream& stream, int& consumed);
void LoadTagsFromStream(std::istream& stream, VTagList& tags, int& consumed);

// Adds without overflowing; counts past the 32-bit range stick at its top.
int AddCount(int a, long long b);
