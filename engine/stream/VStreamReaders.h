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

// The coordinate reader's arithmetic, one payload character at a time, in single precision as
// the stream format has always been read. The writer uses it too, to find text that reads back.
class VCooDigits {
public:
    // False for a character that a coordinate may not hold (a second '.' included).
    bool Add(char c);
    float Value() const { return negative_ ? -result_ : result_; }

private:
    float result_ = 0.0f;
    float place_ = -1.0f;  // -1: no decimal point yet
    bool negative_ = false;
};

int32_t LoadLongIntFromStream(std::istream& stream, int& consumed);
float LoadCooFromStream(std::istream& stream, int& consumed);
std::string LoadStringFromStream(std::istream& stream, int& consumed);
bool TryLoadStringFromStream(std::istream& stream, std::string& text, int& consumed);
int32_t LoadColorFromStream(std::istream& stream, int& consumed);
void LoadTagsFromStream(std::istream& stream, VTagList& tags, int& consumed);

// Adds without overflowing; counts past the 32-bit range stick at its top.
int AddCount(int a, long long b);
